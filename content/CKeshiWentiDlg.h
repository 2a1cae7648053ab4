#pragma once

#include "ContentPage.h"

// "选择问题": the questions of the current lesson, all of them or those of the current
// knowledge point. The page registers itself in the application object, where the
// presenter reaches it.
class CKeshiWentiDlg : public ContentPage
{
    Q_OBJECT

public:
    enum ControlId { IDD = 163 };

    explicit CKeshiWentiDlg(QWidget *parent = nullptr);
    ~CKeshiWentiDlg() override;

    bool OnInitDialog() override;
    void LoadQuestionList();

    // The question opened for editing; -1 for none.
    int m_nSelQuestionID = -1;
    // 1: every question of the lesson; 0: those of the current knowledge point.
    int m_bAllQuestions = 0;
    int m_nLoadCount = 0;
};

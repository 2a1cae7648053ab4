#pragma once

#include "ContentPage.h"

class CListCtrlCl;

// "选择问题": the questions of the current lesson, all of them or those of the current
// knowledge point. From here the teacher adds a question (through the knowledge-points
// page), opens one with its answer in the presenter to edit it, and deletes one. The page
// registers itself in the application object, where the presenter reaches it to store an
// edited question.
//
// Rows carry their question's ID; the operations act on the subject the list was loaded
// for, so they always touch the questions the teacher sees.
class CKeshiWentiDlg : public ContentPage
{
    Q_OBJECT

public:
    enum ControlId {
        IDD = 163,
        IDC_LIST = 1051,
        IDC_ADD = 1003,
        IDC_EDIT = 1004,
        IDC_DELETE = 1005,
        IDC_ALL_QUESTIONS = 1006,
        IDC_POINT_QUESTIONS = 1007,
    };
    enum Column { ColPoint = 0, ColQuestion = 1, ColId = 2 };

    explicit CKeshiWentiDlg(QWidget *parent = nullptr);
    ~CKeshiWentiDlg() override;

    bool OnInitDialog() override;
    void LoadQuestionList();
    // A new question for the current knowledge point, in the presenter's new-question layout.
    void OnBnClickedAdd();
    // The first selected question with its answer, in the presenter's edit layout.
    void OnBnClickedEdit();
    void OnBnClickedDelete();
    void OnNMDblclkList(int item);
    void OnBnClickedAllQuestions();
    void OnBnClickedPointQuestions();
    // Stores the texts of the question opened for editing that differ from what it showed,
    // so an untouched text keeps what is stored (NULL included), then reloads the list.
    // False after a reported failure.
    bool SaveQuestion(const QString &question, const QString &answer);

    CListCtrlCl *m_listWenti = nullptr;
    // The question opened for editing; -1 for none.
    int m_nSelQuestionID = -1;
    // 1: every question of the lesson; 0: those of the current knowledge point.
    int m_bAllQuestions = 0;
    // The subject the list was last loaded for; -1 before.
    int m_nLoadedKemuID = -1;
    int m_nLoadCount = 0;

private:
    // What the presenter was given of the question opened for editing, and the subject it
    // belongs to: what a save compares the texts with.
    int m_nSelKemuID = -1;
    QString m_strShownQuestion;
    QString m_strShownAnswer;
};

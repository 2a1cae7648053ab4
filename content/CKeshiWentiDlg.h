#pragma once

#include "ContentPage.h"

#include <optional>

class CListCtrlCl;

// "选择问题": the questions of the current lesson, all of them or those of the current
// knowledge point. From here the teacher adds a question (through the knowledge-points
// page), opens one with its answer in the presenter to edit it, and deletes one. The page
// registers itself in the application object, where the presenter reaches it to store an
// edited question.
//
// Rows carry their question's ID. A list loaded for another subject, lesson or point than
// the current one is loaded again before the page acts on it.
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
    // A new question for the current knowledge point, in the presenter's new-question layout;
    // without one, says to choose it on the knowledge-points page first.
    void OnBnClickedAdd();
    // The first selected question with its answer, in the presenter's edit layout.
    void OnBnClickedEdit();
    void OnBnClickedDelete();
    void OnNMDblclkList(int item);
    void OnBnClickedAllQuestions();
    void OnBnClickedPointQuestions();
    // Writes the texts given into the question opened for editing (the presenter gives those
    // the teacher changed, so an untouched one keeps what is stored, NULL included), then
    // reloads the list. False after a reported failure.
    bool SaveQuestion(const std::optional<QString> &question, const std::optional<QString> &answer);

    CListCtrlCl *m_listWenti = nullptr;
    // The question opened for editing; -1 for none.
    qint64 m_nSelQuestionID = -1;
    // 1: every question of the lesson; 0: those of the current knowledge point.
    int m_bAllQuestions = 0;
    int m_nLoadCount = 0;

private:
    // The subject, lesson and, under the point filter, point whose questions the list shows
    // for the current selection and filter; all -1 for none.
    QList<int> CurrentListKey() const;
    // Loads the list again when it was loaded for another selection or filter.
    void MakeListCurrent();

    QList<int> m_listKey;
};

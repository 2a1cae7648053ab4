#pragma once

#include "ContentPage.h"
#include "core/PointNavigation.h"

class CListCtrlCl;

// "本课知识点": the knowledge points of the current lesson, by number. The teacher adds,
// edits and deletes points here, presents one full screen by a double-click and enters a
// new question for one ("添加问题"). The page registers itself in the application object,
// where the questions page and the presenter reach it: the presenter steps through the
// page's rows and the current point's questions with the operations below.
//
// The operations act on the subject and lesson the list was loaded for, so they always
// touch the points the teacher sees.
class CKeshiZhishidianPage : public ContentPage
{
    Q_OBJECT

public:
    enum ControlId {
        IDD = 164,
        IDC_LIST = 1052,
        IDC_ADD = 1003,
        IDC_EDIT = 1004,
        IDC_DELETE = 1005,
        IDC_ADD_WENTI = 1006,
    };
    enum Column { ColNumber = 0, ColText = 1, ColZhongdian = 2, ColNandian = 3 };

    explicit CKeshiZhishidianPage(QWidget *parent = nullptr);
    ~CKeshiZhishidianPage() override;

    // What the list shows for a point whose text was never entered (NULL).
    static QString NotEnteredPointText();

    bool OnInitDialog() override;
    void LoadZhishidianList();
    // "第%d课时的知识点", the text column's title.
    static QString PointsTitle(int keshiID);
    // A click on a row makes its point current; below the rows, no point is.
    void OnNMClickList(int item);
    // Presents the point full screen.
    void OnNMDblclkList(int item);
    void OnBnClickedAdd();
    void OnBnClickedEdit();
    void OnBnClickedDelete();
    // The presenter for a new question of the first selected point, or of the last one.
    void OnBnClickedAddWenti();
    // The presenter for a new question of the point of that row.
    void OpenNewQuestion(int row);
    // The row of the point of that number in the list as loaded for the current subject and
    // lesson; -1 when it has none.
    int RowOfPoint(int number) const;

    // The questions of the point of that number; 0 after a reported failure.
    int CountWenti(int n);
    // Stores a question of the current point; false after a reported failure or without a
    // current point. A stored question is met by the next question command.
    bool AddWenti(const QString &question, const QString &answer);
    // The next or previous point, staying on the last or the first: its text and number of
    // questions. An empty list gives an empty text and 0.
    void NextPoint(QString &text, int &count);
    void PrevPoint(QString &text, int &count);
    // The first question of the current point, then the previous or next one. A point
    // without questions shows "此知识点相关问题数目：0" and an empty answer; the texts
    // stay as they are when there is nothing to move to.
    void PrevQuestion(QString &question, QString &answer);
    void NextQuestion(QString &question, QString &answer);
    // Writes the current point's text and reloads the list; an unchanged text is not
    // written, so a point never entered stays so. False after a reported failure.
    bool SaveKnowledgePoint(const QString &text);
    void ResetQuestionCursor();

    const PointNavigation &Navigation() const { return m_navigation; }

    CListCtrlCl *m_listZhishidian = nullptr;
    // The double-clicked point's text, handed to the presenter.
    QString m_strPointText;
    // The subject and lesson the list was last loaded for; -1 before.
    int m_nLoadedKemuID = -1;
    int m_nLoadedKeshiID = -1;
    int m_nLoadCount = 0;

private:
    int PointNumber(int row) const;
    // The current row when the list still has it, otherwise -1.
    int CurrentRow() const;
    void StepPoint(PointNavigation::Direction direction, QString &text, int &count);
    void StepQuestion(PointNavigation::Direction direction, QString &question, QString &answer);

    PointNavigation m_navigation;
    // The presenter counts at every step: one prepared statement for the loaded subject,
    // kept with the connection it was made on, which it must not outlive.
    DatabaseConnection m_counterConnection;
    int m_nCounterKemuID = -1;
    std::optional<QuestionCounter> m_counter;
};

#pragma once

#include "ContentPage.h"
#include "core/LessonNavigator.h"

class CAddZhishidianDlg;
class CListCtrlCl;

// "本课知识点": the knowledge points of the current lesson, by number. The teacher adds,
// edits and deletes points here, presents one full screen by a double-click and enters a
// new question for one ("添加问题"). The page registers itself in the application object,
// where the questions page reaches it to add a question.
//
// The lesson's points, the current row and the question cursor are the page's lesson
// navigator, which it hands to the presenter it opens. A list loaded for another subject or
// lesson than the current one is loaded again before the page acts on it.
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

    bool OnInitDialog() override;
    // The points of the current lesson; with no lesson current, none.
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
    // The presenter for a new question of the point of that number in the current lesson;
    // without one, says to choose it here first.
    void AddWentiToPoint(int number);

    LessonNavigator &Navigator() { return m_navigator; }

    CListCtrlCl *m_listZhishidian = nullptr;
    // The double-clicked point's text, handed to the presenter.
    QString m_strPointText;
    int m_nLoadCount = 0;

private:
    // Whether the list holds the points of the current subject's current lesson.
    bool ShowsCurrentLesson() const;
    // Loads the list again when it shows another lesson than the current one; false when it
    // still does not (a failed load, said).
    bool ListIsCurrent();
    // A click names a row of the rows shown: on a list of another lesson it only loads the
    // list again (false).
    bool ListWasCurrent();
    // "请先在“选择课时”中选择课时" and false without a current lesson.
    bool LessonChosen() const;
    // The point entered in the dialog, stored while the dialog is still up; false after a
    // reported failure, so that the dialog stays with what was typed.
    bool StoreNewPoint(const CAddZhishidianDlg &dlg);
    // The same for an edit of the point of that number, shown with that text; rowGone is set
    // when the point was found deleted by another program.
    bool StoreEditedPoint(const CAddZhishidianDlg &dlg, int number, const QString &shown, bool &rowGone);
    void ShowPoints();
    int PointNumber(int row) const;
    void OpenNewQuestion(int row);
    // The number of the point's questions; 0 after a failure it has shown.
    int CountWenti(int n);

    LessonNavigator m_navigator;
};

#pragma once

#include "ContentPage.h"

class CListCtrlCl;

// "选择课时": the lessons of the current subject, by number. The teacher adds lessons,
// changes their titles and deletes them here; the lesson clicked, or after a load the
// last, is the current one that the knowledge-points and questions pages work on.
class CKeshiPage : public ContentPage
{
    Q_OBJECT

public:
    enum ControlId { IDD = 161, IDC_LIST = 1050, IDC_ADD = 1003, IDC_EDIT = 1004, IDC_DELETE = 1005 };
    enum Column { ColNumber = 0, ColTitle = 1 };

    explicit CKeshiPage(QWidget *parent = nullptr);

    bool OnInitDialog() override;
    void LoadKeshiList();
    void OnBnClickedAdd();
    void OnBnClickedEdit();
    void OnBnClickedDelete();
    // A click or double-click on the list: the row's lesson becomes current; below the
    // rows, the last row's.
    void OnNMClickList(int item);

    // Whether the list is that of the current subject and, when it has rows, the current lesson
    // is among them: another subject chosen and then this one again leaves no lesson current.
    bool ShowsCurrentLesson() const;

    CListCtrlCl *m_listKeshi = nullptr;
    // The subject the list was last loaded for; -1 before the first load, for none and after
    // a failed load.
    int m_nLoadedKemuID = -1;
    int m_nLoadCount = 0;

private:
    // "请先选择课目" and false when no subject is current; otherwise the list shows its
    // lessons, loaded again when it showed another subject's.
    bool subjectChosen();
};

#pragma once

#include "ContentPage.h"

class CListCtrlCl;

// "选择课目": the subjects of Kemu, in ID order. The teacher adds, renames and deletes
// subjects here; the subject clicked, or after a load the highest, is the current one that
// the other pages work on.
class CKemuPage : public ContentPage
{
    Q_OBJECT

public:
    enum ControlId { IDD = 191, IDC_LIST = 1050, IDC_ADD = 1003, IDC_EDIT = 1004, IDC_DELETE = 1005 };
    enum Column { ColName = 0, ColId = 1 };

    explicit CKemuPage(QWidget *parent = nullptr);

    bool OnInitDialog() override;
    void LoadKemuList();
    void OnBnClickedAdd();
    void OnBnClickedEdit();
    void OnBnClickedDelete();
    // A click or double-click on the list: the row's subject becomes current; below the
    // rows, the last row's.
    void OnNMClickList(int item);

    CListCtrlCl *m_listKemu = nullptr;
    int m_nLoadCount = 0;
    // Given by the browser: after an opening that failed, opens again before a subject is
    // added (saying why, when it still cannot). True with a connection.
    std::function<bool()> m_ensureConnection;
};

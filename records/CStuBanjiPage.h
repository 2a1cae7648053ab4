#pragma once

#include "core/GroupSelection.h"

#include "controls/CTabSheet.h"
#include "platform/base/Database.h"

#include <QWidget>

#include <optional>

class CListCtrlEx;
class CStudentInfoDlg;
class QPlainTextEdit;
class QPushButton;
class StudentStore;

// The groups page: every semester of every group with its roll-call tick. A click makes a
// row's group and semester the records window's current ones (CStudentInfoDlg::setCurrent).
class CStuBanjiPage : public QWidget, public CTabPage
{
    Q_OBJECT

public:
    enum ControlId { IDC_IMPORT = 1, IDC_ADD_SEMESTER = 4, IDC_EDIT = 2, IDC_DELETE = 3, IDC_LIST = 1051, IDC_INFO = 1000 };

    explicit CStuBanjiPage(QWidget *parent = nullptr);

    bool OnInitDialog() override;
    void RefreshGroupList();

    void OnNMClickList(int item);
    void OnCheckAllChanged();
    void OnBnClickedEdit();
    void OnBnClickedDelete();
    void OnBnClickedImportGroup();
    void OnBnClickedAddSemester();

    CListCtrlEx *m_listGroups = nullptr;
    DatabaseConnection m_pConnection;
    CStudentInfoDlg *m_pParentDlg = nullptr;
    QString m_strInfo;
    // The list shows the semesters of the file: its last reading came through.
    bool m_bListRead = false;

signals:
    // A group was imported; its number is also its first semester's ID.
    void groupImported(int groupId);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::optional<GroupSelection::Row> rowAt(int item) const;
    std::optional<GroupSelection::Row> firstSelectedRow() const;
    QList<GroupSelection::Row> allRows() const;
    void setRowTexts(int item, const GroupSelection::Row &row);
    void showInfo();

    QPlainTextEdit *m_editInfo = nullptr;
    // The group whose head count m_strInfo holds, 0 for none.
    int m_nInfoGroup = 0;
};

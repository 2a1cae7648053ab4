#pragma once

#include "platform/gui/ExchangeDialog.h"

class DataExchange;
class QLineEdit;
class QPushButton;

// "增加新小组": year, group, first semester and the roster file of a new group.
class CStuAddBanjiDlg : public ExchangeDialog
{
    Q_OBJECT

public:
    enum ControlId {
        IDC_YEAR = 1000,
        IDC_GROUP = 1001,
        IDC_SEMESTER = 1002,
        IDC_BROWSE = 1003,
        IDC_ROSTER_PATH = 1004,
        IDOK_BUTTON = 1,
        IDCANCEL_BUTTON = 2,
    };

    explicit CStuAddBanjiDlg(QWidget *parent = nullptr);
    ~CStuAddBanjiDlg() override;

    int m_nYear = 2010;
    QString m_strGroup;
    QString m_strSemester;
    QString m_strRosterPath;

    // Fields to members (true, validating) or members to fields; false when a field failed.
    void OnBnClickedBrowse();
    // The fields are taken and checked; a blank group or semester name is refused.
    void OnBnClickedOk();

protected:
    void DoDataExchange(DataExchange &dx) override;

private:
    QLineEdit *m_editYear = nullptr;
    QLineEdit *m_editGroup = nullptr;
    QLineEdit *m_editSemester = nullptr;
    QLineEdit *m_editRosterPath = nullptr;
    QPushButton *m_btnBrowse = nullptr;
    QPushButton *m_btnOk = nullptr;
    QPushButton *m_btnCancel = nullptr;
};

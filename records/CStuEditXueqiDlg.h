#pragma once

#include "platform/gui/ExchangeDialog.h"

class DataExchange;
class QLineEdit;

// "编辑学期": a semester row's year, group and semester name.
class CStuEditXueqiDlg : public ExchangeDialog
{
    Q_OBJECT

public:
    enum ControlId {
        IDC_YEAR = 1000,
        IDC_GROUP = 1001,
        IDC_SEMESTER = 1002,
        IDOK_BUTTON = 1,
        IDCANCEL_BUTTON = 2,
    };

    explicit CStuEditXueqiDlg(QWidget *parent = nullptr);
    ~CStuEditXueqiDlg() override;

    // The fields are taken and checked; a blank group or semester name is refused.
    void OnBnClickedOk();

    int m_nYear = 0;
    QString m_strGroup;
    QString m_strSemester;


protected:
    void DoDataExchange(DataExchange &dx) override;

private:
    QLineEdit *m_editYear = nullptr;
    QLineEdit *m_editGroup = nullptr;
    QLineEdit *m_editSemester = nullptr;
};

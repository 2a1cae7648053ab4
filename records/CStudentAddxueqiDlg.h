#pragma once

#include "platform/gui/ExchangeDialog.h"

class DataExchange;
class QLineEdit;
class QPushButton;

// "增加新学期": the selected group's year and name (read-only) and the new semester's name.
class CStudentAddxueqiDlg : public ExchangeDialog
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

    explicit CStudentAddxueqiDlg(QWidget *parent = nullptr);
    ~CStudentAddxueqiDlg() override;

    // The fields are taken and checked; a blank semester name is refused.
    void OnBnClickedOk();

    QString m_strYear;
    QString m_strGroup;
    QString m_strSemester;


protected:
    void DoDataExchange(DataExchange &dx) override;

private:
    QLineEdit *m_editYear = nullptr;
    QLineEdit *m_editGroup = nullptr;
    QLineEdit *m_editSemester = nullptr;
};

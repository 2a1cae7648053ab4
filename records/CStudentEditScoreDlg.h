#pragma once

#include "platform/gui/ExchangeDialog.h"

#include <QString>

class DataExchange;
class QLineEdit;

// "编辑分数": the four answer counts of one student in the current semester. Each must be a
// whole number, none negative.
class CStudentEditScoreDlg : public ExchangeDialog
{
    Q_OBJECT

public:
    enum ControlId {
        IDOK_BUTTON = 1,
        IDCANCEL_BUTTON = 2,
        IDC_YOUXIU = 1000,
        IDC_YIBAN = 1001,
        IDC_LIANG = 1002,
        IDC_KUANGKE = 1003,
        IDC_NUMBER = 1004,
        IDC_NAME = 1005,
    };

    explicit CStudentEditScoreDlg(QWidget *parent = nullptr);
    ~CStudentEditScoreDlg() override;

    static QString negativeMessage(); // "次数不能是负数，请输入0或更大的整数。"

    // The fields are taken and checked; a negative count is refused with its field focused.
    void OnBnClickedOk();

    QString m_strNumber;
    QString m_strName;
    int m_nYouxiu = 0;
    int m_nLiang = 0;
    int m_nYiban = 0;
    int m_nKuangke = 0;

protected:
    void DoDataExchange(DataExchange &dx) override;

private:
    QLineEdit *m_editNumber = nullptr;
    QLineEdit *m_editName = nullptr;
    QLineEdit *m_editYouxiu = nullptr;
    QLineEdit *m_editLiang = nullptr;
    QLineEdit *m_editYiban = nullptr;
    QLineEdit *m_editKuangke = nullptr;
};

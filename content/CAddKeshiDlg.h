#pragma once

#include "platform/gui/ExchangeDialog.h"

#include <functional>

class QLineEdit;
class QPlainTextEdit;

// "增加课时": a lesson's number, 1 to 100, and its title of one or more lines.
class CAddKeshiDlg : public ExchangeDialog
{
    Q_OBJECT

public:
    enum ControlId { IDD = 162, IDC_NUMBER = 1000, IDC_TITLE = 1001, IDOK_BUTTON = 1, IDCANCEL_BUTTON = 2 };
    static constexpr int kMinNumber = 1;
    static constexpr int kMaxNumber = 100;

    explicit CAddKeshiDlg(QWidget *parent = nullptr);
    ~CAddKeshiDlg() override;

    int m_nKeshi = 0;
    QString m_strTitle;

protected:
    void DoDataExchange(DataExchange &dx) override;

private:
    QLineEdit *m_editNumber = nullptr;
    QPlainTextEdit *m_editTitle = nullptr;
};

#include "CAddKeshiDlg.h"

#include "platform/gui/DataExchange.h"
#include "platform/gui/DialogTemplate.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

CAddKeshiDlg::CAddKeshiDlg(QWidget *parent)
    : ExchangeDialog(parent)
{
    setObjectName(QStringLiteral("dialog%1").arg(IDD));
    setWindowTitle(QStringLiteral("增加课时"));
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 324, 212);
    tmpl.place(new QLabel(QStringLiteral("第几课时："), this), 7, 9, 60, 14);
    m_editNumber = tmpl.addEdit(this, IDC_NUMBER, 70, 7, 43, 14);
    tmpl.place(new QLabel(QStringLiteral("本次课的题目："), this), 7, 49, 60, 14);
    // Enter starts a new line of the title.
    m_editTitle = new QPlainTextEdit(this);
    m_editTitle->setObjectName(QStringLiteral("edit%1").arg(IDC_TITLE));
    m_editTitle->setTabChangesFocus(true);
    tmpl.place(m_editTitle, 7, 70, 310, 107);
    QPushButton *ok = tmpl.addButton(this, IDOK_BUTTON, QStringLiteral("确定"), 205, 191, 50, 14);
    ok->setDefault(true);
    QPushButton *cancel = tmpl.addButton(this, IDCANCEL_BUTTON, QStringLiteral("取消"), 267, 191, 50, 14);

    connect(ok, &QPushButton::clicked, this, &ExchangeDialog::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

CAddKeshiDlg::~CAddKeshiDlg() = default;

void CAddKeshiDlg::DoDataExchange(DataExchange &dx)
{
    dx.number(m_editNumber, m_nKeshi);
    dx.text(m_editTitle, m_strTitle);
    dx.range(m_editNumber, m_nKeshi, kMinNumber, kMaxNumber);
}

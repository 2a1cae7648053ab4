#include "CKemuPage_Add.h"

#include "platform/gui/DataExchange.h"
#include "platform/gui/DialogTemplate.h"

#include <QLineEdit>
#include <QPushButton>

CKemuPage_Add::CKemuPage_Add(QWidget *parent)
    : ExchangeDialog(parent)
{
    setObjectName(QStringLiteral("dialog%1").arg(IDD));
    setWindowTitle(QStringLiteral("课目"));
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 316, 50);
    m_editName = tmpl.addEdit(this, IDC_NAME, 69, 7, 161, 14);
    QPushButton *ok = tmpl.addButton(this, IDOK_BUTTON, QStringLiteral("确定"), 60, 29, 50, 14);
    ok->setDefault(true);
    QPushButton *cancel = tmpl.addButton(this, IDCANCEL_BUTTON, QStringLiteral("取消"), 179, 29, 50, 14);

    connect(ok, &QPushButton::clicked, this, &CKemuPage_Add::OnBnClickedOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

CKemuPage_Add::~CKemuPage_Add() = default;

void CKemuPage_Add::OnBnClickedOk()
{
    OnOK();
}

void CKemuPage_Add::DoDataExchange(DataExchange &dx)
{
    dx.text(m_editName, m_strKemu);
}

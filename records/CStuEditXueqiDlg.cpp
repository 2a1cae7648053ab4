#include "CStuEditXueqiDlg.h"

#include "RequiredName.h"

#include "platform/gui/DataExchange.h"
#include "platform/gui/DialogTemplate.h"

#include <QLineEdit>
#include <QPushButton>

CStuEditXueqiDlg::CStuEditXueqiDlg(QWidget *parent)
    : ExchangeDialog(parent)
{
    setWindowTitle(QStringLiteral("编辑学期"));
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 445, 74);
    m_editYear = tmpl.addEdit(this, IDC_YEAR, 7, 20, 102, 14);
    m_editGroup = tmpl.addEdit(this, IDC_GROUP, 117, 20, 116, 14);
    m_editSemester = tmpl.addEdit(this, IDC_SEMESTER, 235, 20, 192, 14);
    // Below the fields, as on the new-semester form.
    QPushButton *ok = tmpl.addButton(this, IDOK_BUTTON, QStringLiteral("确定"), 105, 53, 50, 14);
    ok->setDefault(true);
    QPushButton *cancel = tmpl.addButton(this, IDCANCEL_BUTTON, QStringLiteral("取消"), 331, 53, 50, 14);

    connect(ok, &QPushButton::clicked, this, &CStuEditXueqiDlg::OnBnClickedOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

CStuEditXueqiDlg::~CStuEditXueqiDlg() = default;

void CStuEditXueqiDlg::DoDataExchange(DataExchange &dx)
{
    dx.number(m_editYear, m_nYear);
    dx.text(m_editGroup, m_strGroup);
    dx.text(m_editSemester, m_strSemester);
}

void CStuEditXueqiDlg::OnBnClickedOk()
{
    if (!UpdateData(true) || RequiredName::refused(m_editGroup, m_strGroup, RequiredName::groupMessage())
        || RequiredName::refused(m_editSemester, m_strSemester, RequiredName::semesterMessage()))
        return;
    accept();
}

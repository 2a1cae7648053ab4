#include "CStudentAddxueqiDlg.h"

#include "RequiredName.h"

#include "platform/gui/DataExchange.h"
#include "platform/gui/DialogTemplate.h"

#include <QLineEdit>
#include <QPushButton>

CStudentAddxueqiDlg::CStudentAddxueqiDlg(QWidget *parent)
    : ExchangeDialog(parent)
{
    setWindowTitle(QStringLiteral("增加新学期"));
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 454, 68);
    m_editYear = tmpl.addEdit(this, IDC_YEAR, 7, 20, 102, 14);
    m_editYear->setReadOnly(true);
    m_editGroup = tmpl.addEdit(this, IDC_GROUP, 117, 20, 116, 14);
    m_editGroup->setReadOnly(true);
    m_editSemester = tmpl.addEdit(this, IDC_SEMESTER, 245, 20, 202, 14);
    QPushButton *ok = tmpl.addButton(this, IDOK_BUTTON, QStringLiteral("确定"), 105, 47, 50, 14);
    ok->setDefault(true);
    QPushButton *cancel = tmpl.addButton(this, IDCANCEL_BUTTON, QStringLiteral("取消"), 331, 47, 50, 14);

    connect(ok, &QPushButton::clicked, this, &CStudentAddxueqiDlg::OnBnClickedOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

CStudentAddxueqiDlg::~CStudentAddxueqiDlg() = default;

void CStudentAddxueqiDlg::DoDataExchange(DataExchange &dx)
{
    dx.text(m_editYear, m_strYear);
    dx.text(m_editGroup, m_strGroup);
    dx.text(m_editSemester, m_strSemester);
}

void CStudentAddxueqiDlg::OnBnClickedOk()
{
    if (!UpdateData(true) || RequiredName::refused(m_editSemester, m_strSemester, RequiredName::semesterMessage()))
        return;
    accept();
}

#include "CStuEditXueqiDlg.h"

#include "platform/gui/DataExchange.h"
#include "platform/gui/DialogTemplate.h"

#include <QLineEdit>
#include <QPushButton>

CStuEditXueqiDlg::CStuEditXueqiDlg(QWidget *parent)
    : ExchangeDialog(parent)
{
    setWindowTitle(QStringLiteral("编辑学期"));
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 445, 74);
    auto edit = [&](int id, int x, int y, int w, int h) {
        auto field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("edit%1").arg(id));
        tmpl.place(field, x, y, w, h);
        return field;
    };
    auto button = [&](int id, const QString &caption, int x, int y, int w, int h) {
        auto pushButton = new QPushButton(caption, this);
        pushButton->setObjectName(QStringLiteral("button%1").arg(id));
        pushButton->setAutoDefault(false);
        tmpl.place(pushButton, x, y, w, h);
        return pushButton;
    };
    m_editYear = edit(IDC_YEAR, 7, 20, 102, 14);
    m_editGroup = edit(IDC_GROUP, 117, 20, 116, 14);
    m_editSemester = edit(IDC_SEMESTER, 235, 20, 192, 14);
    // Below the fields, as on the new-semester form.
    QPushButton *ok = button(IDOK_BUTTON, QStringLiteral("确定"), 105, 53, 50, 14);
    ok->setDefault(true);
    QPushButton *cancel = button(IDCANCEL_BUTTON, QStringLiteral("取消"), 331, 53, 50, 14);

    connect(ok, &QPushButton::clicked, this, &ExchangeDialog::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

CStuEditXueqiDlg::~CStuEditXueqiDlg() = default;

void CStuEditXueqiDlg::DoDataExchange(DataExchange &dx)
{
    dx.number(m_editYear, m_nYear);
    dx.text(m_editGroup, m_strGroup);
    dx.text(m_editSemester, m_strSemester);
}

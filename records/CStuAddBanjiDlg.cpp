#include "CStuAddBanjiDlg.h"

#include "platform/gui/DataExchange.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Prompt.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CStuAddBanjiDlg::CStuAddBanjiDlg(QWidget *parent)
    : ExchangeDialog(parent)
{
    setWindowTitle(QStringLiteral("增加新小组"));
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 439, 222);
    auto label = [&](const QString &text, int x, int y, int w, int h) {
        tmpl.place(new QLabel(text, this), x, y, w, h);
    };
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

    label(QStringLiteral("入学年："), 7, 7, 33, 13);
    label(QStringLiteral("小组："), 7, 44, 36, 14);
    label(QStringLiteral("学期："), 7, 79, 32, 14);
    label(QStringLiteral("导入学名册："), 7, 121, 57, 14);
    m_editYear = edit(IDC_YEAR, 60, 7, 117, 14);
    m_editGroup = edit(IDC_GROUP, 60, 44, 116, 14);
    m_editSemester = edit(IDC_SEMESTER, 60, 79, 115, 14);
    m_editRosterPath = edit(IDC_ROSTER_PATH, 60, 119, 228, 14);
    m_editRosterPath->setReadOnly(true);
    label(QStringLiteral("尽量使用数字表示 如：1班 2班 "), 186, 48, 224, 11);
    m_btnBrowse = button(IDC_BROWSE, QStringLiteral("..."), 382, 118, 50, 14);
    m_btnOk = button(IDOK_BUTTON, QStringLiteral("确定"), 79, 201, 50, 14);
    m_btnOk->setDefault(true);
    m_btnCancel = button(IDCANCEL_BUTTON, QStringLiteral("取消"), 205, 201, 50, 14);

    connect(m_btnBrowse, &QPushButton::clicked, this, &CStuAddBanjiDlg::OnBnClickedBrowse);
    connect(m_btnOk, &QPushButton::clicked, this, &ExchangeDialog::OnOK);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

CStuAddBanjiDlg::~CStuAddBanjiDlg() = default;

void CStuAddBanjiDlg::DoDataExchange(DataExchange &dx)
{
    dx.number(m_editYear, m_nYear);
    dx.text(m_editGroup, m_strGroup);
    dx.text(m_editSemester, m_strSemester);
    dx.text(m_editRosterPath, m_strRosterPath);
}

void CStuAddBanjiDlg::OnBnClickedBrowse()
{
    // A year that is not a number is reported, but the roster can still be chosen.
    UpdateData(true);
    const QString path = Prompt::openFileName(nullptr, QString(), QString(),
                                              QStringLiteral("txt File(*.txt);;All Files(*.*)"));
    if (path.isEmpty())
        return;
    m_strRosterPath = path;
    UpdateData(false);
}

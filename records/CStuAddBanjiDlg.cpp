#include "CStuAddBanjiDlg.h"

#include "RequiredName.h"

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

    label(QStringLiteral("入学年："), 7, 7, 33, 13);
    label(QStringLiteral("小组："), 7, 44, 36, 14);
    label(QStringLiteral("学期："), 7, 79, 32, 14);
    label(QStringLiteral("导入学名册："), 7, 121, 57, 14);
    m_editYear = tmpl.addEdit(this, IDC_YEAR, 60, 7, 117, 14);
    m_editGroup = tmpl.addEdit(this, IDC_GROUP, 60, 44, 116, 14);
    m_editSemester = tmpl.addEdit(this, IDC_SEMESTER, 60, 79, 115, 14);
    m_editRosterPath = tmpl.addEdit(this, IDC_ROSTER_PATH, 60, 119, 228, 14);
    m_editRosterPath->setReadOnly(true);
    label(QStringLiteral("尽量使用数字表示 如：1班 2班 "), 186, 48, 224, 11);
    m_btnBrowse = tmpl.addButton(this, IDC_BROWSE, QStringLiteral("..."), 382, 118, 50, 14);
    m_btnOk = tmpl.addButton(this, IDOK_BUTTON, QStringLiteral("确定"), 79, 201, 50, 14);
    m_btnOk->setDefault(true);
    m_btnCancel = tmpl.addButton(this, IDCANCEL_BUTTON, QStringLiteral("取消"), 205, 201, 50, 14);

    connect(m_btnBrowse, &QPushButton::clicked, this, &CStuAddBanjiDlg::OnBnClickedBrowse);
    connect(m_btnOk, &QPushButton::clicked, this, &CStuAddBanjiDlg::OnBnClickedOk);
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

void CStuAddBanjiDlg::OnBnClickedOk()
{
    if (!UpdateData(true) || RequiredName::refused(m_editGroup, m_strGroup, RequiredName::groupMessage())
        || RequiredName::refused(m_editSemester, m_strSemester, RequiredName::semesterMessage()))
        return;
    accept();
}

#include "CKemuPage.h"

#include "CKemuPage_Add.h"
#include "ContentSelection.h"

#include "controls/CListCtrlCl.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Prompt.h"

#include <QPushButton>

CKemuPage::CKemuPage(QWidget *parent)
    : ContentPage(parent)
{
    setObjectName(QStringLiteral("page%1").arg(IDD));
}

bool CKemuPage::OnInitDialog()
{
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 760, 367);
    m_listKemu = new CListCtrlCl(this);
    m_listKemu->setObjectName(QStringLiteral("list%1").arg(IDC_LIST));
    // List and buttons end inside the question browser's tab, which is lower than this
    // page's template.
    tmpl.place(m_listKemu, 7, 7, 475, 322);
    auto button = [&](int id, const QString &caption, int x, int width, void (CKemuPage::*handler)()) {
        QPushButton *b = tmpl.addButton(this, id, caption, x, 333, width, 14);
        connect(b, &QPushButton::clicked, this, handler);
    };
    button(IDC_ADD, QStringLiteral("增加课目"), 112, 50, &CKemuPage::OnBnClickedAdd);
    button(IDC_EDIT, QStringLiteral("编辑课目"), 195, 50, &CKemuPage::OnBnClickedEdit);
    button(IDC_DELETE, QStringLiteral("删除选定课目"), 280, 74, &CKemuPage::OnBnClickedDelete);

    m_listKemu->InsertColumn(ColName, QStringLiteral("课目"), ReportListView::LVCFMT_CENTER,
                             m_listKemu->GetClientRect().width());
    m_listKemu->InsertColumn(ColId, QStringLiteral("ID"), ReportListView::LVCFMT_LEFT, 0);
    ContentListLook::subjectsAndLessons().applyTo(*m_listKemu);
    connect(m_listKemu, &ReportListView::NMClick, this, &CKemuPage::OnNMClickList);
    connect(m_listKemu, &ReportListView::NMDblclk, this, &CKemuPage::OnNMClickList);
    TakeClicksBelowRows(*m_listKemu);

    LoadKemuList();
    return true;
}

void CKemuPage::LoadKemuList()
{
    ++m_nLoadCount;
    m_listKemu->DeleteAllItems();
    if (!HasDatabase()) {
        ContentSelection::setSubject(-1);
        return;
    }
    QList<SubjectRecord> subjects;
    try {
        subjects = store().subjects();
    } catch (const DbError &error) {
        ShowError(error.message(), QStringLiteral("更新数据失败！"));
        ContentSelection::setSubject(-1);
        return;
    }
    if (subjects.isEmpty()) {
        Prompt::app(QStringLiteral("数据库为空"));
        ContentSelection::setSubject(-1);
        return;
    }
    for (int n = 0; n < subjects.size(); ++n) {
        const SubjectRecord &subject = subjects.at(n);
        m_listKemu->InsertItem(n, subject.name.value_or(NotEnteredText()));
        m_listKemu->SetItemText(n, ColId, QString::number(subject.id));
        m_listKemu->SetItemData(n, subject.id);
    }
    // The highest subject is current after every load.
    const int last = static_cast<int>(subjects.size()) - 1;
    m_listKemu->SetItemSelected(last, true);
    ContentSelection::setSubject(subjects.last().id);
}

void CKemuPage::OnBnClickedAdd()
{
    if (m_ensureConnection && !m_ensureConnection())
        return;
    CKemuPage_Add dlg(this);
    // Stored at "确定", so that a failure keeps the dialog with the name typed.
    dlg.setAcceptCheck([&] {
        return Stored([&] { store().addSubject(dlg.m_strKemu); }, QStringLiteral("更新数据失败！"));
    });
    if (dlg.exec() == QDialog::Accepted)
        LoadKemuList();
}

void CKemuPage::OnBnClickedEdit()
{
    const int item = m_listKemu->GetNextSelectedItem(-1);
    if (item < 0) {
        Prompt::app(QStringLiteral("请选择要编辑的条目！"));
        return;
    }
    const int kemuID = RowKey(*m_listKemu, item);
    CKemuPage_Add dlg(this);
    dlg.m_strKemu = m_listKemu->GetItemText(item, ColName);
    bool rowGone = false;
    dlg.setAcceptCheck([&] {
        return Stored([&] { store().renameSubject(kemuID, dlg.m_strKemu); }, QStringLiteral("编辑数据失败"),
                      &rowGone);
    });
    if (dlg.exec() == QDialog::Accepted || rowGone)
        LoadKemuList();
}

void CKemuPage::OnBnClickedDelete()
{
    const int item = m_listKemu->GetNextSelectedItem(-1);
    if (item < 0) {
        Prompt::app(QStringLiteral("请选择要删除的课目！"));
        return;
    }
    const int kemuID = RowKey(*m_listKemu, item);
    try {
        if (store().deleteSubject(kemuID) == ContentStore::Outcome::InUse) {
            Prompt::app(QStringLiteral("请先删除%1中的课时").arg(ContentStore::lessonTable(kemuID)));
            return;
        }
    } catch (const DbError &error) {
        ShowError(error.message(), QStringLiteral("删除数据失败"));
        return;
    }
    LoadKemuList();
}

void CKemuPage::OnNMClickList(int item)
{
    const int row = TakeClickedRow(*m_listKemu, item);
    ContentSelection::setSubject(row < 0 ? -1 : RowKey(*m_listKemu, row));
}

#include "CStuBanjiPage.h"

#include "CStudentInfoDlg.h"
#include "GroupPageActions.h"
#include "core/StudentStore.h"

#include "controls/CListCtrlEx.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Prompt.h"

#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

constexpr int kRowHeight = 24;
constexpr quint32 kGridAndFullRow = 0x21;
enum Column { ColTick = 0, ColYear = 1, ColGroup = 2, ColSemester = 3 };

} // namespace

CStuBanjiPage::CStuBanjiPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageBanji"));
}

bool CStuBanjiPage::OnInitDialog()
{
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 735, 310);
    auto button = [&](int id, const QString &caption, int x, void (CStuBanjiPage::*handler)()) {
        auto b = new QPushButton(caption, this);
        b->setObjectName(QStringLiteral("button%1").arg(id));
        // A little higher than the template: the records window's tab ends above its foot.
        tmpl.place(b, x, 281, 50, 14);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    button(IDC_IMPORT, QStringLiteral("导入小组"), 51, &CStuBanjiPage::OnBnClickedImportGroup)->setDefault(true);
    button(IDC_ADD_SEMESTER, QStringLiteral("增加学期"), 123, &CStuBanjiPage::OnBnClickedAddSemester);
    button(IDC_EDIT, QStringLiteral("编辑"), 203, &CStuBanjiPage::OnBnClickedEdit);
    button(IDC_DELETE, QStringLiteral("删除"), 319, &CStuBanjiPage::OnBnClickedDelete);

    m_listGroups = new CListCtrlEx(this);
    m_listGroups->setObjectName(QStringLiteral("list1051"));
    m_listGroups->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tmpl.place(m_listGroups, 7, 7, 515, 271);
    m_editInfo = new QPlainTextEdit(this);
    m_editInfo->setObjectName(QStringLiteral("edit1000"));
    m_editInfo->setReadOnly(true);
    m_editInfo->setLineWrapMode(QPlainTextEdit::NoWrap);
    tmpl.place(m_editInfo, 530, 20, 186, 89);

    m_listGroups->AddColumn(ColTick, QString(), 0, 20);
    m_listGroups->AddColumn(ColYear, QStringLiteral("入学年"), 0, 90);
    m_listGroups->AddColumn(ColGroup, QStringLiteral("小组"), 0, 90);
    m_listGroups->AddColumn(ColSemester, QStringLiteral("学期"), 0, m_listGroups->GetClientRect().width() - 200);
    m_listGroups->SetExtendedStyle(m_listGroups->GetExtendedStyle() | kGridAndFullRow);
    m_listGroups->SetRowHeight(kRowHeight);

    connect(m_listGroups, &CListCtrlEx::NMClick, this, [this](int item) {
        if (item >= 0)
            OnNMClickList(item);
    });
    connect(m_listGroups, &CListCtrlEx::checkAllChanged, this, &CStuBanjiPage::OnCheckAllChanged);
    // The list drops a press below its rows; the page still treats it as a click on the last row.
    m_listGroups->viewport()->installEventFilter(this);

    RefreshGroupList();
    return true;
}

bool CStuBanjiPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_listGroups->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && m_listGroups->HitTest(mouse->position().toPoint()) < 0)
            OnNMClickList(-1);
    }
    return QWidget::eventFilter(watched, event);
}

void CStuBanjiPage::RefreshGroupList()
{
    m_listGroups->m_Header.OnReset();
    m_listGroups->m_vecRows.clear();
    m_listGroups->FreeItemData();
    m_listGroups->DeleteAllItems();
    m_bListRead = false;
    // Without an open file the window has said why; the list stays empty without a word.
    if (!m_pConnection || !m_pConnection->isOpen())
        return;
    QList<SemesterRecord> semesters;
    try {
        semesters = StudentStore(*m_pConnection).semesters();
    } catch (const DbError &error) {
        Prompt::app(error.message());
        return;
    }
    m_bListRead = true;
    const GroupSelection::Listing listing
        = GroupSelection::list(semesters, m_pParentDlg->m_nGroupID, m_pParentDlg->m_nClassID);
    for (int i = 0; i < listing.rows.size(); ++i) {
        const GroupSelection::Row &row = listing.rows.at(i);
        m_listGroups->InsertCheckRow(i, 0, row.ticked);
        m_listGroups->SetItemData(i, row.id);
        setRowTexts(i, row);
    }
    if (listing.selectedRow >= 0)
        m_listGroups->SetItemSelected(listing.selectedRow, true);
    // When the current semester is gone the last row's takes its place, and the roster tab
    // then shows that semester's group: its buttons act on the current group.
    m_pParentDlg->setCurrent(listing.groupId, listing.classId);
    // A head count is shown only of the current group.
    if (m_nInfoGroup != listing.groupId) {
        m_nInfoGroup = 0;
        m_strInfo.clear();
        showInfo();
    }
}

void CStuBanjiPage::setRowTexts(int item, const GroupSelection::Row &row)
{
    m_listGroups->SetItemText(item, ColYear, row.year);
    m_listGroups->SetItemText(item, ColGroup, row.group);
    m_listGroups->SetItemText(item, ColSemester, row.semester);
}

std::optional<GroupSelection::Row> CStuBanjiPage::rowAt(int item) const
{
    if (item < 0 || item >= m_listGroups->GetItemCount())
        return std::nullopt;
    GroupSelection::Row row;
    row.ticked = m_listGroups->IsRowChecked(item);
    row.year = m_listGroups->GetItemText(item, ColYear);
    row.group = m_listGroups->GetItemText(item, ColGroup);
    row.semester = m_listGroups->GetItemText(item, ColSemester);
    row.id = static_cast<int>(m_listGroups->GetItemData(item));
    return row;
}

std::optional<GroupSelection::Row> CStuBanjiPage::firstSelectedRow() const
{
    return rowAt(m_listGroups->GetNextSelectedItem(-1));
}

QList<GroupSelection::Row> CStuBanjiPage::allRows() const
{
    QList<GroupSelection::Row> rows;
    for (int i = 0; i < m_listGroups->GetItemCount(); ++i)
        rows << *rowAt(i);
    return rows;
}

void CStuBanjiPage::OnNMClickList(int item)
{
    if (item < 0) {
        const int count = m_listGroups->GetItemCount();
        if (count == 0)
            return;
        item = count - 1;
        m_listGroups->SetItemSelected(item, true);
    }
    const GroupSelection::Row row = *rowAt(item);
    const GroupSelection::Click click = GroupSelection::click(StudentStore(*m_pConnection), row,
                                                              m_pParentDlg->m_nGroupID, m_pParentDlg->m_nClassID);
    if (click.storedTick)
        m_listGroups->SetRowChecked(item, *click.storedTick);
    m_pParentDlg->setCurrent(click.groupId, click.classId);
    if (click.info) {
        m_nInfoGroup = click.groupId;
        m_strInfo = *click.info;
        showInfo();
    }
    if (!click.error.isEmpty())
        Prompt::app(click.error);
}

void CStuBanjiPage::showInfo()
{
    m_editInfo->setPlainText(QString(m_strInfo).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void CStuBanjiPage::OnCheckAllChanged()
{
    if (!GroupPageActions::StoreTicks(StudentStore(*m_pConnection), allRows()))
        m_listGroups->RestoreChecksBeforeAll();
}

void CStuBanjiPage::OnBnClickedEdit()
{
    const int item = m_listGroups->GetNextSelectedItem(-1);
    if (const auto renamed = GroupPageActions::EditSemester(this, StudentStore(*m_pConnection), rowAt(item)))
        setRowTexts(item, *renamed);
}

void CStuBanjiPage::OnBnClickedDelete()
{
    if (GroupPageActions::DeleteSemester(this, StudentStore(*m_pConnection), firstSelectedRow()))
        RefreshGroupList();
}

void CStuBanjiPage::OnBnClickedImportGroup()
{
    if (!m_pParentDlg->EnsureConnection())
        return;
    const std::optional<int> group = GroupPageActions::ImportGroup(this, StudentStore(*m_pConnection));
    if (!group)
        return;
    // The window makes the new group current first, so the list then marks its row.
    emit groupImported(*group);
    RefreshGroupList();
}

void CStuBanjiPage::OnBnClickedAddSemester()
{
    const int selected = m_listGroups->GetNextSelectedItem(-1);
    const auto added = GroupPageActions::AddSemester(this, StudentStore(*m_pConnection), rowAt(selected),
                                                     m_pParentDlg->m_nGroupID);
    if (!added)
        return;
    m_pParentDlg->setCurrent(added->groupId, added->classId);
    RefreshGroupList();
    if (selected + 1 < m_listGroups->GetItemCount())
        m_listGroups->SetItemSelected(selected + 1, true);
}

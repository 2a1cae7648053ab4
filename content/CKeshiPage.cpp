#include "CKeshiPage.h"

#include "CAddKeshiDlg.h"
#include "ContentSelection.h"

#include "application/CPellorApp.h"
#include "controls/CListCtrlCl.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Prompt.h"

#include <QPushButton>

namespace {
constexpr int kNumberWidth = 50;
} // namespace

CKeshiPage::CKeshiPage(QWidget *parent)
    : ContentPage(parent)
{
    setObjectName(QStringLiteral("page%1").arg(IDD));
}

bool CKeshiPage::OnInitDialog()
{
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 760, 367);
    m_listKeshi = new CListCtrlCl(this);
    m_listKeshi->setObjectName(QStringLiteral("list%1").arg(IDC_LIST));
    // List and buttons end inside the question browser's tab, which is narrower and lower
    // than this page's template.
    tmpl.place(m_listKeshi, 7, 7, 738, 322);
    auto button = [&](int id, const QString &caption, int x, int width, void (CKeshiPage::*handler)()) {
        QPushButton *b = tmpl.addButton(this, id, caption, x, 333, width, 14);
        connect(b, &QPushButton::clicked, this, handler);
    };
    button(IDC_ADD, QStringLiteral("增加课时"), 160, 50, &CKeshiPage::OnBnClickedAdd);
    button(IDC_EDIT, QStringLiteral("编辑课时"), 243, 50, &CKeshiPage::OnBnClickedEdit);
    button(IDC_DELETE, QStringLiteral("删除选定课时"), 328, 74, &CKeshiPage::OnBnClickedDelete);

    const int width = m_listKeshi->GetClientRect().width();
    m_listKeshi->InsertColumn(ColNumber, QStringLiteral("课时"), ReportListView::LVCFMT_CENTER, kNumberWidth);
    m_listKeshi->InsertColumn(ColTitle, QStringLiteral("题目"), ReportListView::LVCFMT_LEFT, width - kNumberWidth);
    ContentListLook::subjectsAndLessons().applyTo(*m_listKeshi);
    connect(m_listKeshi, &ReportListView::NMClick, this, &CKeshiPage::OnNMClickList);
    connect(m_listKeshi, &ReportListView::NMDblclk, this, &CKeshiPage::OnNMClickList);
    TakeClicksBelowRows(*m_listKeshi);

    LoadKeshiList();
    return true;
}

bool CKeshiPage::subjectChosen()
{
    if (theApp().m_nKemuID < 0) {
        Prompt::app(QStringLiteral("请先选择课目"));
        return false;
    }
    // Rows of another subject are never acted on.
    if (!ShowsCurrentLesson())
        LoadKeshiList();
    return true;
}

bool CKeshiPage::ShowsCurrentLesson() const
{
    const CPellorApp &app = theApp();
    return m_nLoadedKemuID == app.m_nKemuID && (m_listKeshi->GetItemCount() == 0 || app.m_nKeshiID >= 0);
}

void CKeshiPage::LoadKeshiList()
{
    ++m_nLoadCount;
    const int kemuID = theApp().m_nKemuID;
    m_nLoadedKemuID = kemuID;
    if (!HasDatabase()) {
        m_listKeshi->DeleteAllItems();
        m_nLoadedKemuID = -1;
        return;
    }
    // The rows are replaced in one step when there are new ones: emptied first, the list would
    // lose its scroll bar and repaint the whole page.
    if (kemuID < 0) {
        m_listKeshi->DeleteAllItems();
        Prompt::app(QStringLiteral("请先选择课目"));
        return;
    }
    QList<LessonRecord> lessons;
    try {
        lessons = store().lessons(kemuID);
    } catch (const DbError &error) {
        m_listKeshi->DeleteAllItems();
        ShowError(error.message(), QStringLiteral("更新数据失败！"));
        // Loaded for no subject: the next tab change or action tries again.
        m_nLoadedKemuID = -1;
        ContentSelection::setLesson(-1);
        return;
    }
    if (lessons.isEmpty()) {
        m_listKeshi->DeleteAllItems();
        ContentSelection::setLesson(-1);
        return;
    }
    QList<ReportListModel::Row> rows;
    rows.reserve(lessons.size());
    for (const LessonRecord &lesson : std::as_const(lessons))
        rows.append({{QString::number(lesson.number), lesson.title.value_or(NotEnteredText())}, lesson.number});
    m_listKeshi->SetRows(std::move(rows));
    // The last lesson is current after every load.
    m_listKeshi->SetItemSelected(static_cast<int>(lessons.size()) - 1, true);
    ContentSelection::setLesson(lessons.last().number);
}

void CKeshiPage::OnBnClickedAdd()
{
    if (!subjectChosen())
        return;
    const int rows = m_listKeshi->GetItemCount();
    CAddKeshiDlg dlg(this);
    dlg.m_nKeshi = rows == 0 ? 1 : RowKey(*m_listKeshi, rows - 1) + 1;
    // Stored at "确定": a number the subject has already, or a failure, keeps the dialog with
    // what was typed.
    dlg.setAcceptCheck([&] {
        const QString title
            = dlg.m_strTitle.isEmpty() ? QStringLiteral("第%1课的题目").arg(dlg.m_nKeshi) : dlg.m_strTitle;
        ContentStore::Outcome outcome = ContentStore::Outcome::Done;
        if (!Stored([&] { outcome = store().addLesson(theApp().m_nKemuID, dlg.m_nKeshi, title); },
                    QStringLiteral("添加数据失败")))
            return false;
        if (outcome == ContentStore::Outcome::Duplicate) {
            Prompt::app(QStringLiteral("添加课时重复"));
            return false;
        }
        return true;
    });
    if (dlg.exec() == QDialog::Accepted)
        LoadKeshiList();
}

void CKeshiPage::OnBnClickedEdit()
{
    if (!subjectChosen())
        return;
    const int item = m_listKeshi->GetNextSelectedItem(-1);
    if (item < 0) {
        Prompt::app(QStringLiteral("请选择要编辑的条目！"));
        return;
    }
    // A lesson keeps its number: a number changed in the dialog is not used.
    const int number = RowKey(*m_listKeshi, item);
    CAddKeshiDlg dlg(this);
    dlg.m_nKeshi = number;
    dlg.m_strTitle = m_listKeshi->GetItemText(item, ColTitle);
    bool rowGone = false;
    dlg.setAcceptCheck([&] {
        return Stored([&] { store().setLessonTitle(theApp().m_nKemuID, number, dlg.m_strTitle); },
                      QStringLiteral("编辑数据失败"), &rowGone);
    });
    if (dlg.exec() == QDialog::Accepted || rowGone)
        LoadKeshiList();
}

void CKeshiPage::OnBnClickedDelete()
{
    if (!subjectChosen())
        return;
    const int item = m_listKeshi->GetNextSelectedItem(-1);
    if (item < 0) {
        Prompt::app(QStringLiteral("请选择要删除的条目！"));
        return;
    }
    try {
        const int number = RowKey(*m_listKeshi, item);
        if (store().deleteLesson(theApp().m_nKemuID, number) == ContentStore::Outcome::InUse) {
            Prompt::app(QStringLiteral("请先删除此课时的知识点"));
            return;
        }
    } catch (const DbError &error) {
        ShowError(error.message(), QStringLiteral("删除数据失败"));
        return;
    }
    LoadKeshiList();
}

void CKeshiPage::OnNMClickList(int item)
{
    const int row = TakeClickedRow(*m_listKeshi, item);
    ContentSelection::setLesson(row < 0 ? -1 : RowKey(*m_listKeshi, row));
}

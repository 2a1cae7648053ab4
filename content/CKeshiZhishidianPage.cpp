#include "CKeshiZhishidianPage.h"

#include "CAddZhishidianDlg.h"
#include "CRichEditDlg.h"
#include "core/PlainText.h"

#include "application/CPellorApp.h"
#include "controls/CListCtrlCl.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Prompt.h"

#include <QPushButton>

namespace {
constexpr int kNumberWidth = 50;
constexpr int kHeadingPadding = 8;
} // namespace

CKeshiZhishidianPage::CKeshiZhishidianPage(QWidget *parent)
    : ContentPage(parent)
{
    setObjectName(QStringLiteral("page%1").arg(IDD));
}

// Nothing may reach a page that is gone.
CKeshiZhishidianPage::~CKeshiZhishidianPage()
{
    if (theApp().m_pZhishidianPage == this)
        theApp().m_pZhishidianPage = nullptr;
}

bool CKeshiZhishidianPage::OnInitDialog()
{
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 762, 388);
    m_listZhishidian = new CListCtrlCl(this);
    m_listZhishidian->setObjectName(QStringLiteral("list%1").arg(IDC_LIST));
    // List and buttons end inside the question browser's tab, which is lower than this
    // page's template.
    tmpl.place(m_listZhishidian, 4, 7, 741, 322);
    auto button = [&](int id, const QString &caption, int x, int width, void (CKeshiZhishidianPage::*handler)()) {
        QPushButton *b = tmpl.addButton(this, id, caption, x, 333, width, 14);
        connect(b, &QPushButton::clicked, this, handler);
    };
    button(IDC_ADD, QStringLiteral("增加"), 246, 50, &CKeshiZhishidianPage::OnBnClickedAdd);
    button(IDC_EDIT, QStringLiteral("编辑"), 330, 50, &CKeshiZhishidianPage::OnBnClickedEdit);
    button(IDC_DELETE, QStringLiteral("删除"), 422, 74, &CKeshiZhishidianPage::OnBnClickedDelete);
    button(IDC_ADD_WENTI, QStringLiteral("添加问题"), 551, 74, &CKeshiZhishidianPage::OnBnClickedAddWenti);

    const int width = m_listZhishidian->GetClientRect().width();
    m_listZhishidian->InsertColumn(ColNumber, QStringLiteral("知识点ID"), ReportListView::LVCFMT_CENTER, kNumberWidth);
    m_listZhishidian->InsertColumn(ColText, PointsTitle(theApp().m_nKeshiID),
                                   ReportListView::LVCFMT_LEFT, width - kNumberWidth);
    m_listZhishidian->InsertColumn(ColZhongdian, QStringLiteral("重点"), ReportListView::LVCFMT_CENTER, 0);
    m_listZhishidian->InsertColumn(ColNandian, QStringLiteral("难点"), ReportListView::LVCFMT_CENTER, 0);
    ContentListLook::textRows(QColor(153, 102, 204)).applyTo(*m_listZhishidian);
    // The number column is as wide as its heading, drawn in the header's face, needs.
    const CHeaderCtrlCl &header = m_listZhishidian->m_Header;
    const int numberWidth
        = qMax(kNumberWidth, QFontMetrics(header.titleFont()).horizontalAdvance(header.m_arrTitles.value(ColNumber))
                                 + kHeadingPadding);
    m_listZhishidian->SetColumnWidth(ColNumber, numberWidth);
    m_listZhishidian->SetColumnWidth(ColText, width - numberWidth);
    connect(m_listZhishidian, &ReportListView::NMClick, this, &CKeshiZhishidianPage::OnNMClickList);
    connect(m_listZhishidian, &ReportListView::NMDblclk, this, &CKeshiZhishidianPage::OnNMDblclkList);

    LoadZhishidianList();
    theApp().m_pZhishidianPage = this;
    return true;
}

QString CKeshiZhishidianPage::PointsTitle(int keshiID)
{
    return QStringLiteral("第%1课时的知识点").arg(keshiID);
}

int CKeshiZhishidianPage::PointNumber(int row) const
{
    return RowKey(*m_listZhishidian, row);
}

void CKeshiZhishidianPage::LoadZhishidianList()
{
    ++m_nLoadCount;
    const int kemuID = theApp().m_nKemuID;
    const int keshiID = theApp().m_nKeshiID;
    // The title names the lesson the rows belong to, whichever lesson was current at creation.
    if (kemuID >= 0 && keshiID >= 0)
        m_listZhishidian->SetColumnTitle(ColText, PointsTitle(keshiID));
    try {
        m_navigator.Load(m_pConnection, kemuID, keshiID);
    } catch (const DbError &error) {
        ShowError(error.message(), QStringLiteral("更新数据失败！"));
    }
    ShowPoints();
}

void CKeshiZhishidianPage::ShowPoints()
{
    auto flag = [](bool set) { return set ? QStringLiteral("1") : QStringLiteral("0"); };
    const QList<PointRecord> &points = m_navigator.points();
    QList<ReportListModel::Row> rows;
    rows.reserve(points.size());
    for (int row = 0; row < points.size(); ++row) {
        const PointRecord &point = points.at(row);
        rows.append({{QString::number(point.number), m_navigator.PointText(row), flag(point.key), flag(point.difficult)},
                     point.number});
    }
    m_listZhishidian->SetRows(std::move(rows));
}

bool CKeshiZhishidianPage::ShowsCurrentLesson() const
{
    return m_navigator.IsFor(theApp().m_nKemuID, theApp().m_nKeshiID);
}

bool CKeshiZhishidianPage::ListIsCurrent()
{
    if (!ShowsCurrentLesson())
        LoadZhishidianList();
    return ShowsCurrentLesson();
}

bool CKeshiZhishidianPage::ListWasCurrent()
{
    if (ShowsCurrentLesson())
        return true;
    LoadZhishidianList();
    return false;
}

bool CKeshiZhishidianPage::LessonChosen() const
{
    if (theApp().m_nKemuID >= 0 && theApp().m_nKeshiID >= 0)
        return true;
    Prompt::app(NoLessonText());
    return false;
}

void CKeshiZhishidianPage::OnNMClickList(int item)
{
    if (item < 0) {
        theApp().m_nZhishidianID = -1;
        return;
    }
    if (!ListWasCurrent())
        return;
    m_navigator.TakeRow(item);
    theApp().m_nZhishidianID = PointNumber(item);
}

void CKeshiZhishidianPage::OnNMDblclkList(int item)
{
    if (item < 0) {
        theApp().m_nZhishidianID = -1;
        return;
    }
    if (!ListWasCurrent())
        return;
    m_navigator.TakeRow(item);
    m_strPointText = m_listZhishidian->GetItemText(item, ColText);
    const int number = PointNumber(item);
    theApp().m_nZhishidianID = number;
    CRichEditDlg dlg(this, CRichEditDlg::Presentation);
    dlg.m_pNavigator = &m_navigator;
    dlg.m_strPoint = m_strPointText;
    dlg.m_nCount = CountWenti(number);
    dlg.DoModal();
    // A point found deleted by another program: the list shows what is left.
    if (m_navigator.FoundPointGone()) {
        LoadZhishidianList();
        return;
    }
    // Texts stored from the presenter, in place: the rows keep their selection.
    for (int row = 0; row < m_listZhishidian->GetItemCount(); ++row) {
        const QString text = m_navigator.PointText(row);
        if (m_listZhishidian->GetItemText(row, ColText) != text)
            m_listZhishidian->SetItemText(row, ColText, text);
    }
}

void CKeshiZhishidianPage::OnBnClickedAdd()
{
    if (!ListIsCurrent() || !LessonChosen())
        return;
    const int rows = m_listZhishidian->GetItemCount();
    CAddZhishidianDlg dlg(this);
    dlg.m_nPointID = rows == 0 ? 1 : PointNumber(rows - 1) + 1;
    dlg.setAcceptCheck([&] { return StoreNewPoint(dlg); });
    // After a failure the list stays as it was: a held file would read as no points at all.
    if (dlg.exec() == QDialog::Accepted)
        LoadZhishidianList();
}

bool CKeshiZhishidianPage::StoreNewPoint(const CAddZhishidianDlg &dlg)
{
    const int number = dlg.m_nPointID;
    if (number < 1) {
        Prompt::app(QStringLiteral("知识点编码不能小于1"));
        return false;
    }
    const QString text = dlg.m_strPoint.isEmpty() ? QStringLiteral("第%1个知识点").arg(number) : dlg.m_strPoint;
    const PointRecord point{0, theApp().m_nKeshiID, number, text, dlg.m_bZhongdian, dlg.m_bNandian};
    ContentStore::Outcome outcome = ContentStore::Outcome::Done;
    if (!Stored([&] { outcome = store().addPoint(theApp().m_nKemuID, point); }, QStringLiteral("添加数据失败")))
        return false;
    if (outcome == ContentStore::Outcome::Duplicate) {
        // The dialog stays with what was typed, for another number.
        Prompt::app(QStringLiteral("已存在知识点%1").arg(number));
        return false;
    }
    return true;
}

void CKeshiZhishidianPage::OnBnClickedEdit()
{
    if (!ListIsCurrent())
        return;
    const int item = m_listZhishidian->GetNextSelectedItem(-1);
    if (item < 0) {
        Prompt::app(QStringLiteral("请选择要编辑的条目！"));
        return;
    }
    auto isSet = [&](int column) {
        return m_listZhishidian->GetItemText(item, column).compare(QLatin1String("0"), Qt::CaseInsensitive) != 0;
    };
    // A point keeps its number: a number changed in the dialog is not used.
    const int number = PointNumber(item);
    const QString shown = m_listZhishidian->GetItemText(item, ColText);
    CAddZhishidianDlg dlg(this);
    dlg.m_nPointID = number;
    dlg.m_strPoint = shown;
    dlg.m_bZhongdian = isSet(ColZhongdian);
    dlg.m_bNandian = isSet(ColNandian);
    bool rowGone = false;
    dlg.setAcceptCheck([&] { return StoreEditedPoint(dlg, number, shown, rowGone); });
    if (dlg.exec() == QDialog::Accepted || rowGone)
        LoadZhishidianList();
}

bool CKeshiZhishidianPage::StoreEditedPoint(const CAddZhishidianDlg &dlg, int number, const QString &shown,
                                            bool &rowGone)
{
    // A text left as it was shown is not written, so a point never entered stays so.
    const std::optional<QString> text
        = PlainText::same(dlg.m_strPoint, shown) ? std::nullopt : std::optional(dlg.m_strPoint);
    return Stored([&] {
        store().updatePoint(theApp().m_nKemuID, theApp().m_nKeshiID, number, text, dlg.m_bZhongdian, dlg.m_bNandian);
    }, QStringLiteral("编辑数据失败"), &rowGone);
}

void CKeshiZhishidianPage::OnBnClickedDelete()
{
    if (!ListIsCurrent())
        return;
    const int item = m_listZhishidian->GetNextSelectedItem(-1);
    if (item < 0) {
        Prompt::app(QStringLiteral("请选择要删除的条目！"));
        return;
    }
    try {
        if (store().deletePoint(theApp().m_nKemuID, theApp().m_nKeshiID, PointNumber(item))
            == ContentStore::Outcome::InUse) {
            Prompt::app(QStringLiteral("请先删除此知识点中相关问题"));
            return;
        }
    } catch (const DbError &error) {
        ShowError(error.message(), QStringLiteral("删除数据失败"));
        return;
    }
    LoadZhishidianList();
}

void CKeshiZhishidianPage::OnBnClickedAddWenti()
{
    if (!ListIsCurrent() || !LessonChosen())
        return;
    const int rows = m_listZhishidian->GetItemCount();
    int row = m_listZhishidian->GetNextSelectedItem(-1);
    if (row < 0) {
        if (rows == 0)
            return;
        row = rows - 1;
    }
    OpenNewQuestion(row);
}

void CKeshiZhishidianPage::AddWentiToPoint(int number)
{
    if (!ListIsCurrent() || !LessonChosen())
        return;
    const int row = m_navigator.RowOfPoint(number);
    if (row < 0) {
        Prompt::app(NoPointText());
        return;
    }
    OpenNewQuestion(row);
}

void CKeshiZhishidianPage::OpenNewQuestion(int row)
{
    m_navigator.TakeRow(row);
    const int number = PointNumber(row);
    theApp().m_nZhishidianID = number;
    CRichEditDlg dlg(this, CRichEditDlg::NewQuestion);
    dlg.m_pNavigator = &m_navigator;
    dlg.m_strPoint = m_navigator.PointText(row);
    dlg.m_nCount = CountWenti(number);
    dlg.DoModal();
}

int CKeshiZhishidianPage::CountWenti(int n)
{
    try {
        return m_navigator.CountWenti(n);
    } catch (const DbError &error) {
        ShowError(error.message(), QStringLiteral("获取答案失败"));
        return 0;
    }
}

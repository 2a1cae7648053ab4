#include "CKeshiZhishidianPage.h"

#include "CAddZhishidianDlg.h"
#include "CRichEditDlg.h"

#include "application/CPellorApp.h"
#include "controls/CListCtrlCl.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/Prompt.h"

#include <QPushButton>

namespace {
constexpr int kNumberWidth = 50;
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

QString CKeshiZhishidianPage::NotEnteredPointText()
{
    return QStringLiteral("还未录入此知识点，请重新编辑此项");
}

bool CKeshiZhishidianPage::OnInitDialog()
{
    const DialogTemplate tmpl(this, QStringLiteral("MS Shell Dlg"), 8, 762, 388);
    m_listZhishidian = new CListCtrlCl(this);
    m_listZhishidian->setObjectName(QStringLiteral("list%1").arg(IDC_LIST));
    tmpl.place(m_listZhishidian, 4, 7, 741, 329);
    auto button = [&](int id, const QString &caption, int x, int width, void (CKeshiZhishidianPage::*handler)()) {
        QPushButton *b = tmpl.addButton(this, id, caption, x, 340, width, 14);
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

int CKeshiZhishidianPage::CurrentRow() const
{
    return m_navigation.rowIn(m_listZhishidian ? m_listZhishidian->GetItemCount() : 0);
}

void CKeshiZhishidianPage::LoadZhishidianList()
{
    ++m_nLoadCount;
    const int kemuID = theApp().m_nKemuID;
    const int keshiID = theApp().m_nKeshiID;
    if (kemuID < 0 || keshiID < 0)
        return;
    m_listZhishidian->DeleteAllItems();
    m_nLoadedKemuID = kemuID;
    m_nLoadedKeshiID = keshiID;
    // The title names the lesson the rows belong to, whichever lesson was current at creation.
    m_listZhishidian->SetColumnTitle(ColText, PointsTitle(keshiID));
    QList<PointRecord> points;
    try {
        points = store().points(kemuID, keshiID);
    } catch (const DbError &error) {
        ShowError(error.message(), QStringLiteral("更新数据失败！"));
        return;
    }
    auto flag = [](bool set) { return set ? QStringLiteral("1") : QStringLiteral("0"); };
    QList<ReportListModel::Row> rows;
    rows.reserve(points.size());
    for (const PointRecord &point : std::as_const(points))
        rows.append({{QString::number(point.number), point.text.value_or(NotEnteredPointText()), flag(point.key),
                      flag(point.difficult)},
                     point.number});
    m_listZhishidian->SetRows(std::move(rows));
}

void CKeshiZhishidianPage::OnNMClickList(int item)
{
    if (item < 0) {
        theApp().m_nZhishidianID = -1;
        return;
    }
    m_navigation.takeRow(item, m_listZhishidian->GetItemCount());
    theApp().m_nZhishidianID = PointNumber(item);
}

void CKeshiZhishidianPage::OnNMDblclkList(int item)
{
    if (item < 0) {
        theApp().m_nZhishidianID = -1;
        return;
    }
    m_navigation.takeRow(item, m_listZhishidian->GetItemCount());
    m_strPointText = m_listZhishidian->GetItemText(item, ColText);
    const int number = PointNumber(item);
    theApp().m_nZhishidianID = number;
    const int count = CountWenti(number);
    CRichEditDlg dlg(this);
    dlg.m_bPresent = true;
    dlg.m_strPoint = m_strPointText;
    dlg.m_nCount = count;
    dlg.DoModal();
}

void CKeshiZhishidianPage::OnBnClickedAdd()
{
    if (m_nLoadedKeshiID < 0)
        return;
    const int rows = m_listZhishidian->GetItemCount();
    CAddZhishidianDlg dlg(this);
    dlg.m_nPointID = rows == 0 ? 1 : PointNumber(rows - 1) + 1;
    if (dlg.exec() != QDialog::Accepted)
        return;
    const int number = dlg.m_nPointID;
    if (number < 1) {
        Prompt::app(QStringLiteral("知识点编码不能小于1"));
        return;
    }
    const QString text = dlg.m_strPoint.isEmpty() ? QStringLiteral("第%1个知识点").arg(number) : dlg.m_strPoint;
    try {
        const PointRecord point{0, m_nLoadedKeshiID, number, text, dlg.m_bZhongdian, dlg.m_bNandian};
        if (store().addPoint(m_nLoadedKemuID, point) == ContentStore::Outcome::Duplicate)
            Prompt::app(QStringLiteral("已存在知识点%1").arg(number));
    } catch (const DbError &error) {
        ShowError(error.message(), QStringLiteral("添加数据失败"));
    }
    LoadZhishidianList();
}

void CKeshiZhishidianPage::OnBnClickedEdit()
{
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
    if (dlg.exec() != QDialog::Accepted)
        return;
    // A text left as it was shown is not written, so a point never entered stays so.
    const std::optional<QString> text = dlg.m_strPoint == shown ? std::nullopt : std::optional(dlg.m_strPoint);
    try {
        store().updatePoint(m_nLoadedKemuID, m_nLoadedKeshiID, number, text, dlg.m_bZhongdian, dlg.m_bNandian);
    } catch (const DbError &error) {
        ShowError(error.message(), QStringLiteral("编辑数据失败"));
        return;
    }
    LoadZhishidianList();
}

void CKeshiZhishidianPage::OnBnClickedDelete()
{
    const int item = m_listZhishidian->GetNextSelectedItem(-1);
    if (item < 0) {
        Prompt::app(QStringLiteral("请选择要删除的条目！"));
        return;
    }
    try {
        if (store().deletePoint(m_nLoadedKemuID, m_nLoadedKeshiID, PointNumber(item))
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
    const int rows = m_listZhishidian->GetItemCount();
    int row = m_listZhishidian->GetNextSelectedItem(-1);
    if (row < 0) {
        if (rows == 0) {
            m_navigation.takeNoRow();
            return;
        }
        row = rows - 1;
    }
    OpenNewQuestion(row);
}

void CKeshiZhishidianPage::OpenNewQuestion(int row)
{
    m_navigation.takeRow(row, m_listZhishidian->GetItemCount());
    const int number = PointNumber(row);
    theApp().m_nZhishidianID = number;
    CRichEditDlg dlg(this);
    dlg.m_bPresent = false;
    dlg.m_strPoint = m_listZhishidian->GetItemText(row, ColText);
    dlg.m_nCount = CountWenti(number);
    dlg.DoModal();
}

int CKeshiZhishidianPage::RowOfPoint(int number) const
{
    if (m_nLoadedKemuID != theApp().m_nKemuID || m_nLoadedKeshiID != theApp().m_nKeshiID)
        return -1;
    for (int row = 0; row < m_listZhishidian->GetItemCount(); ++row) {
        if (PointNumber(row) == number)
            return row;
    }
    return -1;
}

int CKeshiZhishidianPage::CountWenti(int n)
{
    try {
        if (!m_counter || m_counterConnection != m_pConnection || m_nCounterKemuID != m_nLoadedKemuID) {
            m_counter.reset();
            m_counter = store().questionCounter(m_nLoadedKemuID);
            m_counterConnection = m_pConnection;
            m_nCounterKemuID = m_nLoadedKemuID;
        }
        return m_counter->count(m_nLoadedKeshiID, n);
    } catch (const DbError &error) {
        m_counter.reset();
        ShowError(error.message(), QStringLiteral("获取答案失败"));
        return 0;
    }
}

bool CKeshiZhishidianPage::AddWenti(const QString &question, const QString &answer)
{
    const int row = CurrentRow();
    if (row < 0)
        return false;
    try {
        store().addQuestion(m_nLoadedKemuID, m_nLoadedKeshiID, PointNumber(row), question, answer);
    } catch (const DbError &error) {
        ShowError(error.message(), QStringLiteral("添加数据失败"));
        return false;
    }
    m_navigation.resetQuestions();
    return true;
}

void CKeshiZhishidianPage::StepPoint(PointNavigation::Direction direction, QString &text, int &count)
{
    const int row = m_navigation.step(direction, m_listZhishidian->GetItemCount());
    if (row < 0) {
        text.clear();
        count = 0;
        return;
    }
    text = m_listZhishidian->GetItemText(row, ColText);
    count = CountWenti(PointNumber(row));
}

void CKeshiZhishidianPage::NextPoint(QString &text, int &count)
{
    StepPoint(PointNavigation::Next, text, count);
}

void CKeshiZhishidianPage::PrevPoint(QString &text, int &count)
{
    StepPoint(PointNavigation::Previous, text, count);
}

void CKeshiZhishidianPage::StepQuestion(PointNavigation::Direction direction, QString &question, QString &answer)
{
    const int row = CurrentRow();
    if (row < 0)
        return;
    std::optional<PointNavigation::QuestionTexts> shown;
    if (m_navigation.mustOpenQuestions(direction)) {
        try {
            shown = m_navigation.openQuestions(
                store().questionCursor(m_nLoadedKemuID, m_nLoadedKeshiID, PointNumber(row)));
        } catch (const DbError &error) {
            // The cursor stays closed: the next question command reads again.
            ShowError(error.message(), QStringLiteral("获取答案失败"));
            return;
        }
    } else {
        shown = m_navigation.stepQuestions(direction);
    }
    if (shown) {
        question = shown->question;
        answer = shown->answer;
    }
}

void CKeshiZhishidianPage::PrevQuestion(QString &question, QString &answer)
{
    StepQuestion(PointNavigation::Previous, question, answer);
}

void CKeshiZhishidianPage::NextQuestion(QString &question, QString &answer)
{
    StepQuestion(PointNavigation::Next, question, answer);
}

bool CKeshiZhishidianPage::SaveKnowledgePoint(const QString &text)
{
    const int row = CurrentRow();
    if (row < 0)
        return false;
    if (text == m_listZhishidian->GetItemText(row, ColText))
        return true;
    try {
        store().setPointText(m_nLoadedKemuID, m_nLoadedKeshiID, PointNumber(row), text);
    } catch (const DbError &error) {
        ShowError(error.message(), QStringLiteral("编辑数据失败"));
        return false;
    }
    LoadZhishidianList();
    return true;
}

void CKeshiZhishidianPage::ResetQuestionCursor()
{
    m_navigation.resetQuestions();
}

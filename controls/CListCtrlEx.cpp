#include "CListCtrlEx.h"

#include "platform/gui/Prompt.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {
const QColor kPaleGreen(240, 254, 229);
const QColor kSelectedBar(191, 225, 128);
const QColor kBoxFrame(87, 146, 211);
constexpr int kBoxWidth = 13;
} // namespace

// Paints a row's slice under one cell: the row colour or the selected bar, the text, and in
// the first column the check box.
class CListCtrlExDelegate : public QStyledItemDelegate
{
public:
    explicit CListCtrlExDelegate(CListCtrlEx *list)
        : QStyledItemDelegate(list)
        , m_list(list)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const int row = index.row();
        const QRect rowRect(-m_list->horizontalHeader()->offset(), m_list->rowViewportPosition(row),
                            m_list->horizontalHeader()->length(), m_list->rowHeight(row));
        const QRect cell = m_list->insideGrid(option.rect);
        painter->save();
        painter->setClipRect(cell);
        // The current row keeps the selected look even when it is not selected.
        const bool selected = (option.state & QStyle::State_Selected) || m_list->currentIndex().row() == row;
        if (selected) {
            painter->fillRect(rowRect, kPaleGreen);
            painter->fillRect(rowRect.adjusted(1, 2, -1, -2), kSelectedBar);
        } else {
            painter->fillRect(rowRect, row % 2 ? QColor(Qt::white) : kPaleGreen);
        }

        QRect label = cell;
        if (index.column() == 0)
            label.setLeft(label.left() + 2);
        label.adjust(5, 0, -1, 0);
        painter->setPen(Qt::black);
        painter->setFont(m_list->font());
        painter->drawText(label, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, index.data().toString());

        if (index.column() == 0)
            m_list->DrawCheck(painter, row);
        painter->restore();
    }

private:
    CListCtrlEx *m_list;
};

CListCtrlEx::CListCtrlEx(QWidget *parent)
    : ReportListView(parent)
    , m_Header(*new CHeaderCtrlEx(this))
{
    setHorizontalHeader(&m_Header);
    setItemDelegate(new CListCtrlExDelegate(this));
    connect(&m_Header, &CHeaderCtrlEx::checkAll, this, &CListCtrlEx::OnCheckAll);
    connect(&m_Header, &CHeaderCtrlEx::columnResized, this, &CListCtrlEx::OnColumnResized);
    connect(&m_Header, &QHeaderView::sectionClicked, this, &CListCtrlEx::OnColumnClick);
}

const QImage &CListCtrlEx::tickImage()
{
    static const QImage tick(QStringLiteral(":/controls/tick.bmp"));
    return tick;
}

int CListCtrlEx::AddColumn(int column, const QString &heading, int, int width, int)
{
    m_Header.m_vecTitles.push_back(heading);
    return InsertColumnBase(column, heading, width < 0 ? m_Header.defaultSectionSize() : width);
}

int CListCtrlEx::InsertCheckRow(int item, int, bool checked)
{
    const int row = InsertItem(item, QString());
    if (!listModel()->heading(0).isEmpty())
        return -1;
    m_vecRows.push_back({quint16(row), quint16(checked ? 1 : 0)});
    return 1;
}

void CListCtrlEx::FreeItemData()
{
}

QList<CheckListRules::Row> CListCtrlEx::checkRows() const
{
    QList<CheckListRules::Row> rows;
    rows.reserve(qsizetype(m_vecRows.size()));
    for (int i = 0; i < int(m_vecRows.size()); ++i)
        rows.append({GetItemText(i, 1), GetItemText(i, 2), m_vecRows[i].checked != 0});
    return rows;
}

bool CListCtrlEx::IsGroupChecked(const QString &year, const QString &group) const
{
    return CheckListRules::isGroupChecked(checkRows(), year, group);
}

bool CListCtrlEx::IsRowChecked(int row) const
{
    return row >= 0 && row < int(m_vecRows.size()) && m_vecRows[row].checked != 0;
}

QRect CListCtrlEx::CheckBoxRect(int row) const
{
    const int left = columnViewportPosition(0) + 2;
    const int top = rowViewportPosition(row) + 2;
    return QRect(left, top, kBoxWidth, rowHeight(row) - 4);
}

void CListCtrlEx::DrawCheck(QPainter *painter, int row) const
{
    const QRect box = CheckBoxRect(row);
    painter->fillRect(box, Qt::white);
    painter->setPen(QPen(kBoxFrame, 1));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(box.adjusted(0, 0, -1, -1));
    if (IsRowChecked(row))
        painter->drawImage(box.topLeft() + QPoint(2, 2), tickImage());
}

int CListCtrlEx::ToggleRowCheck(int row, const QPoint &point)
{
    if (row < 0 || m_vecRows.empty() || row >= int(m_vecRows.size()))
        return -1;
    const QRect box = CheckBoxRect(row);
    if (!box.contains(point))
        return 1;
    RowRecord &record = m_vecRows[row];
    if (record.checked) {
        record.checked = 0;
    } else {
        switch (CheckListRules::canCheck(checkRows(), row)) {
        case CheckListRules::Refusal::TooMany:
            Prompt::box(this, CheckListRules::tooManyText());
            return -1;
        case CheckListRules::Refusal::SameGroup:
            Prompt::box(this, CheckListRules::sameGroupText(GetItemText(row, 1), GetItemText(row, 2)));
            return -1;
        case CheckListRules::Refusal::None:
            break;
        }
        m_vecRows[row].checked = 1;
    }
    viewport()->update(box);
    return 1;
}

int CListCtrlEx::OnCheckAll(int wParam)
{
    m_vecChecksBeforeAll.clear();
    for (const RowRecord &record : m_vecRows)
        m_vecChecksBeforeAll.push_back(record.checked);
    QList<CheckListRules::Row> rows = checkRows();
    if (wParam == 1) {
        CheckListRules::checkAll(rows);
    } else {
        for (CheckListRules::Row &row : rows)
            row.checked = false;
    }
    for (int i = 0; i < int(m_vecRows.size()); ++i)
        m_vecRows[i].checked = rows.at(i).checked ? 1 : 0;
    viewport()->update(QRect(columnViewportPosition(0), 0, columnWidth(0), viewport()->height()));
    emit checkAllChanged(wParam);
    return 1;
}

void CListCtrlEx::SetRowChecked(int row, bool checked)
{
    if (row < 0 || row >= int(m_vecRows.size()))
        return;
    m_vecRows[row].checked = checked ? 1 : 0;
    viewport()->update(CheckBoxRect(row));
}

void CListCtrlEx::RestoreChecksBeforeAll()
{
    // Rows added, deleted or sorted since leave nothing to put back by position.
    if (m_vecChecksBeforeAll.size() != m_vecRows.size())
        return;
    for (size_t i = 0; i < m_vecRows.size(); ++i)
        m_vecRows[i].checked = m_vecChecksBeforeAll[i];
    viewport()->update(QRect(columnViewportPosition(0), 0, columnWidth(0), viewport()->height()));
}

int CListCtrlEx::OnColumnResized()
{
    viewport()->update();
    return 1;
}

void CListCtrlEx::OnColumnClick(int column)
{
    m_bSortAscending = column != m_nSortColumn ? true : !m_bSortAscending;
    m_nSortColumn = column;

    QStringList texts;
    for (int row = 0; row < GetItemCount(); ++row)
        texts.append(GetItemText(row, column));
    const QList<int> order = CheckListRules::sortOrder(texts, m_bSortAscending);
    // The check records are in row order; they move with their rows.
    if (m_vecRows.size() == size_t(order.size())) {
        std::vector<RowRecord> sorted;
        sorted.reserve(m_vecRows.size());
        for (int from : order)
            sorted.push_back(m_vecRows[from]);
        m_vecRows = std::move(sorted);
    }
    listModel()->reorderRows(order);
}

void CListCtrlEx::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        ReportListView::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    const int row = HitTest(point);
    if (row < 0) {
        event->accept();
        return;
    }
    ToggleRowCheck(row, point);
    ReportListView::mousePressEvent(event);
}

void CListCtrlEx::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        const int row = HitTest(point);
        if (row >= 0)
            ToggleRowCheck(row, point);
    }
    event->accept();
}

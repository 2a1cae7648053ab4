#include "ReportListView.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

ReportListView::ReportListView(QWidget *parent)
    : QTableView(parent)
    , m_model(new ReportListModel(this))
    , m_crBk(Qt::white)
{
    setModel(m_model);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_defaultRowHeight = verticalHeader()->defaultSectionSize();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setShowGrid(false);
    SetBkColor(m_crBk);
}

int ReportListView::GetItemCount() const
{
    return m_model->rowCount();
}

int ReportListView::GetColumnCount() const
{
    return m_model->columnCount();
}

int ReportListView::InsertItem(int item, const QString &text)
{
    return m_model->insertRowAt(item, text);
}

bool ReportListView::SetItemText(int item, int subItem, const QString &text)
{
    return m_model->setText(item, subItem, text);
}

QString ReportListView::GetItemText(int item, int subItem) const
{
    return m_model->text(item, subItem);
}

void ReportListView::SetRows(QList<ReportListModel::Row> rows)
{
    m_model->setRows(std::move(rows));
}

bool ReportListView::SetItemData(int item, qint64 data)
{
    return m_model->setRowData(item, data);
}

qint64 ReportListView::GetItemData(int item) const
{
    return m_model->rowData(item);
}

bool ReportListView::DeleteItem(int item)
{
    return m_model->removeRowAt(item);
}

bool ReportListView::DeleteAllItems()
{
    m_model->removeAllRows();
    return true;
}

bool ReportListView::DeleteColumn(int column)
{
    return m_model->removeColumnAt(column);
}

int ReportListView::GetColumnWidth(int column) const
{
    return column >= 0 && column < GetColumnCount() ? columnWidth(column) : 0;
}

bool ReportListView::SetColumnWidth(int column, int width)
{
    if (column < 0 || column >= GetColumnCount())
        return false;
    setColumnWidth(column, qMax(0, width));
    return true;
}

void ReportListView::SetBkColor(const QColor &color)
{
    m_crBk = color;
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Base, color);
    viewport()->setPalette(pal);
    viewport()->update();
}

void ReportListView::SetExtendedStyle(quint32 style)
{
    m_extendedStyle = style;
    viewport()->update();
}

int ReportListView::GetNextSelectedItem(int after) const
{
    for (int row = qMax(after + 1, 0); row < GetItemCount(); ++row) {
        if (IsItemSelected(row))
            return row;
    }
    return -1;
}

bool ReportListView::IsItemSelected(int item) const
{
    return item >= 0 && item < GetItemCount() && selectionModel()->isRowSelected(item, {});
}

void ReportListView::SetItemSelected(int item, bool selected)
{
    if (item < 0 || item >= GetItemCount())
        return;
    const auto command = (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect)
        | QItemSelectionModel::Rows;
    selectionModel()->select(m_model->index(item, 0), command);
}

void ReportListView::EnsureVisible(int item)
{
    if (item >= 0 && item < GetItemCount())
        scrollTo(m_model->index(item, 0));
}

QRect ReportListView::GetClientRect() const
{
    const int frame = frameWidth();
    int width = this->width() - 2 * frame;
    if (verticalScrollBar()->isVisible())
        width -= verticalScrollBar()->width();
    return QRect(0, 0, qMax(0, width), qMax(0, height() - 2 * frame));
}

int ReportListView::HitTest(const QPoint &point) const
{
    if (point.x() < 0 || point.x() >= viewport()->width())
        return -1;
    return rowAt(point.y());
}

void ReportListView::SetRowHeight(int height)
{
    m_nRowHeight = height;
    RefreshLayout();
}

void ReportListView::RefreshLayout()
{
    QHeaderView *rows = verticalHeader();
    const int height = m_nRowHeight > 0 ? m_nRowHeight : m_defaultRowHeight;
    rows->setMinimumSectionSize(qMin(height, rows->minimumSectionSize()));
    rows->setDefaultSectionSize(height);
    horizontalHeader()->updateGeometry();
    updateGeometries();
    horizontalHeader()->viewport()->update();
    viewport()->update();
}

int ReportListView::InsertColumnBase(int column, const QString &heading, int width)
{
    const int index = m_model->insertColumnAt(column, heading);
    if (index >= 0)
        setColumnWidth(index, qMax(0, width));
    return index;
}

void ReportListView::mousePressEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    const int item = HitTest(point);
    // To the right of the last column the row is still the one clicked; the view itself
    // would take the press for one on empty space and clear the selection.
    m_pressBesideColumns = event->button() == Qt::LeftButton && item >= 0 && !indexAt(point).isValid();
    if (m_pressBesideColumns) {
        setFocus(Qt::MouseFocusReason);
        selectionModel()->setCurrentIndex(m_model->index(item, 0),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        QTableView::mousePressEvent(event);
    }
    if (event->button() == Qt::LeftButton)
        emit NMClick(item);
}

void ReportListView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressBesideColumns)
        QTableView::mouseMoveEvent(event);
}

void ReportListView::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressBesideColumns)
        m_pressBesideColumns = false;
    else
        QTableView::mouseReleaseEvent(event);
}

void ReportListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit NMDblclk(HitTest(event->position().toPoint()));
}

QColor ReportListView::highlightColor() const
{
    return palette().color(QPalette::Active, QPalette::Highlight);
}

QRect ReportListView::insideGrid(const QRect &cell) const
{
    return (m_extendedStyle & LVS_EX_GRIDLINES) ? cell.adjusted(0, 0, -1, -1) : cell;
}

void ReportListView::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    if (!(m_extendedStyle & LVS_EX_GRIDLINES) || GetItemCount() == 0 || GetColumnCount() == 0)
        return;
    // The grid over the cells, where the view would draw it, but as one short line per row and
    // cell: the view's lines the height of the list are filled by a pool of threads, which
    // costs a list more than all its texts.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QColor grid = QColor::fromRgba(
        static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    const QRect area = event->rect();
    const int firstRow = rowAt(area.top());
    // Below the rows there is no grid.
    if (firstRow < 0)
        return;
    const int lastRow = rowAt(area.bottom()) < 0 ? GetItemCount() - 1 : rowAt(area.bottom());
    const int lastColumn = GetColumnCount() - 1;
    const int left = columnViewportPosition(0);
    const int right = columnViewportPosition(lastColumn) + columnWidth(lastColumn);
    QPainter painter(viewport());
    for (int row = firstRow; row <= lastRow; ++row) {
        const int top = rowViewportPosition(row);
        const int height = rowHeight(row);
        painter.fillRect(QRect(left, top + height - 1, right - left, 1), grid);
        for (int column = 0; column <= lastColumn; ++column)
            painter.fillRect(
                QRect(columnViewportPosition(column) + columnWidth(column) - 1, top, 1, height), grid);
    }
}

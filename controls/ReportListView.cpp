#include "ReportListView.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
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
    setShowGrid(style & LVS_EX_GRIDLINES);
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
    const QModelIndex index = indexAt(point);
    return index.isValid() ? index.row() : -1;
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
    QTableView::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        emit NMClick(HitTest(event->position().toPoint()));
}

QColor ReportListView::highlightColor() const
{
    return palette().color(QPalette::Active, QPalette::Highlight);
}

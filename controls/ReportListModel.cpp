#include "ReportListModel.h"

ReportListModel::ReportListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

int ReportListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ReportListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headings.size());
}

QVariant ReportListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (role == Qt::UserRole)
        return m_rows.at(index.row()).data;
    if (role != Qt::DisplayRole)
        return {};
    return m_rows.at(index.row()).cells.at(index.column());
}

QVariant ReportListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_headings.size())
        return {};
    return m_headings.at(section);
}

Qt::ItemFlags ReportListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

int ReportListModel::insertColumnAt(int column, const QString &heading)
{
    if (column < 0)
        return -1;
    column = qMin(column, int(m_headings.size()));
    beginInsertColumns({}, column, column);
    m_headings.insert(column, heading);
    for (Row &row : m_rows)
        row.cells.insert(column, QString());
    endInsertColumns();
    return column;
}

bool ReportListModel::removeColumnAt(int column)
{
    if (column < 0 || column >= m_headings.size())
        return false;
    beginRemoveColumns({}, column, column);
    m_headings.removeAt(column);
    for (Row &row : m_rows)
        row.cells.removeAt(column);
    endRemoveColumns();
    return true;
}

QString ReportListModel::heading(int column) const
{
    return column >= 0 && column < m_headings.size() ? m_headings.at(column) : QString();
}

bool ReportListModel::setHeading(int column, const QString &heading)
{
    if (column < 0 || column >= m_headings.size())
        return false;
    // The same title again repaints nothing.
    if (m_headings.at(column) == heading)
        return true;
    m_headings[column] = heading;
    emit headerDataChanged(Qt::Horizontal, column, column);
    return true;
}

int ReportListModel::insertRowAt(int row, const QString &text)
{
    if (row < 0)
        return -1;
    row = qMin(row, int(m_rows.size()));
    QStringList cells(qMax(qsizetype(1), m_headings.size()));
    cells[0] = text;
    beginInsertRows({}, row, row);
    m_rows.insert(row, Row{cells, 0});
    endInsertRows();
    return row;
}

bool ReportListModel::removeRowAt(int row)
{
    if (row < 0 || row >= m_rows.size())
        return false;
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
    return true;
}

void ReportListModel::removeAllRows()
{
    if (m_rows.isEmpty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void ReportListModel::setRows(QList<Row> rows)
{
    const qsizetype columns = qMax(qsizetype(1), m_headings.size());
    for (Row &row : rows)
        row.cells.resize(columns);
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

bool ReportListModel::setText(int row, int column, const QString &text)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_headings.size())
        return false;
    QStringList &cells = m_rows[row].cells;
    if (cells[column] == text)
        return true;
    cells[column] = text;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
    return true;
}

QString ReportListModel::text(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0)
        return {};
    const QStringList &cells = m_rows.at(row).cells;
    return column < cells.size() ? cells.at(column) : QString();
}

bool ReportListModel::setRowData(int row, qint64 data)
{
    if (row < 0 || row >= m_rows.size())
        return false;
    m_rows[row].data = data;
    return true;
}

qint64 ReportListModel::rowData(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).data : 0;
}

void ReportListModel::reorderRows(const QList<int> &order)
{
    if (order.size() != m_rows.size())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<int> newIndexOf(order.size());
    QList<Row> rows;
    rows.reserve(order.size());
    for (int i = 0; i < order.size(); ++i) {
        newIndexOf[order.at(i)] = i;
        rows.append(m_rows.at(order.at(i)));
    }
    m_rows = rows;
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &old : before)
        after.append(index(newIndexOf.at(old.row()), old.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// The rows and columns of a report list: one heading per column, one text per cell and one
// hidden value per row (the id of the database row it shows, under Qt::UserRole), which
// moves with its row when the rows are put in another order. Colours and check marks
// live in the views.
class ReportListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // A row's texts, one per column (missing ones empty), and its hidden value.
    struct Row
    {
        QStringList cells;
        qint64 data = 0;
    };

    explicit ReportListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Inserts at `column`, or appends when it lies beyond the last; returns the index used.
    int insertColumnAt(int column, const QString &heading);
    bool removeColumnAt(int column);
    QString heading(int column) const;
    bool setHeading(int column, const QString &heading);

    // Inserts a row whose first cell is `text`, appending when `row` lies beyond the last;
    // returns the index used, -1 for a negative row.
    int insertRowAt(int row, const QString &text);
    bool removeRowAt(int row);
    void removeAllRows();
    // Replaces every row at once, with one notice however many there are: a page's load.
    void setRows(QList<Row> rows);

    bool setText(int row, int column, const QString &text);
    QString text(int row, int column) const;

    // The row's hidden value; 0 for a row that has none, or no row.
    bool setRowData(int row, qint64 data);
    qint64 rowData(int row) const;

    // Puts the rows in a new order: order[i] is the old index of the row that becomes row i.
    // Selections and other persistent indexes follow their rows.
    void reorderRows(const QList<int> &order);

private:
    QStringList m_headings;
    QList<Row> m_rows;
};

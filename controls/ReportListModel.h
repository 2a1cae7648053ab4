#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// The rows and columns of a report list: one heading per column and one text per cell. The
// lists keep nothing else per row; colours and check marks live in the views.
class ReportListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
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

    // Inserts a row whose first cell is `text`, appending when `row` lies beyond the last;
    // returns the index used, -1 for a negative row.
    int insertRowAt(int row, const QString &text);
    bool removeRowAt(int row);
    void removeAllRows();

    bool setText(int row, int column, const QString &text);
    QString text(int row, int column) const;

    // Puts the rows in a new order: order[i] is the old index of the row that becomes row i.
    // Selections and other persistent indexes follow their rows.
    void reorderRows(const QList<int> &order);

private:
    QStringList m_headings;
    QList<QStringList> m_rows;
};

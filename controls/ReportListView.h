#pragma once

#include "ReportListModel.h"

#include <QColor>
#include <QTableView>

// What the painted lists share: a report view over a ReportListModel with the operations the
// pages call (rows, cells, columns, selection, back colour, grid lines) and the row height the
// pages set. The lists paint their cells through delegates and their headers themselves.
class ReportListView : public QTableView
{
    Q_OBJECT

public:
    // Column alignment of InsertColumn.
    enum ColumnFormat { LVCFMT_LEFT = 0, LVCFMT_RIGHT = 1, LVCFMT_CENTER = 2 };
    // Extended style bits the pages set.
    enum ExtendedStyle : quint32 { LVS_EX_GRIDLINES = 0x1, LVS_EX_FULLROWSELECT = 0x20 };

    explicit ReportListView(QWidget *parent = nullptr);

    ReportListModel *listModel() const { return m_model; }

    int GetItemCount() const;
    int GetColumnCount() const;
    // Inserts an empty row whose first cell is `text`; returns its index, -1 on failure.
    int InsertItem(int item, const QString &text);
    bool SetItemText(int item, int subItem, const QString &text);
    QString GetItemText(int item, int subItem) const;
    // The row's hidden value (the id of the database row it shows); 0 when none was set.
    bool SetItemData(int item, qint64 data);
    qint64 GetItemData(int item) const;
    bool DeleteItem(int item);
    bool DeleteAllItems();
    // Replaces every row by these, each with its texts by column and its hidden value, in
    // one step: what a page does to show a list read from the database.
    void SetRows(QList<ReportListModel::Row> rows);
    bool DeleteColumn(int column);
    int GetColumnWidth(int column) const;
    bool SetColumnWidth(int column, int width);

    // Back colour of the cells and of the empty area below the rows.
    void SetBkColor(const QColor &color);
    QColor GetBkColor() const { return m_crBk; }

    quint32 GetExtendedStyle() const { return m_extendedStyle; }
    void SetExtendedStyle(quint32 style);

    // The next selected row after `after` (-1: from the top), -1 when there is none.
    int GetNextSelectedItem(int after = -1) const;
    bool IsItemSelected(int item) const;
    void SetItemSelected(int item, bool selected);
    void EnsureVisible(int item);

    // The area inside the border, less a shown vertical scroll bar: what pages size their last
    // column by. Valid before the list is first shown.
    QRect GetClientRect() const;

    // The row under a point of the viewport, whatever the column (to the right of the last
    // column too); -1 below the rows.
    int HitTest(const QPoint &point) const;

    // Row height in pixels; 0 or less keeps the style's own.
    int m_nRowHeight = 0;

    void SetRowHeight(int height);
    // Measures the rows and the header again and repaints: what pages call after writing the
    // row height, the header's height factor, colours or fonts directly.
    virtual void RefreshLayout();

    // The selection colour that selected rows are filled with.
    QColor highlightColor() const;

    // With LVS_EX_GRIDLINES a cell's last pixel column and row are its grid lines; the part
    // of the cell that its delegate paints lies inside them.
    QRect insideGrid(const QRect &cell) const;

signals:
    // A left click went down on the list: the row under it, or -1 below the rows.
    void NMClick(int item);
    // A left double-click on the list: the row under it, or -1 below the rows.
    void NMDblclk(int item);

protected:
    int InsertColumnBase(int column, const QString &heading, int width);
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    ReportListModel *m_model;
    QColor m_crBk;
    quint32 m_extendedStyle = 0;
    int m_defaultRowHeight;
    bool m_pressBesideColumns = false;
};

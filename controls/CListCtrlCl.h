#pragma once

#include "CHeaderCtrlCl.h"
#include "ReportListView.h"

#include <QColor>
#include <vector>

// Report list of the roster, score and lesson-content pages: per-column back and text colours,
// one font for every cell, rows of a chosen height and cells of up to three lines centred
// vertically. It knows nothing of the data it shows. Every column is added through
// InsertColumn, so that the header's titles and alignments stay one per column.
class CListCtrlCl : public ReportListView
{
    Q_OBJECT

public:
    struct ColumnColor
    {
        int column;
        QColor color;
    };

    explicit CListCtrlCl(QWidget *parent = nullptr);

    // Records the heading and its alignment for the header, then adds the column.
    int InsertColumn(int column, const QString &heading, int format = LVCFMT_LEFT, int width = -1,
                     int subItem = -1);
    // A new title for a column, drawn at once; false for a column that is not there.
    bool SetColumnTitle(int column, const QString &title);
    // One entry per column; a second call replaces the colour. Takes effect at the next paint.
    void SetColumnBackColor(int column, const QColor &color);
    void SetColumnTextColor(int column, const QColor &color);

    // The colour entry of a column, or nullptr.
    const QColor *ColumnBackColor(int column) const;
    const QColor *ColumnTextColor(int column) const;

    // Also takes up the cell font written into m_nFontHeight and m_nFontWidth.
    void RefreshLayout() override;

    CHeaderCtrlCl &m_Header;
    std::vector<ColumnColor> m_listColumnBackColors;
    std::vector<ColumnColor> m_listColumnTextColors;
    QColor m_crText = Qt::black;
    int m_nFontHeight = 12;  // also the line height that cells are centred by
    int m_nFontWidth = 0;

private:
    friend class CListCtrlClDelegate;
};

#include "CListCtrlCl.h"

#include "CellText.h"
#include "ControlFont.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace {

void setColumnColor(std::vector<CListCtrlCl::ColumnColor> &list, int column, const QColor &color)
{
    for (CListCtrlCl::ColumnColor &entry : list) {
        if (entry.column == column) {
            entry.color = color;
            return;
        }
    }
    list.push_back({column, color});
}

const QColor *findColumnColor(const std::vector<CListCtrlCl::ColumnColor> &list, int column)
{
    for (const CListCtrlCl::ColumnColor &entry : list) {
        if (entry.column == column)
            return &entry.color;
    }
    return nullptr;
}

} // namespace

// Paints one cell as the list asks: the fill, then the text left-aligned and centred by lines,
// with one drawText in the font the viewport's painter starts with (the list's cell font).
class CListCtrlClDelegate : public QStyledItemDelegate
{
public:
    explicit CListCtrlClDelegate(CListCtrlCl *list)
        : QStyledItemDelegate(list)
        , m_list(list)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const int column = index.column();
        const QRect cell = m_list->insideGrid(option.rect);
        // The viewport is filled with the list's back colour before any cell is painted: a
        // column of that colour needs no fill of its own.
        if (option.state & QStyle::State_Selected) {
            painter->fillRect(cell, m_list->highlightColor());
        } else if (const QColor *back = m_list->ColumnBackColor(column)) {
            if (*back != m_list->GetBkColor())
                painter->fillRect(cell, *back);
        }

        const CellText::Lines lines = CellText::splitLines(index.data().toString());
        if (lines.text.isEmpty())
            return;
        QRect label = cell;
        // The first column's text keeps a margin; its fill still reaches the row's left edge.
        if (column == 0)
            label.setLeft(label.left() + 2);
        const int offset = CellText::centreOffset(label.height(), m_list->m_nFontHeight, lines.count);
        const QColor *text = m_list->ColumnTextColor(column);
        painter->setPen(text ? *text : m_list->m_crText);
        constexpr int flags = Qt::AlignLeft | Qt::AlignTop;
        if (offset >= 0) {
            // drawText cuts what does not fit at this rectangle's edges, which are the cell's.
            painter->drawText(label.adjusted(0, offset, 0, 0), flags, lines.text);
        } else {
            // Lines taller than the row start above it: cut at the cell's top as well.
            painter->save();
            painter->setClipRect(cell);
            painter->drawText(label.translated(0, offset), flags, lines.text);
            painter->restore();
        }
    }

private:
    CListCtrlCl *m_list;
};

CListCtrlCl::CListCtrlCl(QWidget *parent)
    : ReportListView(parent)
    , m_Header(*new CHeaderCtrlCl(this))
{
    setHorizontalHeader(&m_Header);
    setItemDelegate(new CListCtrlClDelegate(this));
    RefreshLayout();
}

void CListCtrlCl::RefreshLayout()
{
    // Cells are drawn in the font a painter of the viewport starts with.
    viewport()->setFont(ControlFont::make(QStringLiteral("宋体"), m_nFontHeight, m_nFontWidth));
    ReportListView::RefreshLayout();
}

int CListCtrlCl::InsertColumn(int column, const QString &heading, int format, int width, int)
{
    m_Header.m_arrTitles.append(heading);
    QChar code = QLatin1Char('1');
    if ((format & 3) == LVCFMT_LEFT)
        code = QLatin1Char('0');
    else if ((format & 3) == LVCFMT_RIGHT)
        code = QLatin1Char('2');
    m_Header.m_strFormat.append(code);
    return InsertColumnBase(column, heading, width < 0 ? m_Header.defaultSectionSize() : width);
}

bool CListCtrlCl::SetColumnTitle(int column, const QString &title)
{
    if (column < 0 || column >= m_Header.m_arrTitles.size() || !listModel()->setHeading(column, title))
        return false;
    if (m_Header.m_arrTitles.at(column) == title)
        return true;
    m_Header.m_arrTitles[column] = title;
    m_Header.viewport()->update();
    return true;
}

void CListCtrlCl::SetColumnBackColor(int column, const QColor &color)
{
    setColumnColor(m_listColumnBackColors, column, color);
}

void CListCtrlCl::SetColumnTextColor(int column, const QColor &color)
{
    setColumnColor(m_listColumnTextColors, column, color);
}

const QColor *CListCtrlCl::ColumnBackColor(int column) const
{
    return findColumnColor(m_listColumnBackColors, column);
}

const QColor *CListCtrlCl::ColumnTextColor(int column) const
{
    return findColumnColor(m_listColumnTextColors, column);
}

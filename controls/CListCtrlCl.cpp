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

// Paints one cell as the list asks: the fill, then the text left-aligned and centred by lines.
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
        const QRect fill = option.rect;
        QRect label = fill;
        // The first column's text keeps a margin; its fill still reaches the row's left edge.
        if (column == 0)
            label.setLeft(label.left() + 2);

        painter->save();
        if (option.state & QStyle::State_Selected) {
            painter->fillRect(fill, m_list->highlightColor());
        } else {
            painter->fillRect(fill, m_list->GetBkColor());
            if (const QColor *back = m_list->ColumnBackColor(column))
                painter->fillRect(fill, *back);
        }

        const CellText::Lines lines = CellText::splitLines(index.data().toString());
        label.translate(0, CellText::centreOffset(label.height(), m_list->m_nFontHeight, lines.count));
        const QColor *text = m_list->ColumnTextColor(column);
        painter->setPen(text ? *text : m_list->m_crText);
        painter->setFont(ControlFont::make(QStringLiteral("宋体"), m_list->m_nFontHeight, m_list->m_nFontWidth));
        painter->setClipRect(fill);
        painter->drawText(label, Qt::AlignLeft | Qt::AlignTop, lines.text);
        painter->restore();
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

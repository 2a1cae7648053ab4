#include "CHeaderCtrlCl.h"

#include "CellText.h"
#include "ControlFont.h"

#include <QPainter>

CHeaderCtrlCl::CHeaderCtrlCl(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(false);
    setHighlightSections(false);
    setMinimumSectionSize(0);
}

QSize CHeaderCtrlCl::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    size.setHeight(static_cast<int>(static_cast<float>(size.height()) * m_fHeightFactor));
    return size;
}

// Rows from top to bottom inclusive, columns left to right exclusive.
void CHeaderCtrlCl::fillGradient(QPainter *painter, int left, int right, int top, int bottom) const
{
    if (right <= left)
        return;
    for (int y = top; y <= bottom; ++y)
        painter->fillRect(QRect(left, y, right - left, 1),
                          CellText::gradientRow(m_nR, m_nG, m_nB, m_nGradient, y - top));
}

void CHeaderCtrlCl::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    painter->save();
    painter->fillRect(rect, palette().button());
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    // The first pixel column stays unpainted, so neighbouring columns show a seam.
    fillGradient(painter, rect.left() + 1, right, rect.top(), bottom);

    const QFont font = ControlFont::make(QStringLiteral("宋体"), m_nFontHeight, m_nFontWidth);
    painter->setFont(font);
    painter->setPen(m_crText);
    QRect textRect = rect;
    Qt::Alignment align = Qt::AlignHCenter;
    const QChar format = logicalIndex < m_strFormat.size() ? m_strFormat.at(logicalIndex) : QChar();
    if (format == QLatin1Char('0')) {
        textRect.setLeft(textRect.left() + 3);
        align = Qt::AlignLeft;
    } else if (format == QLatin1Char('2')) {
        textRect.setRight(textRect.right() - 3);
        align = Qt::AlignRight;
    }
    textRect.translate(0, CellText::centreOffset(rect.height(), painter->fontMetrics().height(), 1));
    const QString title = logicalIndex < m_arrTitles.size() ? m_arrTitles.at(logicalIndex) : QString();
    painter->drawText(textRect, int(align | Qt::AlignTop), title);
    painter->restore();
}

void CHeaderCtrlCl::paintEvent(QPaintEvent *event)
{
    QHeaderView::paintEvent(event);
    if (count() == 0)
        return;
    // The strip right of the last column carries the gradient too.
    const int last = logicalIndex(count() - 1);
    const int lastRight = sectionViewportPosition(last) + sectionSize(last);
    QPainter painter(viewport());
    fillGradient(&painter, lastRight + 1, viewport()->width(), 0, viewport()->height());
}

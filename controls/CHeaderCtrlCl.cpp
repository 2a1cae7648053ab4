#include "CHeaderCtrlCl.h"

#include "CellText.h"
#include "ControlFont.h"

#include <QPaintEvent>
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

void CHeaderCtrlCl::fillGradient(QPainter *painter, int left, int right) const
{
    if (right <= left)
        return;
    const int height = viewport()->height();
    painter->drawTiledPixmap(
        QRect(left, 0, right - left, height), m_gradient.get(m_nR, m_nG, m_nB, m_nGradient, height));
}

void CHeaderCtrlCl::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const int right = rect.left() + rect.width();
    // The first pixel column keeps the button colour, so neighbouring columns show a seam.
    painter->fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), palette().button());
    fillGradient(painter, rect.left() + 1, right);

    painter->setFont(titleFont());
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
    if (!title.isEmpty())
        painter->drawText(textRect, int(align | Qt::AlignTop), title);
}

void CHeaderCtrlCl::paintEvent(QPaintEvent *event)
{
    // The sections and the strip right of the last one, each pixel painted once: the view's
    // own paint would draw a styled header first under every section and the strip.
    if (count() == 0)
        return;
    QPainter painter(viewport());
    const QRect dirty = event->rect();
    const int height = viewport()->height();
    int end = 0;
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        if (isSectionHidden(logical))
            continue;
        const QRect section(sectionViewportPosition(logical), 0, sectionSize(logical), height);
        end = section.left() + section.width();
        if (section.intersects(dirty))
            paintSection(&painter, section, logical);
    }
    // The strip right of the last column carries the gradient too, after its own seam.
    painter.fillRect(QRect(end, 0, 1, height), palette().button());
    fillGradient(&painter, end + 1, viewport()->width());
}

#include "CMyButton.h"

#include <QMouseEvent>
#include <QPainter>

CMyButton::CMyButton(QWidget *parent)
    : CMyButton(QString(), parent)
{
}

CMyButton::CMyButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
    , m_crDisabledText(palette().color(QPalette::Disabled, QPalette::ButtonText))
{
    // Moves must arrive without a button held, so the hover look can follow the pointer.
    setMouseTracking(true);
}

void CMyButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_rcButton = rect();
    if (m_strCaption.isEmpty())
        m_strCaption = text();
    painter.save();
    DrawButton(painter);
    painter.restore();
}

void CMyButton::DrawButton(QPainter &painter)
{
    // A button enabled again leaves the disabled look at its next paint.
    if (m_nState == Disabled)
        m_nState = Normal;
    if (!isEnabled())
        m_nState = Disabled;

    QColor frame;
    QColor textColor = m_crText;
    switch (m_nState) {
    case Hover:
        frame = hoverFrameColor();
        break;
    case Pressed:
        frame = pressedFrameColor();
        break;
    case Disabled:
        frame = m_crBack;
        textColor = m_crDisabledText;
        break;
    default:
        frame = normalFrameColor();
        break;
    }

    const QRect r = m_rcButton;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(frame, 1));
    painter.setBrush(m_crBack);
    painter.drawRoundedRect(r.adjusted(0, 0, -1, -1), 2.5, 2.5);

    if (m_nState != Pressed) {
        // The raised inner edge: light at top and left, shadow at bottom and right.
        const int left = r.left() + 2;
        const int top = r.top() + 1;
        const int right = r.right();
        const int bottom = r.bottom();
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(left, top, right - 1, top);
        painter.drawLine(left, top, left, bottom - 1);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(left, bottom, right, bottom);
        painter.drawLine(right, top, right, bottom);
    }

    painter.setPen(textColor);
    painter.setBrush(Qt::NoBrush);
    const QString shown = fontMetrics().elidedText(m_strCaption, Qt::ElideRight, r.width());
    painter.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, shown);

    if (hasFocus()) {
        QPen dotted(textColor, 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.drawRect(QRect(QPoint(r.left() + 3, r.top() + 2), QPoint(r.right() - 3, r.bottom() - 2)));
    }
}

void CMyButton::OnMouseMove(const QPoint &point)
{
    if (m_bTracking) {
        // Moving over the button keeps its look, so a pressed button stays pressed.
        if (m_rcButton.contains(point))
            return;
        m_bTracking = false;
        m_nState = Normal;
    } else {
        m_bTracking = true;
        m_nState = Hover;
    }
    update();
}

void CMyButton::mouseMoveEvent(QMouseEvent *event)
{
    if (m_rcButton.isNull())
        m_rcButton = rect();
    OnMouseMove(event->position().toPoint());
    QPushButton::mouseMoveEvent(event);
}

void CMyButton::leaveEvent(QEvent *event)
{
    // Stands in for the move outside the button that a held mouse capture would report.
    if (m_bTracking) {
        m_bTracking = false;
        m_nState = Normal;
        update();
    }
    QPushButton::leaveEvent(event);
}

void CMyButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_nState = Pressed;
        update();
    }
    QPushButton::mousePressEvent(event);
}

void CMyButton::mouseReleaseEvent(QMouseEvent *event)
{
    // Only a release over the button reaches it once the pointer was dragged away.
    if (event->button() == Qt::LeftButton && (m_bTracking || rect().contains(event->position().toPoint()))) {
        m_nState = Hover;
        update();
    }
    QPushButton::mouseReleaseEvent(event);
}

#include "CMyStatic.h"

#include "core/Countdown.h"

#include <QPainter>

CMyStatic::CMyStatic(QWidget *parent)
    : QLabel(parent)
{
}

CMyStatic::~CMyStatic()
{
    // The worker calls into this object; it must be gone first.
    Stop();
}

void CMyStatic::OnTick()
{
    const int elapsed = ++g_nElapsedSeconds;
    int secs = m_nMinutes * 60 - elapsed;
    // Never counts below zero, also for a length that was never chosen.
    if (secs < 0)
        secs = 0;
    const QString text = Countdown::timeText(secs);
    // Queued: the painting happens on the user-interface thread, which may itself be
    // waiting for this worker in Stop.
    QMetaObject::invokeMethod(this, [this, text] { showTime(text); }, Qt::QueuedConnection);
    if (secs == 0) {
        m_bStop.store(true);
        g_nElapsedSeconds.store(0);
    }
}

void CMyStatic::showTime(const QString &text)
{
    m_strTime = text;
    repaint();
    emit timeShown(text);
}

void CMyStatic::paintEvent(QPaintEvent *event)
{
    if (m_strTime.isEmpty()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), kFieldColor);
    // The digits sit at a fifth of the width on a box of the fill's own colour.
    painter.setFont(font());
    const QFontMetrics metrics(font());
    const QRect box(width() / 5, 0, metrics.horizontalAdvance(m_strTime), metrics.height());
    painter.fillRect(box, kDigitsBackColor);
    painter.setPen(kDigitsColor);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, m_strTime);
}

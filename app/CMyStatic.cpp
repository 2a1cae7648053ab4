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
    {
        // Queued: the painting happens on the user-interface thread, which may itself be
        // waiting for this worker in Stop. The call is queued under the lock that the
        // painting takes, so that the hand-over is ordered by a lock of our own, which race
        // checkers see, and not only by the event queue's. By name, so that nothing reads
        // the queued call before that lock is taken.
        const std::lock_guard lock(m_pendingLock);
        m_strPending = Countdown::timeText(secs);
        QMetaObject::invokeMethod(this, "showTime", Qt::QueuedConnection);
    }
    if (secs == 0) {
        m_bStop.store(true);
        g_nElapsedSeconds.store(0);
    }
}

void CMyStatic::showTime()
{
    {
        const std::lock_guard lock(m_pendingLock);
        m_strTime = m_strPending;
    }
    repaint();
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

#include "Pause.h"

#include <QEventLoop>
#include <QTimer>

namespace Pause {

namespace {
std::function<void(int)> g_handler;
}

void pause(int milliseconds)
{
    if (g_handler) {
        g_handler(milliseconds);
        return;
    }
    if (milliseconds <= 0)
        return;
    // The loop sleeps until the timer or a repaint wakes it; input waits until the loop ends.
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(milliseconds);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void setHandler(std::function<void(int)> handler)
{
    g_handler = std::move(handler);
}

} // namespace Pause

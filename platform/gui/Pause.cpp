#include "Pause.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>

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
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        QThread::msleep(static_cast<unsigned long>(qMin<qint64>(5, qMax<qint64>(0, deadline.remainingTime()))));
    }
}

void setHandler(std::function<void(int)> handler)
{
    g_handler = std::move(handler);
}

} // namespace Pause

#include "WindowTimers.h"

#include <QTimerEvent>

namespace {

bool g_stepping = false;

} // namespace

WindowTimers::WindowTimers(QObject *owner, TickHandler onTick)
    : QObject(owner)
    , m_onTick(std::move(onTick))
{
}

WindowTimers::~WindowTimers() = default;

void WindowTimers::setStepping(bool stepping)
{
    g_stepping = stepping;
}

void WindowTimers::SetTimer(int id, int milliseconds)
{
    Running &running = m_running[id];
    running.interval = milliseconds;
    if (!g_stepping)
        running.timer.start(milliseconds, this);
}

bool WindowTimers::KillTimer(int id)
{
    return m_running.erase(id) > 0;
}

bool WindowTimers::isRunning(int id) const
{
    return m_running.count(id) > 0;
}

int WindowTimers::interval(int id) const
{
    const auto it = m_running.find(id);
    return it == m_running.end() ? -1 : it->second.interval;
}

bool WindowTimers::fire(int id)
{
    if (!isRunning(id))
        return false;
    m_onTick(id);
    return true;
}

void WindowTimers::timerEvent(QTimerEvent *event)
{
    for (const auto &[id, running] : m_running) {
        if (running.timer.timerId() == event->timerId()) {
            m_onTick(id);
            return;
        }
    }
    QObject::timerEvent(event);
}

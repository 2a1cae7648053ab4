#include "Clock.h"

#include <chrono>
#include <mutex>

namespace Clock {

namespace {
std::mutex g_mutex;
std::function<QDateTime()> g_source;
} // namespace

QDateTime now()
{
    std::lock_guard lock(g_mutex);
    return g_source ? g_source() : QDateTime::currentDateTime();
}

qint64 secondsSinceEpoch()
{
    return now().toSecsSinceEpoch();
}

qint64 microsecondsSinceEpoch()
{
    {
        std::lock_guard lock(g_mutex);
        if (g_source)
            return g_source().toMSecsSinceEpoch() * 1000;
    }
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void setSource(std::function<QDateTime()> source)
{
    std::lock_guard lock(g_mutex);
    g_source = std::move(source);
}

} // namespace Clock

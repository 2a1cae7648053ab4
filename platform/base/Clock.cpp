#include "Clock.h"

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

void setSource(std::function<QDateTime()> source)
{
    std::lock_guard lock(g_mutex);
    g_source = std::move(source);
}

} // namespace Clock

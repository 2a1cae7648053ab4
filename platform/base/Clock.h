#pragma once

#include <QDateTime>

#include <functional>

// Wall-clock time behind one seam so tests can fix it.
namespace Clock {

QDateTime now();
qint64 secondsSinceEpoch();

// Replaces the clock; an empty function restores the system clock.
void setSource(std::function<QDateTime()> source);

} // namespace Clock

#pragma once

#include <QDateTime>

#include <functional>

// Wall-clock time behind one seam so tests can fix it.
namespace Clock {

QDateTime now();
qint64 secondsSinceEpoch();
// The system clock's finer resolution; a replaced clock gives its milliseconds.
qint64 microsecondsSinceEpoch();

// Replaces the clock; an empty function restores the system clock.
void setSource(std::function<QDateTime()> source);

} // namespace Clock

#pragma once

#include <QtGlobal>

// Scores, totals and lesson counts of the roll-call are ints. A sum beyond an int's range is
// held at its limit instead of wrapping: a wrapped sum turns the best score into the worst
// (and overflowing a signed int is undefined behaviour).
namespace Points {

int add(int value, qint64 delta);

// Truncated toward zero, held at an int's limits; not a number gives 0.
int fromDouble(double value);

} // namespace Points

#pragma once

#include <QString>

// Number text as the classroom files have always used it: a leading number is taken,
// whatever follows it is ignored, and text that starts with no number reads as 0.
namespace NumberText {

// Leading blanks, optional sign, decimal digits; saturates at the int range.
int toInt(const QString &text);

// Leading blanks, optional sign, digits with an optional fraction and exponent.
double toDouble(const QString &text);

// "%d"
QString fromInt(int value);

// Shortest decimal text that toDouble reads back to the same value.
QString fromDouble(double value);

// Shortest decimal text that reads back to the same float.
QString fromFloat(float value);

} // namespace NumberText

#pragma once

#include <QString>
#include <QVariant>

// Number text as the classroom files have always used it: a leading number is taken,
// whatever follows it is ignored, and text that starts with no number reads as 0.
// Nothing here depends on the process locale: the decimal point is always '.'.
namespace NumberText {

// Leading blanks, optional sign, decimal digits; saturates at the int range.
int toInt(const QString &text);

// Leading blanks, optional sign, digits with an optional fraction and exponent.
// A value too large for a double reads as an infinity, one too small as 0.
double toDouble(const QString &text);

// The integer or the number at position from (no blanks skipped): returns how many
// characters it takes, 0 when none lead there (value is then 0).
qsizetype scanInt(const QString &text, qsizetype from, int &value);
qsizetype scanDouble(const QString &text, qsizetype from, double &value);

// A number read back from a database column: an integer column as it is (held at the int
// range), anything else through its text as toInt reads it; NULL reads as 0.
int toInt(const QVariant &value);

// "%d"
QString fromInt(int value);

// Shortest decimal text that toDouble reads back to the same value; an infinity is written
// as a number beyond the type's range, which reads back as that infinity.
QString fromDouble(double value);

// Shortest decimal text that toDouble, narrowed to float, reads back to the same value.
QString fromFloat(float value);

} // namespace NumberText

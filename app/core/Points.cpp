#include "Points.h"

#include <climits>
#include <cmath>

namespace Points {

int add(int value, qint64 delta)
{
    // Both within an int's range here, so the 64-bit sum is exact.
    const qint64 sum = static_cast<qint64>(value) + qBound<qint64>(qint64(INT_MIN), delta, qint64(INT_MAX));
    return static_cast<int>(qBound<qint64>(qint64(INT_MIN), sum, qint64(INT_MAX)));
}

int fromDouble(double value)
{
    const double whole = std::trunc(value);
    if (std::isnan(whole))
        return 0;
    if (whole >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (whole <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(whole);
}

} // namespace Points

#include "StudentRenumbering.h"

#include <algorithm>

namespace StudentRenumbering {

std::map<int, int> Mapping::moves() const
{
    std::map<int, int> changed;
    for (const auto &[from, to] : numbers) {
        if (from != to)
            changed.emplace(from, to);
    }
    return changed;
}

Mapping map(QList<int> numbers, int from, int to)
{
    std::sort(numbers.begin(), numbers.end());
    Mapping result;
    int counter = to;
    int highestBelow = 0; // the highest number below A seen so far
    for (const int n : numbers) {
        if (n == 0)
            continue;
        int target = n;
        if (to < from) {
            if (n < from && n > highestBelow)
                highestBelow = n;
            if (n == to)
                return {Outcome::Taken, {}};
            if (n == from)
                target = to;
            else if (n > from && highestBelow < to)
                target = ++counter;
        } else if (to > from) {
            if (n == from)
                target = to;
            else if (n > from)
                target = ++counter;
        }
        if (target != n && target > kHighestNumber)
            return {Outcome::BeyondRange, {}};
        result.numbers[n] = target;
    }
    return result;
}

} // namespace StudentRenumbering

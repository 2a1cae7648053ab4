#include "StudentRenumbering.h"

#include <algorithm>

namespace StudentRenumbering {

// A student moved down past others moves alone, onto a number nobody holds. Every other
// mapping keeps the students' order: a higher old number gets a higher new one. So a row
// moving down lands on a number that, if held at all, is held by a row moving down as well
// and lower: the rows moving down go first, lowest first. Likewise the rows moving up go
// highest first. A row moving down never lands on the number of a row moving up (that row,
// lower, would have to get a still lower number), nor the other way round; and no chain of
// moves can come back to where it started, so no row ever needs a number in between.
Moves Mapping::orderedMoves() const
{
    Moves down;
    Moves up;
    for (const auto &[from, to] : numbers) {
        if (to < from)
            down.emplace_back(from, to);
        else if (to > from)
            up.emplace_back(from, to);
    }
    Moves ordered = std::move(down);
    ordered.insert(ordered.end(), up.rbegin(), up.rend());
    return ordered;
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

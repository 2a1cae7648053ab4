#pragma once

#include <QList>

#include <map>
#include <utility>
#include <vector>

// Which number each student of a group gets when one student's number changes from A to B.
// The edited student gets B; the others keep their order by number wherever they can:
// - B > A: everybody numbered above A moves up to B+1, B+2, … in the order of their numbers;
// - B < A with nobody numbered from B to A−1: everybody above A follows on from B+1;
// - B < A with somebody between: only the edited student moves;
// - B < A and B held by another student: refused.
// Students numbered below A keep their numbers.
namespace StudentRenumbering {

// The highest number the edit form takes: a renumbering that would push a student beyond it
// is refused, so every student can always be saved again with the number shown.
constexpr int kHighestNumber = 111111;

enum class Outcome { Done, Taken, BeyondRange };

// Old number to new number, each pair one row to move.
using Moves = std::vector<std::pair<int, int>>;

struct Mapping
{
    Outcome outcome = Outcome::Done;
    // Every roster number (0 aside) to its new number, when Done.
    std::map<int, int> numbers;

    // The numbers that change, as moves in an order in which no row is moved onto a number
    // that another row still holds, so that each row moves once.
    Moves orderedMoves() const;
};

// numbers: the roster's numbers, in any order; 0 is no student and is passed over.
Mapping map(QList<int> numbers, int from, int to);

} // namespace StudentRenumbering

#include "TestMain.h"

#include "records/core/StudentRenumbering.h"

#include <algorithm>
#include <set>

using StudentRenumbering::Outcome;

namespace {

// The roster's numbers after the renumbering, in the order of the old numbers.
QList<int> after(const QList<int> &numbers, int from, int to)
{
    const StudentRenumbering::Mapping mapping = StudentRenumbering::map(numbers, from, to);
    if (mapping.outcome != Outcome::Done)
        return {};
    QList<int> out;
    for (const int n : numbers)
        out << mapping.numbers.at(n);
    return out;
}

QList<int> range(int first, int last)
{
    QList<int> out;
    for (int n = first; n <= last; ++n)
        out << n;
    return out;
}

} // namespace

class TestRenumbering : public QObject
{
    Q_OBJECT

private slots:
    void teachersExamples()
    {
        QCOMPARE(after({1, 2, 3, 4, 5}, 3, 5), (QList<int>{1, 2, 5, 6, 7}));
        QCOMPARE(after({1, 2, 6, 7, 9}, 6, 3), (QList<int>{1, 2, 3, 4, 5}));
        // Students between B and A: only the edited one moves, and stands before them.
        QCOMPARE(after({1, 2, 4, 5, 8, 9}, 8, 3), (QList<int>{1, 2, 4, 5, 3, 9}));
        QCOMPARE(StudentRenumbering::map(range(1, 10), 8, 3).outcome, Outcome::Taken);
    }

    void moreCases()
    {
        // The last student moved up: nobody else changes.
        QCOMPARE(after({1, 2, 3, 4, 5}, 5, 9), (QList<int>{1, 2, 3, 4, 9}));
        // Down into a gap that reaches A: everybody above follows on, further gaps closed.
        QCOMPARE(after({1, 2, 6, 8, 10}, 6, 3), (QList<int>{1, 2, 3, 4, 5}));
        // Up onto a number held above A: that student moves on beyond B like the others.
        QCOMPARE(after({1, 2, 3, 4, 5}, 2, 4), (QList<int>{1, 4, 5, 6, 7}));
        // Unsorted input, and 0 (no student) left out of the mapping.
        const StudentRenumbering::Mapping mapping = StudentRenumbering::map({5, 0, 3, 1}, 3, 4);
        QCOMPARE(mapping.numbers, (std::map<int, int>{{1, 1}, {3, 4}, {5, 5}}));
        QCOMPARE(mapping.orderedMoves(), (StudentRenumbering::Moves{{3, 4}}));
        // The same number: nothing moves.
        QVERIFY(StudentRenumbering::map({1, 2, 3}, 2, 2).orderedMoves().empty());
    }

    void eachRowMovesOnceWithoutCollision()
    {
        // Every student of some rosters changed to every number up to a little beyond: the
        // ordered moves, made one by one, never land on a number held at that moment, and
        // give the mapping's result.
        const QList<QList<int>> rosters{range(1, 9), {1, 2, 4, 5, 8, 9}, {2, 3, 7, 20, 21, 40}, {1, 100}};
        for (const QList<int> &roster : rosters) {
            for (const int from : roster) {
                for (int to = 1; to <= 45; ++to) {
                    const StudentRenumbering::Mapping mapping = StudentRenumbering::map(roster, from, to);
                    if (mapping.outcome != Outcome::Done)
                        continue;
                    std::set<int> held(roster.begin(), roster.end());
                    const StudentRenumbering::Moves moves = mapping.orderedMoves();
                    // One move for each number that changes.
                    QCOMPARE(moves.size(), std::size_t(std::count_if(mapping.numbers.begin(), mapping.numbers.end(),
                                                                     [](const auto &p) { return p.first != p.second; })));
                    for (const auto &[old, now] : moves) {
                        QVERIFY2(!held.count(now), qPrintable(QStringLiteral("%1 -> %2").arg(from).arg(to)));
                        held.erase(old);
                        held.insert(now);
                    }
                    std::set<int> expected;
                    for (const auto &[old, now] : mapping.numbers)
                        expected.insert(now);
                    QCOMPARE(held, expected);
                }
            }
        }
        // Up: the highest first; down: the lowest first.
        QCOMPARE(StudentRenumbering::map({1, 2, 3}, 1, 2).orderedMoves(),
                 (StudentRenumbering::Moves{{3, 4}, {2, 3}, {1, 2}}));
        QCOMPARE(StudentRenumbering::map({1, 5, 6}, 5, 2).orderedMoves(), (StudentRenumbering::Moves{{5, 2}, {6, 3}}));
        // Both ways in one renumbering: 2 → 3 takes 3 up and 100 down.
        QCOMPARE(StudentRenumbering::map({1, 2, 3, 100}, 2, 3).orderedMoves(),
                 (StudentRenumbering::Moves{{100, 5}, {3, 4}, {2, 3}}));
    }

    void numbersStayWithinTheFormsRange()
    {
        const int top = StudentRenumbering::kHighestNumber;
        QCOMPARE(top, 111111);
        QCOMPARE(after({1, 2, 3}, 2, top - 1), (QList<int>{1, top - 1, top}));
        QCOMPARE(StudentRenumbering::map({1, 2, 3, 4}, 2, top - 1).outcome, Outcome::BeyondRange);
        QCOMPARE(StudentRenumbering::map({1, 2}, 2, top).outcome, Outcome::Done);
        // A number already beyond it that does not move is no reason to refuse.
        QCOMPARE(after({2, 3, 5, top + 5}, 5, 1), (QList<int>{2, 3, 1, top + 5}));
    }
};

PELLOR_UNIT_TEST_MAIN(TestRenumbering)
#include "tst_renumbering.moc"

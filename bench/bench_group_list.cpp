// The groups page's select-all box on a list of 8,000 semesters: the check-list rule that
// unchecks every row and checks, from the bottom up, one row of each year and group until six
// are checked. Its rows name only five groups, so that no sixth check ends the walk early and
// every row is looked at. The floor: a bare loop over the same rows that unchecks each and
// compares its year and group once with another's, ignoring case. The rule compares a row with
// up to five groups taken, the floor with one: a walk that looks at each row once holds under
// 5x, one that walks the list again for each row misses by far.

#include "bench/Comparisons.h"

#include "controls/CheckListRules.h"

namespace {

constexpr int kRows = 8000;
constexpr int kGroups = 5;

QList<CheckListRules::Row> &rows()
{
    static QList<CheckListRules::Row> &made = *Bench::keep([] {
        auto list = std::make_unique<QList<CheckListRules::Row>>();
        for (int i = 0; i < kRows; ++i)
            list->append({ QString::number(2010 + i % kGroups), QStringLiteral("%1班").arg(i % kGroups + 1), i % 7 == 0 });
        return list;
    }());
    return made;
}

void checkAll(benchmark::State &state)
{
    QList<CheckListRules::Row> &list = rows();
    for (auto _ : state)
        CheckListRules::checkAll(list);
    int checked = 0;
    for (const CheckListRules::Row &row : list)
        checked += row.checked ? 1 : 0;
    if (checked != kGroups)
        state.SkipWithError("not one row of each group was checked");
}

void bareLoop(benchmark::State &state)
{
    QList<CheckListRules::Row> &list = rows();
    const CheckListRules::Row &last = list.constLast();
    int same = 0;
    for (auto _ : state) {
        for (CheckListRules::Row &row : list) {
            row.checked = false;
            if (QString::compare(row.year, last.year, Qt::CaseInsensitive) == 0
                && QString::compare(row.group, last.group, Qt::CaseInsensitive) == 0)
                ++same;
        }
    }
    benchmark::DoNotOptimize(same);
}

} // namespace

int main(int argc, char **argv)
{
    return Bench::run(argc, argv,
        {
            { "groups page: check-all of 8,000 semesters of 5 groups / a bare loop over the rows", checkAll,
                bareLoop, 5.0 },
        });
}

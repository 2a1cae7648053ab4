#pragma once

#include "platform/base/Database.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <sys/resource.h>

class QAbstractItemView;
class QWidget;

// The verdicts of a benchmark program. Each comparison times an operation beside its floor
// (the same rows and statements done bare, nothing more) and holds when the median of their
// ratios stays under its target; one without a floor holds when the operation's median time
// stays under a limit in milliseconds.
//
// Run without arguments, a program runs each comparison in a fresh process of its own, so
// that none inherits another's heap, caches, windows or database files. In that process the
// operation and its floor run in pairs, one right after the other and each first in turn,
// and each pair gives one ratio: whatever else the machine does falls on both runs of a pair
// alike. Each process prints one line (name, ratio, target, whether it holds) on standard
// output and Google Benchmark's table on standard error; the program ends with 1 when a
// comparison misses or does not run.
//   --only=<text>       only the comparisons whose name holds the text
//   --comparison=<n>    the n-th comparison (from 0), in this process
// Other arguments reach Google Benchmark.
namespace Bench {

using Function = std::function<void(benchmark::State &)>;

// What a run is timed by.
enum class Clock {
    // The processor time of the whole process, every thread's: what the work costs, however
    // busy the machine's other cores are. For work that waits for nothing outside.
    Process,
    // The time on the clock: for work that waits for the disk to keep what it wrote, where
    // the waits are what a teacher waits for.
    Wall,
};

struct Comparison

{
    std::string name;
    Function measured;
    Function floor; // none: `target` is a limit in milliseconds
    double target;
    Clock clock = Clock::Process;
    // Pairs of runs; fewer for a long operation.
    int repetitions = 15;
    // Iterations per run; 0: as many as fill a tenth of a second.
    benchmark::IterationCount iterations = 0;
    // The benchmarks time each iteration themselves on the clock (State::SetIterationTime).
    bool manualTime = false;
};

int run(int argc, char **argv, const std::vector<Comparison> &comparisons);

// What follows `prefix` in the first argument that starts with it; empty when none does.
std::string argument(int argc, char **argv, const char *prefix);
// The path of this program's executable.
std::string selfPath(const char *argv0);

// Runs this program again with the arguments given (after the program's own path) and returns
// what it printed; nothing when it could not start or did not end with 0. `usage`, when
// given, receives the resources the child used.
std::optional<std::string> runChild(const std::string &self, const std::vector<std::string> &arguments,
                                    rusage *usage = nullptr);

namespace detail {
struct Kept
{
    virtual ~Kept() = default;
};
void keep(std::unique_ptr<Kept> object);
} // namespace detail

// Keeps what the benchmarks of a run share (a database, a window shown) until the run ends;
// it goes before the application object does, the last kept first. Returns the kept object.
template <typename T> T &keep(T object)
{
    struct Holder : detail::Kept
    {
        explicit Holder(T &&o)
            : value(std::move(o))
        {
        }
        T value;
    };
    auto holder = std::make_unique<Holder>(std::move(object));
    T &value = holder->value;
    detail::keep(std::move(holder));
    return value;
}

// Lets go of what was kept, the last first: before the application object goes.
void releaseKept();

// Shows a window and waits until it has been laid out and painted.
void show(QWidget &window);

// Runs the event loop until what the last operation changed is laid out and painted, as it
// is before the teacher sees it. False when the window was not painted.
bool paint(QWidget &window);

// Times a page's own load with its window shown, each time until the window is painted; the
// run fails unless the list then holds `rows` rows.
void timePaintedLoad(benchmark::State &state, QWidget &window, const QAbstractItemView &list, int rows,
    const std::function<void()> &load);

// The rows of a statement run bare (prepared, forward-only), every column read as text: how
// a floor reads what a list shows.
QList<QStringList> bareRows(const Database &db, const QString &sql, const QVariantList &values = {});

// A database file in a folder of its own, both gone when the run ends.
struct DatabaseFile
{
    explicit DatabaseFile(
        const QString &connectionName, const QString &fileName = QStringLiteral("bench.db"));

    QTemporaryDir folder;
    std::shared_ptr<Database> db;
};

} // namespace Bench

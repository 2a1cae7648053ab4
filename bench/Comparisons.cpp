#include "Comparisons.h"

#include "HeadlessEnvironment.h"

#include "app/PellorStartup.h"
#include "application/CPellorApp.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

extern char **environ;

namespace Bench {

namespace {

constexpr double kSecondsPerRun = 0.1;
constexpr int kMissed = 1;
constexpr int kNotRun = 2;

std::vector<std::unique_ptr<detail::Kept>> &kept()
{
    static std::vector<std::unique_ptr<detail::Kept>> objects;
    return objects;
}

// The time per iteration of the run just made, on the comparison's clock. Google Benchmark's
// own table goes to standard error, so that standard output holds the verdict lines alone.
class LastRunReporter : public benchmark::ConsoleReporter
{
public:
    explicit LastRunReporter(Clock clock)
        : ConsoleReporter(OO_Tabular)
        , m_clock(clock)
    {
        SetOutputStream(&std::cerr);
        SetErrorStream(&std::cerr);
    }

    bool ReportContext(const Context &context) override
    {
        // Once, not before every run.
        if (m_contextShown)
            return true;
        m_contextShown = true;
        return ConsoleReporter::ReportContext(context);
    }

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration)
                m_seconds = run.error_occurred
                    ? 0
                    : (m_clock == Clock::Process ? run.cpu_accumulated_time : run.real_accumulated_time)
                        / static_cast<double>(run.iterations);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Seconds per iteration of the benchmark of that name, run now; 0 when it failed.
    double run(const char *name)
    {
        m_seconds = 0;
        benchmark::RunSpecifiedBenchmarks(this, std::string("^") + name + "(/|$)");
        return m_seconds;
    }

private:
    Clock m_clock;
    bool m_contextShown = false;
    double m_seconds = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void printVerdict(
    const std::string &name, const std::string &value, const std::string &target, const char *verdict)
{
    std::printf("%-76s %9s  %-12s %s\n", name.c_str(), value.c_str(), target.c_str(), verdict);
    std::fflush(stdout);
}

std::string number(double value, const char *format)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// A freed block goes back to the system, or stays for the next allocation, by thresholds that
// glibc moves as the process frees large blocks: the same operation then pays page faults or
// not by what ran before it in the process. Fixed thresholds give every benchmark the heap
// of a program that has been running for a while.
void fixHeapThresholds()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
#endif
}

int runOne(int argc, char **argv, const Comparison &comparison)
{
    const HeadlessEnvironment headless;
    fixHeapThresholds();
    QApplication application(argc, argv);
    PellorStartup::prepareApplication();
    CPellorApp pellor;

    auto configure = [&comparison](benchmark::internal::Benchmark *b) {
        b->Unit(benchmark::kMillisecond);
        if (comparison.iterations > 0)
            b->Iterations(comparison.iterations);
        else
            b->MinTime(kSecondsPerRun);
        if (comparison.manualTime)
            b->UseManualTime();
        else if (comparison.clock == Clock::Wall)
            b->UseRealTime();
        else
            b->MeasureProcessCPUTime();
    };
    configure(benchmark::RegisterBenchmark("measured", comparison.measured));
    if (comparison.floor)
        configure(benchmark::RegisterBenchmark("floor", comparison.floor));
    benchmark::Initialize(&argc, argv);
    std::cerr << "== " << comparison.name << '\n';

    // Pairs of runs, one right after the other and each first in turn: whatever else the
    // machine does falls on both runs of a pair alike.
    LastRunReporter reporter(comparison.manualTime ? Clock::Wall : comparison.clock);
    std::vector<double> values;
    for (int pair = 0; pair < comparison.repetitions; ++pair) {
        double floor = 1;
        if (comparison.floor && pair % 2 == 1)
            floor = reporter.run("floor");
        const double measured = reporter.run("measured");
        if (comparison.floor && pair % 2 == 0)
            floor = reporter.run("floor");
        if (measured <= 0 || floor <= 0) {
            values.clear();
            break;
        }
        values.push_back(measured / floor);
    }
    benchmark::Shutdown();
    pellor.m_pConnection.reset();
    pellor.m_pStudentConnection.reset();
    releaseKept();

    const bool ratio = static_cast<bool>(comparison.floor);
    const std::string target = number(comparison.target, ratio ? "under %gx" : "under %g ms");
    if (values.empty()) {
        printVerdict(comparison.name, "-", target, "DID NOT RUN");
        return kNotRun;
    }
    const double value = ratio ? median(values) : median(values) * 1000;
    std::cerr << "== " << values.size() << (ratio ? " pairs, ratio " : " runs, ms ") << "min "
              << *std::min_element(values.begin(), values.end()) * (ratio ? 1 : 1000) << ", median " << value
              << ", max " << *std::max_element(values.begin(), values.end()) * (ratio ? 1 : 1000) << "\n\n";
    const bool holds = value < comparison.target;
    printVerdict(
        comparison.name, number(value, ratio ? "%.2fx" : "%.2f ms"), target, holds ? "holds" : "MISSES");
    return holds ? 0 : kMissed;
}

// Each comparison in a process of its own, one after the other.
int runEach(int argc, char **argv, const std::vector<Comparison> &comparisons)
{
    const std::string self = selfPath(argv[0]);
    const std::string only = argument(argc, argv, "--only=");
    int result = 0;
    for (size_t i = 0; i < comparisons.size(); ++i) {
        if (!only.empty() && comparisons[i].name.find(only) == std::string::npos)
            continue;
        std::vector<std::string> args { self, "--comparison=" + std::to_string(i) };
        for (int a = 1; a < argc; ++a) {
            if (std::strncmp(argv[a], "--only=", 7) != 0)
                args.emplace_back(argv[a]);
        }
        std::vector<char *> childArgv;
        for (std::string &arg : args)
            childArgv.push_back(arg.data());
        childArgv.push_back(nullptr);
        pid_t pid = 0;
        int status = 0;
        if (posix_spawn(&pid, self.c_str(), nullptr, nullptr, childArgv.data(), environ) != 0
            || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) > kNotRun) {
            printVerdict(comparisons[i].name, "-", "", "DID NOT RUN");
            result = kMissed;
        } else if (WEXITSTATUS(status) != 0) {
            result = kMissed;
        }
    }
    return result;
}

} // namespace

std::string argument(int argc, char **argv, const char *prefix)
{
    const size_t length = std::strlen(prefix);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], prefix, length) == 0)
            return argv[i] + length;
    }
    return {};
}

std::string selfPath(const char *argv0)
{
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    return n > 0 ? std::string(self, static_cast<size_t>(n)) : std::string(argv0);
}

std::optional<std::string> runChild(const std::string &self, const std::vector<std::string> &arguments,
                                    rusage *usage)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<std::string> args { self };
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    std::string out;
    char buffer[256];
    ssize_t n = 0;
    while (rc == 0 && (n = read(pipeFds[0], buffer, sizeof buffer)) > 0)
        out.append(buffer, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    rusage used {};
    if (rc != 0 || wait4(pid, &status, 0, &used) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    if (usage)
        *usage = used;
    return out;
}

void detail::keep(std::unique_ptr<Kept> object) { kept().push_back(std::move(object)); }

void releaseKept()
{
    while (!kept().empty())
        kept().pop_back();
}

int run(int argc, char **argv, const std::vector<Comparison> &comparisons)
{
    const std::string index = argument(argc, argv, "--comparison=");
    if (index.empty())
        return runEach(argc, argv, comparisons);
    const size_t n = std::strtoul(index.c_str(), nullptr, 10);
    if (n >= comparisons.size()) {
        std::fprintf(stderr, "no comparison %s\n", index.c_str());
        return kNotRun;
    }
    return runOne(argc, argv, comparisons[n]);
}

namespace {

// Counts the paint events of a window and its children.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget &window)
        : m_window(window)
    {
        qApp->installEventFilter(this);
    }
    ~PaintCounter() override { qApp->removeEventFilter(this); }

    int count() const { return m_count; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto widget = static_cast<QWidget *>(watched);
            if (widget == &m_window || m_window.isAncestorOf(widget))
                ++m_count;
        }
        return false;
    }

private:
    QWidget &m_window;
    int m_count = 0;
};

} // namespace

bool paint(QWidget &window)
{
    // A list lays itself out on a zero timer after its rows change and asks for a paint
    // again after that: passes until one paints nothing.
    const PaintCounter counter(window);
    for (int pass = 0; pass < 100; ++pass) {
        const int before = counter.count();
        QCoreApplication::processEvents();
        if (pass > 0 && counter.count() == before)
            break;
    }
    return counter.count() > 0;
}

void timePaintedLoad(benchmark::State &state, QWidget &window, const QAbstractItemView &list, int rows,
    const std::function<void()> &load)
{
    bool painted = true;
    for (auto _ : state) {
        load();
        painted = paint(window) && painted;
    }
    if (list.model()->rowCount() != rows)
        state.SkipWithError("the list does not hold every row");
    else if (!painted)
        state.SkipWithError("the list was not painted");
}

QList<QStringList> bareRows(const Database &db, const QString &sql, const QVariantList &values)
{
    QSqlQuery query = db.prepare(sql);
    query.setForwardOnly(true);
    db.run(query, values);
    const int columns = query.record().count();
    QList<QStringList> rows;
    while (query.next()) {
        QStringList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row.append(query.value(c).toString());
        rows.append(std::move(row));
    }
    return rows;
}

DatabaseFile::DatabaseFile(const QString &connectionName, const QString &fileName)
    : db(std::make_shared<Database>(connectionName))
{
    db->open(folder.filePath(fileName));
}

void show(QWidget &window)
{
    window.show();
    const PaintCounter counter(window);
    for (int pass = 0; pass < 1000 && counter.count() == 0; ++pass)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    paint(window);
}

} // namespace Bench

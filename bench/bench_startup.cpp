// Start-up time of the roll-call on the demo program folder, from process start to the main
// window painted, beside bare Qt programs that show a QDialog; all headless, each start a fresh
// process, the runs of all four interleaved at random in one run so that the machine's load
// falls on each alike, and compared by their medians:
//  - an empty QDialog;
//  - a QDialog with one line of Chinese text, the font set-up that any window with text pays;
//  - the same with Qt's Chinese translation loaded, as the roll-call loads it: the baseline the
//    roll-call is held to (at most 1.5 times), since any Chinese Qt window pays for it.
// Also the peak resident memory of each.
#include "app/CPellorDlg.h"
#include "app/PellorStartup.h"
#include "application/CPellorApp.h"
#include "platform/base/ProgramFolder.h"
#include "bench/HeadlessEnvironment.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

long long monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// Ends the modal loop of the first window of the wanted kind once it has painted, and
// prints the time since the parent started the process.
class ShownProbe : public QObject
{
public:
    ShownProbe(const char *className, long long startNs)
        : m_className(className)
        , m_startNs(startNs)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_done || event->type() != QEvent::Paint || !watched->inherits(m_className))
            return false;
        m_done = true;
        auto dialog = static_cast<QDialog *>(watched);
        QTimer::singleShot(0, dialog, [this, dialog] {
            std::printf("%lld\n", monotonicNs() - m_startNs);
            std::fflush(stdout);
            dialog->done(0);
        });
        return false;
    }

private:
    const char *m_className;
    long long m_startNs;
    bool m_done = false;
};

int runBareChild(int argc, char **argv, long long startNs)
{
    QApplication app(argc, argv);
    QDialog dialog;
    ShownProbe probe("QDialog", startNs);
    dialog.exec();
    return 0;
}

// The same dialog with one line of Chinese text; with Qt's own texts in Chinese when asked.
int runTextChild(int argc, char **argv, long long startNs, bool translated)
{
    QApplication app(argc, argv);
    if (translated)
        PellorStartup::installQtTranslation();
    QDialog dialog;
    QLabel label(QStringLiteral("小组："), &dialog);
    ShownProbe probe("QDialog", startNs);
    dialog.exec();
    return 0;
}

int runPellorChild(int argc, char **argv, long long startNs, const QString &folder)
{
    QApplication app(argc, argv);
    PellorStartup::prepareApplication();
    ProgramFolder::setExecutableFolder(folder);
    ShownProbe probe("CPellorDlg", startNs);
    CPellorApp pellor;
    PellorStartup::InitInstance(pellor);
    return pellor.ExitInstance();
}

struct Sample
{
    double shownSeconds = 0;
    long peakRssKb = 0;
};

std::string g_self;
QString g_folder;

// The samples of one kind of child, kept over all its interleaved runs.
struct Samples
{
    std::vector<double> times;
    long peakRssKb = 0;
};
Samples g_bare, g_text, g_translated, g_pellor;

bool spawnChild(const std::vector<std::string> &childArgs, Sample &sample)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);

    const long long start = monotonicNs();
    std::vector<std::string> args = childArgs;
    args.push_back("--start=" + std::to_string(start));
    std::vector<char *> argv;
    argv.push_back(g_self.data());
    for (std::string &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, g_self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (rc != 0) {
        close(pipeFds[0]);
        return false;
    }
    std::string out;
    char buffer[256];
    ssize_t n = 0;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0)
        out.append(buffer, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    const long long shownNs = std::atoll(out.c_str());
    if (shownNs <= 0)
        return false;
    sample.shownSeconds = static_cast<double>(shownNs) / 1e9;
    sample.peakRssKb = usage.ru_maxrss;
    return true;
}

void runStartup(benchmark::State &state, const std::vector<std::string> &childArgs, Samples &samples)
{
    for (auto _ : state) {
        Sample sample;
        if (!spawnChild(childArgs, sample)) {
            state.SkipWithError("the child program failed");
            return;
        }
        state.SetIterationTime(sample.shownSeconds);
        samples.times.push_back(sample.shownSeconds);
        samples.peakRssKb = std::max(samples.peakRssKb, sample.peakRssKb);
    }
    state.counters["peak_rss_MiB"] = static_cast<double>(samples.peakRssKb) / 1024.0;
}

void BM_StartupBareDialog(benchmark::State &state)
{
    runStartup(state, {"--child=bare"}, g_bare);
}

void BM_StartupDialogWithText(benchmark::State &state)
{
    runStartup(state, {"--child=text"}, g_text);
}

void BM_StartupDialogWithTextTranslated(benchmark::State &state)
{
    runStartup(state, {"--child=translated"}, g_translated);
}

void BM_StartupPellor(benchmark::State &state)
{
    runStartup(state, {"--child=pellor", "--folder=" + g_folder.toStdString()}, g_pellor);
}

// One start per run, many runs: the random interleaving mixes runs, not iterations.
constexpr int kRuns = 41;

void startupArgs(benchmark::internal::Benchmark *b)
{
    b->UseManualTime()->Unit(benchmark::kMillisecond);
    b->Iterations(1)->Repetitions(kRuns)->ReportAggregatesOnly();
}

BENCHMARK(BM_StartupBareDialog)->Apply(startupArgs);
BENCHMARK(BM_StartupDialogWithText)->Apply(startupArgs);
BENCHMARK(BM_StartupDialogWithTextTranslated)->Apply(startupArgs);
BENCHMARK(BM_StartupPellor)->Apply(startupArgs);

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The demo program folder that the build lays out beside the program.
bool copyDemoFolder(const QString &demo, const QString &target)
{
    if (!QFileInfo::exists(demo + QStringLiteral("/res/set.ini")))
        return false;
    for (const QString &top : {QStringLiteral("res"), QStringLiteral("成绩")}) {
        QDirIterator it(demo + u'/' + top, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString copy = target + source.mid(demo.size());
            QDir().mkpath(QFileInfo(copy).path());
            if (!QFile::copy(source, copy))
                return false;
        }
    }
    return true;
}

std::string argValue(int argc, char **argv, const char *prefix)
{
    const size_t length = std::strlen(prefix);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], prefix, length) == 0)
            return argv[i] + length;
    }
    return {};
}

} // namespace

int main(int argc, char **argv)
{
    const std::string child = argValue(argc, argv, "--child=");
    if (!child.empty()) {
        const long long start = std::atoll(argValue(argc, argv, "--start=").c_str());
        if (child == "bare")
            return runBareChild(argc, argv, start);
        if (child == "text" || child == "translated")
            return runTextChild(argc, argv, start, child == "translated");
        return runPellorChild(argc, argv, start, QString::fromStdString(argValue(argc, argv, "--folder=")));
    }

    const HeadlessEnvironment headless;

    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    g_self = n > 0 ? std::string(self, static_cast<size_t>(n)) : std::string(argv[0]);
    const QString exeDir = QFileInfo(QString::fromStdString(g_self)).absolutePath();
    const QString demo = QDir::cleanPath(exeDir + QStringLiteral("/../bin"));
    QTemporaryDir program;
    if (!copyDemoFolder(demo, program.path())) {
        std::fprintf(stderr, "demo program folder not found at %s\n", qPrintable(demo));
        return 1;
    }
    g_folder = program.path();

    // The runs of the four programs interleaved at random unless the command line says otherwise.
    std::vector<char *> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    if (argValue(argc, argv, "--benchmark_enable_random_interleaving").empty())
        args.insert(args.begin() + 1, interleave.data());
    int benchArgc = static_cast<int>(args.size());
    benchmark::Initialize(&benchArgc, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const double bare = median(g_bare.times);
    const double text = median(g_text.times);
    const double translated = median(g_translated.times);
    const double pellor = median(g_pellor.times);
    if (bare > 0 && text > 0 && translated > 0 && pellor > 0) {
        std::printf("start to window shown, median of %zu runs each: bare QDialog %.1f ms, QDialog with text "
                    "%.1f ms, with Qt's Chinese translation %.1f ms, roll-call %.1f ms\n",
                    g_pellor.times.size(), bare * 1000, text * 1000, translated * 1000, pellor * 1000);
        std::printf("Qt's Chinese translation costs %.1f ms\n", (translated - text) * 1000);
        std::printf("ratio roll-call / QDialog with text and translation %.2f (target at most 1.5); "
                    "/ QDialog with text %.2f; / bare QDialog %.2f\n",
                    pellor / translated, pellor / text, pellor / bare);
        std::printf("peak resident memory: bare QDialog %.1f MiB, QDialog with text %.1f MiB, "
                    "with translation %.1f MiB, roll-call %.1f MiB\n",
                    g_bare.peakRssKb / 1024.0, g_text.peakRssKb / 1024.0, g_translated.peakRssKb / 1024.0,
                    g_pellor.peakRssKb / 1024.0);
    }
    return 0;
}

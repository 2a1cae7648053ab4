// Start-up time of the roll-call on the demo program folder, from process start to the main
// window painted, beside a bare Qt program that shows a QDialog with one line of Chinese text
// and Qt's Chinese translation loaded, as the roll-call loads it: the floor any Chinese Qt
// window pays. Headless, each start a fresh process, a start of each in every pair of runs.
// Also the peak resident memory of each.
#include "app/CPellorDlg.h"
#include "app/PellorStartup.h"
#include "application/CPellorApp.h"
#include "bench/Comparisons.h"
#include "platform/base/ProgramFolder.h"

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
#include <optional>
#include <string>
#include <vector>

#include <sys/resource.h>

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

// A dialog with one line of Chinese text, Qt's own texts in Chinese.
int runDialogChild(int argc, char **argv, long long startNs)
{
    QApplication app(argc, argv);
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

// The largest resident memory of each kind of child over all its starts.
long g_dialogPeakKb = 0;
long g_pellorPeakKb = 0;

bool spawnChild(const std::vector<std::string> &childArgs, Sample &sample)
{
    std::vector<std::string> args = childArgs;
    args.push_back("--start=" + std::to_string(monotonicNs()));
    rusage usage {};
    const std::optional<std::string> out = Bench::runChild(g_self, args, &usage);
    const long long shownNs = out ? std::atoll(out->c_str()) : 0;
    if (shownNs <= 0)
        return false;
    sample.shownSeconds = static_cast<double>(shownNs) / 1e9;
    sample.peakRssKb = usage.ru_maxrss;
    return true;
}

void runStartup(benchmark::State &state, const std::vector<std::string> &childArgs, long &peakKb)
{
    for (auto _ : state) {
        Sample sample;
        if (!spawnChild(childArgs, sample)) {
            state.SkipWithError("the child program failed");
            return;
        }
        state.SetIterationTime(sample.shownSeconds);
        peakKb = std::max(peakKb, sample.peakRssKb);
    }
    state.counters["peak_rss_MiB"] = static_cast<double>(peakKb) / 1024.0;
}

void startupDialog(benchmark::State &state) { runStartup(state, { "--child=dialog" }, g_dialogPeakKb); }

// The program folder the tests use, laid out from the sources.
bool copyDemoFolder(const QString &demo, const QString &target)
{
    if (!QFileInfo::exists(demo + QStringLiteral("/res/set.ini")))
        return false;
    for (const QString &top : { QStringLiteral("res"), QStringLiteral("成绩") }) {
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

// A copy of the folder, so that no start changes the one the tests use.
const QString &programFolder()
{
    static const QString folder = Bench::keep([] {
        auto copy = std::make_unique<QTemporaryDir>();
        if (!copyDemoFolder(QStringLiteral(PELLOR_TEST_PROGRAM_DIR), copy->path()))
            std::fprintf(stderr, "the program folder %s is not laid out\n", PELLOR_TEST_PROGRAM_DIR);
        return copy;
    }())
                                      ->path();
    return folder;
}

void startupPellor(benchmark::State &state)
{
    runStartup(state, { "--child=pellor", "--folder=" + programFolder().toStdString() }, g_pellorPeakKb);
}

} // namespace

int main(int argc, char **argv)
{
    const std::string child = Bench::argument(argc, argv, "--child=");
    if (!child.empty()) {
        const long long start = std::atoll(Bench::argument(argc, argv, "--start=").c_str());
        if (child == "dialog")
            return runDialogChild(argc, argv, start);
        return runPellorChild(argc, argv, start, QString::fromStdString(Bench::argument(argc, argv, "--folder=")));
    }

    g_self = Bench::selfPath(argv[0]);

    // One start per run, many pairs.
    Bench::Comparison startup { "start-up: roll-call window painted / QDialog with text and Qt's translation",
        startupPellor, startupDialog, 1.25 };
    startup.repetitions = 41;
    startup.iterations = 1;
    startup.manualTime = true;
    return Bench::run(argc, argv, { startup });
}

// Load and save of eight groups of 200 students, beside plain reads and writes of the same
// bytes. Run with --benchmark_counters_tabular=true; the ratio is printed at the end.
#include "app/core/GroupScoreFile.h"
#include "platform/base/TextCodec.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kGroups = 8;
constexpr int kStudents = 200;

struct Folder
{
    QTemporaryDir dir;
    QString scoreDir() const { return dir.path() + u'/'; }

    Folder()
    {
        for (int g = 1; g <= kGroups; ++g) {
            QString text = QStringLiteral("%1\r\n3\t总成绩\t0\r\n").arg(kStudents);
            for (int s = 0; s < kStudents; ++s)
                text += QStringLiteral("学生%1号\t\t%2\r\n").arg(s + 1).arg(s % 17);
            QFile f(scoreDir() + GroupScoreFile::groupFileName(g));
            f.open(QIODevice::WriteOnly);
            f.write(TextCodec::encodeGb18030(text));
        }
    }
};

void loadAndSave(Folder &folder)
{
    RollCallTables tables;
    GroupScoreFile::load(folder.scoreDir(), kGroups, 2, tables);
    // Keep the files from growing run to run: save what was loaded without the new credit.
    GroupScoreFile::save(folder.scoreDir(), kGroups, tables);
}

void plainReadWrite(Folder &folder)
{
    for (int g = 1; g <= kGroups; ++g) {
        const QString path = folder.scoreDir() + GroupScoreFile::groupFileName(g);
        QByteArray bytes;
        {
            QFile in(path);
            in.open(QIODevice::ReadOnly);
            bytes = in.readAll();
        }
        QFile out(path + QStringLiteral(".copy"));
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(bytes);
        out.flush();
    }
    // The summary is as big as all groups together.
    QFile out(folder.scoreDir() + QStringLiteral("summary.copy"));
    out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (int g = 1; g <= kGroups; ++g) {
        QFile in(folder.scoreDir() + GroupScoreFile::groupFileName(g));
        in.open(QIODevice::ReadOnly);
        out.write(in.readAll());
    }
}

void BM_LoadSaveScoreFiles(benchmark::State &state)
{
    Folder folder;
    for (auto _ : state)
        loadAndSave(folder);
}
BENCHMARK(BM_LoadSaveScoreFiles)->Unit(benchmark::kMillisecond);

void BM_PlainReadWriteBaseline(benchmark::State &state)
{
    Folder folder;
    for (auto _ : state)
        plainReadWrite(folder);
}
BENCHMARK(BM_PlainReadWriteBaseline)->Unit(benchmark::kMillisecond);

double averageMs(void (*run)(Folder &), Folder &folder, int rounds)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i)
        run(folder);
    return static_cast<double>(timer.nsecsElapsed()) / 1e6 / rounds;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Folder folder;
    const double program = averageMs(loadAndSave, folder, 50);
    const double baseline = averageMs(plainReadWrite, folder, 50);
    std::printf("load+save %.3f ms, plain read/write %.3f ms, ratio %.2fx (target < 3x)\n", program, baseline,
                program / baseline);
    benchmark::Shutdown();
    return 0;
}

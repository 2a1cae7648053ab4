// Loading and saving the group score files of 8 groups x 200 students, beside baselines
// that read and write the same bytes with plain C file calls, measured in the same run:
//  - plain: fopen/fread/fwrite/fclose, nothing more;
//  - durable: the same bytes, each file written to a temporary file, flushed to disk with
//    fsync and renamed over the old one, which is what any save that survives a crash or a
//    full disk has to do.
// The ratios of our load + save to both are printed at the end; file-system timings vary,
// so a run with --benchmark_repetitions=5 compares medians.
#include "bench/RatioReporter.h"
#include "app/core/GroupScoreFile.h"
#include "platform/base/TextCodec.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr int kGroups = 8;
constexpr int kStudents = 200;
constexpr int kBasicScore = 2;

const char *const kSurnames[] = {"王", "李", "张", "刘", "陈", "杨", "赵", "黄", "周", "吴"};
const char *const kGiven[] = {"思远", "欣怡", "浩然", "雨桐", "子轩", "梓涵", "一鸣", "诗琪", "俊杰", "佳怡"};

std::string g_folder;
std::vector<std::string> g_groupPaths;
std::string g_summaryPath;
std::vector<std::string> g_savedBytes; // what a save writes: the summary, then each group

// A group file as it looks after some lessons: count, lesson line, name TAB TAB total.
QByteArray groupFile(int group)
{
    QString text = QStringLiteral("%1\r\n12\t总成绩\t%2\r\n").arg(kStudents).arg(kStudents * 30);
    for (int i = 0; i < kStudents; ++i) {
        text += QString::fromUtf8(kSurnames[(i + group) % 10]) + QString::fromUtf8(kGiven[(i / 10) % 10])
            + QStringLiteral("\t\t%1\r\n").arg(20 + (i * 7) % 25);
    }
    return TextCodec::encodeGb18030(text);
}

std::string readAll(const std::string &path)
{
    std::string bytes;
    if (FILE *f = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

void writeAll(const std::string &path, const std::string &bytes, bool durable)
{
    const std::string target = durable ? path + ".tmp" : path;
    FILE *f = std::fopen(target.c_str(), "wb");
    if (!f)
        return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fflush(f);
    if (durable)
        ::fsync(fileno(f));
    std::fclose(f);
    if (durable)
        std::rename(target.c_str(), path.c_str());
}

void resetFiles()
{
    for (int g = 0; g < kGroups; ++g) {
        const QByteArray bytes = groupFile(g);
        writeAll(g_groupPaths[g], std::string(bytes.constData(), static_cast<size_t>(bytes.size())), false);
    }
}

void BM_LoadAndSave(benchmark::State &state)
{
    resetFiles();
    const QString folder = QString::fromStdString(g_folder) + u'/';
    RollCallTables tables;
    for (auto _ : state) {
        const auto result = GroupScoreFile::load(folder, kGroups, kBasicScore, tables);
        if (result.status != GroupScoreFile::LoadStatus::Loaded)
            state.SkipWithError("load failed");
        if (!GroupScoreFile::save(folder, tables).isEmpty())
            state.SkipWithError("save failed");
    }
    state.SetItemsProcessed(state.iterations() * kGroups * kStudents);
}

// The two halves on their own, to show where the time goes.
void BM_Load(benchmark::State &state)
{
    resetFiles();
    const QString folder = QString::fromStdString(g_folder) + u'/';
    RollCallTables tables;
    for (auto _ : state)
        benchmark::DoNotOptimize(GroupScoreFile::load(folder, kGroups, kBasicScore, tables));
}

void BM_Save(benchmark::State &state)
{
    resetFiles();
    const QString folder = QString::fromStdString(g_folder) + u'/';
    RollCallTables tables;
    GroupScoreFile::load(folder, kGroups, kBasicScore, tables);
    for (auto _ : state)
        benchmark::DoNotOptimize(GroupScoreFile::save(folder, tables));
}

void baseline(benchmark::State &state, bool durable)
{
    resetFiles();
    size_t bytesRead = 0;
    for (auto _ : state) {
        for (const std::string &path : g_groupPaths)
            bytesRead += readAll(path).size();
        writeAll(g_summaryPath, g_savedBytes[0], durable);
        for (int g = 0; g < kGroups; ++g)
            writeAll(g_groupPaths[g], g_savedBytes[g + 1], durable);
    }
    benchmark::DoNotOptimize(bytesRead);
    state.SetItemsProcessed(state.iterations() * kGroups * kStudents);
}

void BM_PlainBaseline(benchmark::State &state)
{
    baseline(state, false);
}

void BM_DurableBaseline(benchmark::State &state)
{
    baseline(state, true);
}

BENCHMARK(BM_LoadAndSave)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Load)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainBaseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DurableBaseline)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    g_folder = dir.path().toStdString();
    for (int g = 1; g <= kGroups; ++g)
        g_groupPaths.push_back((dir.path() + u'/' + GroupScoreFile::groupFileName(g)).toStdString());
    g_summaryPath = (dir.path() + u'/' + GroupScoreFile::summaryFileName()).toStdString();

    // The bytes one save writes, for the baselines.
    resetFiles();
    RollCallTables tables;
    GroupScoreFile::load(dir.path() + u'/', kGroups, kBasicScore, tables);
    const QByteArray summary = GroupScoreFile::encodeForFile(GroupScoreFile::summaryText(tables, kGroups));
    g_savedBytes.emplace_back(summary.constData(), static_cast<size_t>(summary.size()));
    for (int g = 0; g < kGroups; ++g) {
        const QByteArray block = GroupScoreFile::encodeForFile(GroupScoreFile::groupBlock(tables, g));
        g_savedBytes.emplace_back(block.constData(), static_cast<size_t>(block.size()));
    }

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double ours = reporter.timeOf("BM_LoadAndSave");
    const double plain = reporter.timeOf("BM_PlainBaseline");
    const double durable = reporter.timeOf("BM_DurableBaseline");
    if (ours > 0 && plain > 0 && durable > 0) {
        std::printf("\nload + save of %d groups x %d students: %.0f us\n", kGroups, kStudents, ours);
        std::printf("ratio to the durable baseline (temporary file, fsync, rename): %.2fx (target under 3x)\n",
                    ours / durable);
        std::printf("ratio to the plain baseline (fread/fwrite only): %.2fx\n", ours / plain);
    }
    return 0;
}

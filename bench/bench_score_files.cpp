// Loading and saving the group score files of 8 groups x 200 students, beside a floor that
// reads and writes the same bytes with plain C file calls, each file written to a temporary
// file, flushed to disk with fsync and renamed over the old one: what any save that survives a
// crash or a full disk has to do.
#include "app/core/GroupScoreFile.h"
#include "bench/Comparisons.h"
#include "platform/base/TextCodec.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <cstdio>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr int kGroups = 8;
constexpr int kStudents = 200;
constexpr int kBasicScore = 2;

const char *const kSurnames[] = { "王", "李", "张", "刘", "陈", "杨", "赵", "黄", "周", "吴" };
const char *const kGiven[]
    = { "思远", "欣怡", "浩然", "雨桐", "子轩", "梓涵", "一鸣", "诗琪", "俊杰", "佳怡" };

// The folder of the run and the bytes one save writes (the summary, then each group).
struct Files
{
    QTemporaryDir dir;
    std::string folder;
    std::vector<std::string> groupPaths;
    std::string summaryPath;
    std::vector<std::string> savedBytes;
};

Files &files();

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

// The group files as a lesson finds them.
void resetFiles(const Files &f)
{
    for (int g = 0; g < kGroups; ++g) {
        const QByteArray bytes = groupFile(g);
        writeAll(f.groupPaths[g], std::string(bytes.constData(), static_cast<size_t>(bytes.size())), false);
    }
}

void loadAndSave(benchmark::State &state)
{
    resetFiles(files());
    const QString folder = QString::fromStdString(files().folder) + u'/';
    RollCallTables tables;
    for (auto _ : state) {
        const auto result = GroupScoreFile::load(folder, kGroups, kBasicScore, tables);
        if (result.status != GroupScoreFile::LoadStatus::Loaded)
            state.SkipWithError("load failed");
        if (!GroupScoreFile::save(folder, tables).isEmpty())
            state.SkipWithError("save failed");
    }
}

void durableFloor(benchmark::State &state)
{
    resetFiles(files());
    size_t bytesRead = 0;
    for (auto _ : state) {
        for (const std::string &path : files().groupPaths)
            bytesRead += readAll(path).size();
        writeAll(files().summaryPath, files().savedBytes[0], true);
        for (int g = 0; g < kGroups; ++g)
            writeAll(files().groupPaths[g], files().savedBytes[g + 1], true);
    }
    benchmark::DoNotOptimize(bytesRead);
}

Files &files()
{
    static Files &made = *Bench::keep([] {
        auto f = std::make_unique<Files>();
        const QString dir = f->dir.path();
        f->folder = dir.toStdString();
        for (int g = 1; g <= kGroups; ++g)
            f->groupPaths.push_back((dir + u'/' + GroupScoreFile::groupFileName(g)).toStdString());
        f->summaryPath = (dir + u'/' + GroupScoreFile::summaryFileName()).toStdString();
        resetFiles(*f);
        RollCallTables tables;
        GroupScoreFile::load(dir + u'/', kGroups, kBasicScore, tables);
        const QByteArray summary
            = GroupScoreFile::encodeForFile(GroupScoreFile::summaryText(tables, kGroups));
        f->savedBytes.emplace_back(summary.constData(), static_cast<size_t>(summary.size()));
        for (int g = 0; g < kGroups; ++g) {
            const QByteArray block = GroupScoreFile::encodeForFile(GroupScoreFile::groupBlock(tables, g));
            f->savedBytes.emplace_back(block.constData(), static_cast<size_t>(block.size()));
        }
        return f;
    }());
    return made;
}

} // namespace

int main(int argc, char **argv)
{
    return Bench::run(argc, argv,
        {
            { "score files: load and save of 8 groups x 200 students / durable plain writes", loadAndSave,
                durableFloor, 3.0, Bench::Clock::Wall },
        });
}

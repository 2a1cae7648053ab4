// The roster page's two heavy operations on a large group, each beside a bare baseline in
// the same run:
// - renumbering 500 students across 50 semesters (number 1 -> 2, so every row of the roster
//   and of every score table moves; the next iteration moves them back), through the mapping
//   and the store as the edit runs it, beside bare UPDATE statements of the same rows in one
//   transaction;
// - loading the roster of 500 students who each have a 100 KB photo, beside a bare query of
//   the same rows without the photos (and, for comparison, the query with them).

#include "bench/RatioReporter.h"
#include "records/core/StudentRenumbering.h"
#include "records/core/StudentStore.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int kStudents = 500;
constexpr int kSemesters = 50;
constexpr int kPhotoBytes = 100 * 1024;

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// A group of 500 students with 50 semesters, optionally each with a photo.
std::unique_ptr<Database> groupDatabase(const QString &name, bool photos)
{
    const QString path = folder().filePath(name + QStringLiteral(".db"));
    QFile::remove(path);
    auto db = std::make_unique<Database>(name);
    db->open(path);
    const StudentStore store(*db);
    store.ensureSchema();
    QStringList names;
    for (int n = 1; n <= kStudents; ++n)
        names << QStringLiteral("学生%1").arg(n);
    const int group
        = store.importGroup({2012, QStringLiteral("1班"), QStringLiteral("第1学期")}, names, QStringLiteral("男"))
              .groupId;
    for (int s = 2; s <= kSemesters; ++s)
        store.addSemester({2012, QStringLiteral("1班"), QStringLiteral("第%1学期").arg(s)}, group);
    if (photos) {
        Transaction transaction(*db);
        QByteArray photo(kPhotoBytes, '\0');
        for (int i = 0; i < photo.size(); ++i)
            photo[i] = static_cast<char>((i * 7919) >> 3);
        for (int n = 1; n <= kStudents; ++n)
            store.SaveStudentEdit(group, n, *store.student(group, n), photo, false);
        transaction.commit();
    }
    return db;
}

// The databases of the run, made once and closed before the application object goes.
struct Fixtures
{
    std::unique_ptr<Database> storeRenumbering = groupDatabase(QStringLiteral("renumber-store"), false);
    std::unique_ptr<Database> bareRenumbering = groupDatabase(QStringLiteral("renumber-bare"), false);
    std::unique_ptr<Database> photos = groupDatabase(QStringLiteral("photos"), true);
    int storeMoves = 0;
    int bareMoves = 0;
};
Fixtures *fixtures = nullptr;

// One direction per iteration: 1 -> 2 moves everybody up, 2 -> 1 brings them back.
struct Direction
{
    int from;
    int to;
};

Direction next(int &moves)
{
    return (moves++ % 2 == 0) ? Direction{1, 2} : Direction{2, 1};
}

void BM_StoreRenumbering(benchmark::State &state)
{
    Database *db = fixtures->storeRenumbering.get();
    const StudentStore store(*db);
    for (auto _ : state) {
        const Direction d = next(fixtures->storeMoves);
        StudentRecord edited = *store.student(1, d.from);
        edited.number = d.to;
        store.SaveStudentEdit(1, d.from, edited, std::nullopt, true);
    }
}

void BM_BareRenumbering(benchmark::State &state)
{
    Database *db = fixtures->bareRenumbering.get();
    QStringList tables{StudentStore::rosterTable(1)};
    for (int classId = 1; classId <= kSemesters; ++classId)
        tables << StudentStore::scoreTable(classId);
    for (auto _ : state) {
        const Direction d = next(fixtures->bareMoves);
        Transaction operation(*db);
        for (const QString &table : tables) {
            QSqlQuery update = db->prepare(QStringLiteral("UPDATE %1 SET 学号=? WHERE 学号=?").arg(table));
            // Up: from the top down; back down: from the bottom up, so no number is held twice.
            if (d.to > d.from) {
                for (int n = kStudents; n >= 1; --n)
                    db->run(update, {n + 1, n});
            } else {
                for (int n = 2; n <= kStudents + 1; ++n)
                    db->run(update, {n - 1, n});
            }
            update.finish();
        }
        operation.commit();
    }
}

const Database &photoDatabase()
{
    return *fixtures->photos;
}

void BM_StoreRoster(benchmark::State &state)
{
    const StudentStore store(photoDatabase());
    for (auto _ : state)
        benchmark::DoNotOptimize(store.students(1));
}

void bareQuery(benchmark::State &state, const QString &columns)
{
    const Database &db = photoDatabase();
    for (auto _ : state) {
        QSqlQuery query = db.exec(QStringLiteral("SELECT %1 FROM 小组表1 ORDER BY 学号").arg(columns));
        const int count = query.record().count();
        int rows = 0;
        while (query.next()) {
            for (int c = 0; c < count; ++c)
                benchmark::DoNotOptimize(query.value(c));
            ++rows;
        }
        benchmark::DoNotOptimize(rows);
    }
}

void BM_BareRosterQuery(benchmark::State &state)
{
    bareQuery(state, QStringLiteral("学号,姓名,性别,地址,联系方式,备注"));
}

void BM_BareRosterQueryWithPhotos(benchmark::State &state)
{
    bareQuery(state, QStringLiteral("*"));
}

BENCHMARK(BM_StoreRenumbering)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BareRenumbering)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_StoreRoster)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_BareRosterQuery)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_BareRosterQueryWithPhotos)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fixtures run;
    fixtures = &run;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("renumbering 500 students in 50 semesters / bare updates", "BM_StoreRenumbering",
                        "BM_BareRenumbering");
    reporter.printRatio("roster of 500 students with photos / bare query without photos", "BM_StoreRoster",
                        "BM_BareRosterQuery", 1.5);
    benchmark::Shutdown();
    return 0;
}

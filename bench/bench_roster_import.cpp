// Importing a 5,000-line roster, alone and with the group then given 10 semesters in all,
// beside a bare loop of prepared inserts of the same rows in one transaction on the same
// kind of database. The argument is the number of semesters.

#include "bench/RatioReporter.h"
#include "records/core/RosterFile.h"
#include "records/core/StudentStore.h"

#include "platform/base/TextCodec.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int kStudents = 5000;

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

const QString &rosterPath()
{
    static const QString path = [] {
        QString text;
        for (int i = 1; i <= kStudents; ++i)
            text += QStringLiteral("学生%1\r\n").arg(i);
        const QString file = folder().filePath(QStringLiteral("roster.txt"));
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(TextCodec::encode(text, TextCodec::Encoding::Utf16Le, true));
        return file;
    }();
    return path;
}

// A new, empty student database: the state the import starts from.
std::unique_ptr<Database> freshDatabase()
{
    static int serial = 0;
    ++serial;
    const QString name = QStringLiteral("bench-%1").arg(serial);
    QFile::remove(folder().filePath(name + QStringLiteral(".db")));
    auto db = std::make_unique<Database>(name);
    db->open(folder().filePath(name + QStringLiteral(".db")));
    StudentStore(*db).ensureSchema();
    return db;
}

void finish(std::unique_ptr<Database> &db)
{
    const QString path = db->filePath();
    db.reset();
    QFile::remove(path);
}

void BM_StoreImport(benchmark::State &state)
{
    const int semesters = static_cast<int>(state.range(0));
    rosterPath();
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Database> db = freshDatabase();
        const StudentStore store(*db);
        state.ResumeTiming();

        const std::optional<RosterFile> roster = RosterFile::read(rosterPath());
        const auto group = store.importGroup(
            { 2012, QStringLiteral("1班"), QStringLiteral("第1学期") }, roster->names, roster->gender());
        for (int s = 2; s <= semesters; ++s)
            store.addSemester(
                { 2012, QStringLiteral("1班"), QStringLiteral("第%1学期").arg(s) }, group.groupId);

        state.PauseTiming();
        finish(db);
        state.ResumeTiming();
    }
}

void BM_BareInserts(benchmark::State &state)
{
    const int semesters = static_cast<int>(state.range(0));
    QStringList names;
    for (int i = 1; i <= kStudents; ++i)
        names << QStringLiteral("学生%1").arg(i);
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Database> db = freshDatabase();
        db->exec(QStringLiteral(
            "CREATE TABLE 小组表1(学号 INTEGER NOT NULL PRIMARY KEY,姓名 TEXT CHECK(length(姓名) <= 20),"
            "性别 TEXT CHECK(length(性别) <= 2),地址 TEXT CHECK(length(地址) <= 100),"
            "联系方式 TEXT CHECK(length(联系方式) <= 100),备注 TEXT CHECK(length(备注) <= 200),照片 BLOB)"));
        for (int s = 1; s <= semesters; ++s)
            db->exec(
                QStringLiteral("CREATE TABLE 课堂成绩表%1(学号 INTEGER NOT NULL PRIMARY KEY,"
                               "姓名 TEXT CHECK(length(姓名) <= %2),优秀 INTEGER,良 INTEGER,一般 INTEGER,"
                               "旷课 INTEGER,主动加分 INTEGER)")
                    .arg(s)
                    .arg(s == 1 ? 20 : 255));
        state.ResumeTiming();

        {
            Transaction transaction(*db);
            QSqlQuery semester = db->prepare(
                QStringLiteral("INSERT INTO ClassInfo(点名,入学年,小组,学期,小组ID) VALUES(0,?,?,?,?)"));
            QSqlQuery student
                = db->prepare(QStringLiteral("INSERT INTO 小组表1(学号,姓名,性别) VALUES(?,?,?)"));
            for (int n = 1; n <= kStudents; ++n)
                db->run(student, { n, names.at(n - 1), QStringLiteral("男") });
            for (int s = 1; s <= semesters; ++s) {
                db->run(
                    semester, { 2012, QStringLiteral("1班"), QStringLiteral("第%1学期").arg(s), 1 });
                QSqlQuery score = db->prepare(QStringLiteral(
                    "INSERT INTO 课堂成绩表%1(学号,姓名,优秀,良,一般,旷课,主动加分) VALUES(?,?,0,0,0,0,0)")
                                                  .arg(s));
                for (int n = 0; n <= kStudents; ++n)
                    db->run(score, { n, n == 0 ? QStringLiteral("0") : names.at(n - 1) });
            }
            semester.finish();
            student.finish();
            transaction.commit();
        }

        state.PauseTiming();
        finish(db);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_StoreImport)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BareInserts)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char *semesters : {"1", "10"}) {
        const std::string what = "import of " + std::to_string(kStudents) + " students, " + semesters
            + " semester(s) / bare inserts";
        reporter.printRatio(what.c_str(), std::string("BM_StoreImport/") + semesters + "/",
                            std::string("BM_BareInserts/") + semesters + "/");
    }
    benchmark::Shutdown();
    return 0;
}

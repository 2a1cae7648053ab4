// Lesson content: loading the lessons page of a subject with 1,000 lessons, and adding then
// deleting 100 subjects with their three tables each, beside bare statements doing the same
// reads and writes on the same kind of database.
//
// Loading: the page's LoadKeshiList (store read and list rows) and the store's read alone,
// beside one bare SELECT whose rows are read into a list.
// Subjects: the store's operations inside one outer transaction (each is then a savepoint of
// it) beside the bare statements in one transaction; and, as the teacher runs them, each
// operation committing on its own beside bare statements with one transaction per subject
// added or deleted.

#include "bench/HeadlessEnvironment.h"
#include "bench/RatioReporter.h"
#include "application/CPellorApp.h"
#include "content/CKeshiPage.h"
#include "content/core/ContentStore.h"
#include "controls/CListCtrlCl.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int kLessons = 1000;
constexpr int kSubjects = 100;

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

std::shared_ptr<Database> freshDatabase()
{
    static int serial = 0;
    ++serial;
    const QString name = QStringLiteral("bench-content-%1").arg(serial);
    const QString path = folder().filePath(name + QStringLiteral(".db"));
    QFile::remove(path);
    auto db = std::make_shared<Database>(name);
    db->open(path);
    ContentStore(*db).ensureSchema();
    return db;
}

void finish(std::shared_ptr<Database> &db)
{
    const QString path = db->filePath();
    db.reset();
    QFile::remove(path);
}

// Subject 1 with its tables and 1,000 lessons of two-line titles.
std::shared_ptr<Database> &lessonDatabase()
{
    static std::shared_ptr<Database> db = [] {
        std::shared_ptr<Database> fresh = freshDatabase();
        const ContentStore store(*fresh);
        Transaction transaction(*fresh);
        store.addSubject(QStringLiteral("语文"));
        for (int n = 1; n <= kLessons; ++n)
            store.addLesson(1, n, QStringLiteral("第%1课 春天的故事\n课文与练习").arg(n));
        transaction.commit();
        return fresh;
    }();
    return db;
}

void BM_LessonsPageLoad(benchmark::State &state)
{
    theApp().m_nKemuID = 1;
    CKeshiPage page;
    page.m_pConnection = lessonDatabase();
    page.OnInitDialog();
    for (auto _ : state)
        page.LoadKeshiList();
    if (page.m_listKeshi->GetItemCount() != kLessons)
        state.SkipWithError("the page did not list every lesson");
}

void BM_LessonsStoreRead(benchmark::State &state)
{
    const ContentStore store(*lessonDatabase());
    for (auto _ : state)
        benchmark::DoNotOptimize(store.lessons(1));
}

void BM_LessonsBare(benchmark::State &state)
{
    const Database &db = *lessonDatabase();
    for (auto _ : state) {
        QList<QPair<int, QString>> rows;
        QSqlQuery query = db.exec(QStringLiteral("SELECT 课时,题目 FROM Keshi1"));
        while (query.next())
            rows.append({query.value(0).toInt(), query.value(1).toString()});
        benchmark::DoNotOptimize(rows);
    }
}

void storeSubjects(const ContentStore &store)
{
    for (int i = 0; i < kSubjects; ++i)
        store.addSubject(QStringLiteral("课目%1").arg(i));
    for (int id = 1; id <= kSubjects; ++id)
        store.deleteSubject(id);
}

void BM_SubjectsStore(benchmark::State &state)
{
    const bool oneTransaction = state.range(0) == 1;
    for (auto _ : state) {
        state.PauseTiming();
        std::shared_ptr<Database> db = freshDatabase();
        const ContentStore store(*db);
        state.ResumeTiming();

        if (oneTransaction) {
            Transaction transaction(*db);
            storeSubjects(store);
            transaction.commit();
        } else {
            storeSubjects(store);
        }

        state.PauseTiming();
        finish(db);
        state.ResumeTiming();
    }
}

void bareAdd(const Database &db, int id)
{
    QSqlQuery highest = db.exec(QStringLiteral("SELECT max(ID) FROM Kemu"));
    highest.next();
    highest.finish();
    db.exec(QStringLiteral("INSERT INTO Kemu(ID,课目) VALUES(?,?)"), {id, QStringLiteral("课目%1").arg(id)});
    db.exec(QStringLiteral("CREATE TABLE Keshi%1(课时 INTEGER NOT NULL PRIMARY KEY,题目 TEXT CHECK(length(题目) <= 100))")
                .arg(id));
    db.exec(QStringLiteral("CREATE TABLE Zhishidian%1(ID INTEGER PRIMARY KEY AUTOINCREMENT,课时 INTEGER,"
                           "知识点ID INTEGER,知识点 TEXT,重点 INTEGER CHECK(重点 IN (0,1)),"
                           "难点 INTEGER CHECK(难点 IN (0,1)))")
                .arg(id));
    db.exec(QStringLiteral("CREATE TABLE Wenti%1(ID INTEGER PRIMARY KEY AUTOINCREMENT,课时ID INTEGER,"
                           "知识点ID INTEGER,问题ID INTEGER,问题 TEXT,答案 TEXT)")
                .arg(id));
    db.exec(QStringLiteral("CREATE INDEX Zhishidian%1_point ON Zhishidian%1(课时,知识点ID)").arg(id));
    db.exec(QStringLiteral("CREATE INDEX Wenti%1_point ON Wenti%1(课时ID,知识点ID)").arg(id));
}

void bareDelete(const Database &db, int id)
{
    QSqlQuery lessons = db.exec(QStringLiteral("SELECT EXISTS(SELECT 1 FROM Keshi%1)").arg(id));
    lessons.next();
    lessons.finish();
    for (const char *table : {"Keshi", "Zhishidian", "Wenti"})
        db.exec(QStringLiteral("DROP TABLE %1%2").arg(QLatin1String(table)).arg(id));
    db.exec(QStringLiteral("DELETE FROM Kemu WHERE ID=?"), {id});
}

void BM_SubjectsBare(benchmark::State &state)
{
    const bool oneTransaction = state.range(0) == 1;
    for (auto _ : state) {
        state.PauseTiming();
        std::shared_ptr<Database> db = freshDatabase();
        state.ResumeTiming();

        if (oneTransaction) {
            Transaction transaction(*db);
            for (int id = 1; id <= kSubjects; ++id)
                bareAdd(*db, id);
            for (int id = 1; id <= kSubjects; ++id)
                bareDelete(*db, id);
            transaction.commit();
        } else {
            for (int id = 1; id <= kSubjects; ++id) {
                Transaction transaction(*db);
                bareAdd(*db, id);
                transaction.commit();
            }
            for (int id = 1; id <= kSubjects; ++id) {
                Transaction transaction(*db);
                bareDelete(*db, id);
                transaction.commit();
            }
        }

        state.PauseTiming();
        finish(db);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_LessonsPageLoad)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_LessonsStoreRead)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_LessonsBare)->Unit(benchmark::kMillisecond)->MinTime(1.0);
// 1: in one transaction; 0: each operation committed on its own.
BENCHMARK(BM_SubjectsStore)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SubjectsBare)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char **argv)
{
    const HeadlessEnvironment headless;
    QApplication app(argc, argv);
    CPellorApp pellor;
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("lessons page load of 1,000 lessons / bare select", "BM_LessonsPageLoad", "BM_LessonsBare");
    reporter.printRatio("store read of 1,000 lessons / bare select", "BM_LessonsStoreRead", "BM_LessonsBare");
    reporter.printRatio("100 subjects added and deleted, one transaction / bare", "BM_SubjectsStore/1/", "BM_SubjectsBare/1/");
    reporter.printRatio("100 subjects added and deleted, each committed / bare", "BM_SubjectsStore/0/", "BM_SubjectsBare/0/");
    lessonDatabase().reset();
    benchmark::Shutdown();
    return 0;
}

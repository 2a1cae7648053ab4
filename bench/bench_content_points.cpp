// Lesson content, knowledge points: loading the points page for a lesson of 200 points with
// long texts, and the presenter's 200 steps to the next point, each counting the point's
// questions in a subject of 100,000, beside bare statements reading the same rows in the
// same run.
//
// Loading: the page's LoadZhishidianList (store read and list rows) beside one bare SELECT
// whose rows are read into a list. Stepping: the page's lesson navigator, its NextPoint and
// the count of that point's questions, beside the bare count statement prepared once and run
// for each point.

#include "bench/HeadlessEnvironment.h"
#include "bench/RatioReporter.h"
#include "application/CPellorApp.h"
#include "content/CKeshiZhishidianPage.h"
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

constexpr int kPoints = 200;
constexpr int kLessons = 50;
constexpr int kQuestions = 100000;
constexpr int kTextLength = 2000;

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// Subject 1: lesson 1 with 200 points of long texts; 100,000 questions over the points of
// 50 lessons of 200 points each.
std::shared_ptr<Database> &pointDatabase()
{
    static std::shared_ptr<Database> db = [] {
        const QString path = folder().filePath(QStringLiteral("bench-points.db"));
        QFile::remove(path);
        auto fresh = std::make_shared<Database>(QStringLiteral("bench-points"));
        fresh->open(path);
        const ContentStore store(*fresh);
        store.ensureSchema();
        Transaction transaction(*fresh);
        store.addSubject(QStringLiteral("语文"));
        const QString line = QStringLiteral("春眠不觉晓，处处闻啼鸟。夜来风雨声，花落知多少。\n");
        QString text;
        while (text.size() < kTextLength)
            text += line;
        for (int n = 1; n <= kPoints; ++n)
            store.addPoint(1, {0, 1, n, QStringLiteral("第%1点\n").arg(n) + text, n % 3 == 0, n % 5 == 0});
        QSqlQuery insert = fresh->prepare(
            QStringLiteral("INSERT INTO Wenti1(课时ID,知识点ID,问题,答案) VALUES(?,?,?,?)"));
        for (int q = 0; q < kQuestions; ++q)
            fresh->run(insert, {1 + q % kLessons, 1 + (q / kLessons) % kPoints, QStringLiteral("问题%1").arg(q),
                                   QStringLiteral("答案%1").arg(q)});
        transaction.commit();
        return fresh;
    }();
    return db;
}

std::unique_ptr<CKeshiZhishidianPage> openPage()
{
    theApp().m_nKemuID = 1;
    theApp().m_nKeshiID = 1;
    auto page = std::make_unique<CKeshiZhishidianPage>();
    page->m_pConnection = pointDatabase();
    page->OnInitDialog();
    return page;
}

void BM_PointsPageLoad(benchmark::State &state)
{
    std::unique_ptr<CKeshiZhishidianPage> page = openPage();
    for (auto _ : state)
        page->LoadZhishidianList();
    if (page->m_listZhishidian->GetItemCount() != kPoints)
        state.SkipWithError("the page did not list every point");
}

void BM_PointsBare(benchmark::State &state)
{
    const Database &db = *pointDatabase();
    for (auto _ : state) {
        struct Row
        {
            int number;
            QString text;
            int key;
            int difficult;
        };
        QList<Row> rows;
        QSqlQuery query = db.exec(
            QStringLiteral("SELECT 知识点ID,知识点,重点,难点 FROM Zhishidian1 WHERE 课时=? ORDER BY 知识点ID"), {1});
        while (query.next())
            rows.append({query.value(0).toInt(), query.value(1).toString(), query.value(2).toInt(),
                         query.value(3).toInt()});
        benchmark::DoNotOptimize(rows);
    }
}

void BM_NextPointSteps(benchmark::State &state)
{
    std::unique_ptr<CKeshiZhishidianPage> page = openPage();
    long long questions = 0;
    for (auto _ : state) {
        page->OnNMClickList(0);
        LessonNavigator &navigator = page->Navigator();
        for (int step = 0; step < kPoints; ++step)
            questions += navigator.CountWenti(navigator.points().at(navigator.NextPoint()).number);
    }
    if (questions == 0)
        state.SkipWithError("no question was counted");
}

void BM_NextPointBare(benchmark::State &state)
{
    const Database &db = *pointDatabase();
    QSqlQuery count = db.prepare(QStringLiteral("SELECT count(*) FROM Wenti1 WHERE 课时ID=? AND 知识点ID=?"));
    long long questions = 0;
    for (auto _ : state) {
        for (int step = 0; step < kPoints; ++step) {
            db.run(count, {1, 2 + step < kPoints ? 2 + step : kPoints});
            count.next();
            questions += count.value(0).toInt();
            count.finish();
        }
    }
    benchmark::DoNotOptimize(questions);
}

BENCHMARK(BM_PointsPageLoad)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_PointsBare)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_NextPointSteps)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_NextPointBare)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char **argv)
{
    const HeadlessEnvironment headless;
    QApplication app(argc, argv);
    CPellorApp pellor;
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("points page load of 200 long points / bare select", "BM_PointsPageLoad",
          "BM_PointsBare/min_time:1.000");
    reporter.printRatio("200 next-point steps with their counts / bare counts", "BM_NextPointSteps",
          "BM_NextPointBare/min_time:1.000");
    pointDatabase().reset();
    benchmark::Shutdown();
    return 0;
}

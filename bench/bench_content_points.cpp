// Lesson content, knowledge points: the points page listing a lesson of 200 points with long
// texts, and the presenter's 200 steps to the next point, each counting the point's questions
// in a subject of 100,000.
//
// Listing: the page's LoadZhishidianList with the page shown, until the list is painted;
// its floor, the SELECT of the same rows, bare, shown in a plain list. Stepping: the page's
// lesson navigator's NextPoint and the count of that point's questions; its floor, the count
// statement prepared once and run for each point.

#include "bench/Comparisons.h"
#include "bench/PlainList.h"

#include "application/CPellorApp.h"
#include "content/CKeshiZhishidianPage.h"
#include "content/core/ContentStore.h"
#include "controls/CListCtrlCl.h"

#include <QSqlQuery>

namespace {

constexpr int kPoints = 200;
constexpr int kLessons = 50;
constexpr int kQuestions = 100000;
constexpr int kTextLength = 2000;

// Subject 1: lesson 1 with 200 points of long texts; 100,000 questions over the points of
// 50 lessons of 200 points each.
const std::shared_ptr<Database> &pointDatabase()
{
    static const std::shared_ptr<Database> &db = Bench::keep([] {
        auto file = std::make_unique<Bench::DatabaseFile>(QStringLiteral("bench-points"));
        Database &fresh = *file->db;
        const ContentStore store(fresh);
        store.ensureSchema();
        Transaction transaction(fresh);
        store.addSubject(QStringLiteral("语文"));
        const QString line = QStringLiteral("春眠不觉晓，处处闻啼鸟。夜来风雨声，花落知多少。\n");
        QString text;
        while (text.size() < kTextLength)
            text += line;
        for (int n = 1; n <= kPoints; ++n)
            store.addPoint(1, { 0, 1, n, QStringLiteral("第%1点\n").arg(n) + text, n % 3 == 0, n % 5 == 0 });
        QSqlQuery insert
            = fresh.prepare(QStringLiteral("INSERT INTO Wenti1(课时ID,知识点ID,问题,答案) VALUES(?,?,?,?)"));
        for (int q = 0; q < kQuestions; ++q)
            fresh.run(insert,
                { 1 + q % kLessons, 1 + (q / kLessons) % kPoints, QStringLiteral("问题%1").arg(q),
                    QStringLiteral("答案%1").arg(q) });
        transaction.commit();
        return file;
    }())
                                                     ->db;
    return db;
}

CKeshiZhishidianPage &pointsPage()
{
    static CKeshiZhishidianPage &page = *Bench::keep([] {
        theApp().m_nKemuID = 1;
        theApp().m_nKeshiID = 1;
        auto shown = std::make_unique<CKeshiZhishidianPage>();
        shown->m_pConnection = pointDatabase();
        shown->OnInitDialog();
        Bench::show(*shown);
        return shown;
    }());
    return page;
}

void pointsPageLoad(benchmark::State &state)
{
    CKeshiZhishidianPage &page = pointsPage();
    Bench::timePaintedLoad(
        state, page, *page.m_listZhishidian, kPoints, [&page] { page.LoadZhishidianList(); });
}

void pointsFloor(benchmark::State &state)
{
    const Database &db = *pointDatabase();
    PlainList(*pointsPage().m_listZhishidian).timeShown(state, kPoints, [&db] {
        return Bench::bareRows(db,
            QStringLiteral("SELECT 知识点ID,知识点,重点,难点 FROM Zhishidian1 "
                           "WHERE 课时=? AND 知识点ID IS NOT NULL ORDER BY 知识点ID,ID"),
            { 1 });
    });
}

void nextPointSteps(benchmark::State &state)
{
    CKeshiZhishidianPage &page = pointsPage();
    long long questions = 0;
    for (auto _ : state) {
        page.OnNMClickList(0);
        LessonNavigator &navigator = page.Navigator();
        for (int step = 0; step < kPoints; ++step)
            questions += navigator.CountWenti(navigator.points().at(navigator.NextPoint()).number);
    }
    if (questions == 0)
        state.SkipWithError("no question was counted");
}

// From the first point, 199 steps reach the last one and the 200th stays there.
void nextPointFloor(benchmark::State &state)
{
    const Database &db = *pointDatabase();
    QSqlQuery count = db.prepare(QStringLiteral("SELECT count(*) FROM Wenti1 WHERE 课时ID=? AND 知识点ID=?"));
    long long questions = 0;
    for (auto _ : state) {
        for (int step = 0; step < kPoints; ++step) {
            db.run(count, { 1, std::min(2 + step, kPoints) });
            count.next();
            questions += count.value(0).toInt();
            count.finish();
        }
    }
    benchmark::DoNotOptimize(questions);
}

} // namespace

int main(int argc, char **argv)
{
    return Bench::run(argc, argv,
        {
            { "points page: 200 long points, painted / bare select in a plain list", pointsPageLoad,
                pointsFloor, 2.0 },
            { "presenter: 200 next-point steps with their question counts / bare counts", nextPointSteps,
                nextPointFloor, 2.0 },
        });
}

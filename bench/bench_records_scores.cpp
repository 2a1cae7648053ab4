// The classroom score page's load of a semester of 5,000 students: ReloadScores (the store's
// read, the weighted score of every student and the list filled in one step), beside a bare
// query of the same rows and columns in the same run, and the store's read alone.

#include "bench/HeadlessEnvironment.h"
#include "bench/RatioReporter.h"
#include "application/CPellorApp.h"
#include "controls/CListCtrlCl.h"
#include "controls/CTabSheet.h"
#include "records/CStudentInfoDlg.h"
#include "records/CStudentPellorScorePage.h"
#include "records/core/StudentStore.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int kStudents = 5000;

struct Fixture
{
    QTemporaryDir folder;
    std::shared_ptr<Database> db;
    int classId = 0;
};
Fixture *fixture = nullptr;

// One group of 5,000 students whose counts differ from student to student.
void makeSemester(Fixture &f)
{
    f.db = std::make_shared<Database>(QStringLiteral("bench-scores"));
    f.db->open(f.folder.filePath(QStringLiteral("Student.db")));
    const StudentStore store(*f.db);
    store.ensureSchema();
    QStringList names;
    for (int n = 1; n <= kStudents; ++n)
        names << QStringLiteral("学生%1").arg(n);
    f.classId = store.importGroup({2012, QStringLiteral("1班"), QStringLiteral("第1学期")}, names, QStringLiteral("男"))
                    .groupId;
    f.db->exec(QStringLiteral("UPDATE %1 SET 优秀=学号%7,良=学号%5,一般=学号%3,旷课=学号%2 WHERE 学号>0")
                   .arg(StudentStore::scoreTable(f.classId)));
}

void BM_ReloadScores(benchmark::State &state)
{
    theApp().m_pStudentConnection = fixture->db;
    CStudentInfoDlg dlg;
    dlg.show();
    dlg.m_tabSheet->setCurrentIndex(2);
    dlg.m_nGroupID = fixture->classId;
    dlg.m_nClassID = fixture->classId;
    CStudentPellorScorePage &page = *dlg.m_pageScore;
    for (auto _ : state)
        page.ReloadScores();
    if (page.m_listScores->GetItemCount() != kStudents)
        state.SkipWithError("the page did not list every student");
    theApp().m_pStudentConnection.reset();
}

void BM_StoreScores(benchmark::State &state)
{
    const StudentStore store(*fixture->db);
    for (auto _ : state)
        benchmark::DoNotOptimize(store.scores(fixture->classId));
}

void BM_BareScoreQuery(benchmark::State &state)
{
    const Database &db = *fixture->db;
    const QString sql
        = QStringLiteral("SELECT 学号,姓名,优秀,良,一般,旷课 FROM %1 ORDER BY 学号").arg(StudentStore::scoreTable(fixture->classId));
    for (auto _ : state) {
        QSqlQuery query = db.exec(sql);
        int rows = 0;
        while (query.next()) {
            for (int c = 0; c < 6; ++c)
                benchmark::DoNotOptimize(query.value(c));
            ++rows;
        }
        benchmark::DoNotOptimize(rows);
    }
}

BENCHMARK(BM_ReloadScores)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_StoreScores)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_BareScoreQuery)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char **argv)
{
    const HeadlessEnvironment headless;
    QApplication app(argc, argv);
    CPellorApp pellor;
    benchmark::Initialize(&argc, argv);
    Fixture run;
    makeSemester(run);
    fixture = &run;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("score page load of 5,000 students / bare query", "BM_ReloadScores", "BM_BareScoreQuery");
    reporter.printRatio("store read of 5,000 students / bare query", "BM_StoreScores", "BM_BareScoreQuery");
    run.db.reset();
    benchmark::Shutdown();
    return 0;
}

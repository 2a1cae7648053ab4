// The classroom score page of a semester of 5,000 students: ReloadScores (the store's read,
// the weighted score of every student, the list filled in one step) with the records window
// shown on that page, until it is painted; its floor, the store's SELECT of the same rows,
// bare, shown in a plain list. And the store's read alone beside the bare SELECT.

#include "bench/Comparisons.h"
#include "bench/PlainList.h"
#include "bench/RecordsWindow.h"

#include "application/CPellorApp.h"
#include "controls/CListCtrlCl.h"
#include "controls/CTabSheet.h"
#include "records/CStudentInfoDlg.h"
#include "records/CStudentPellorScorePage.h"
#include "records/core/StudentStore.h"

#include <QSqlQuery>

namespace {

constexpr int kStudents = 5000;
constexpr int kScoreTab = 2;

struct Semester

{
    Bench::DatabaseFile file { QStringLiteral("bench-scores"), QStringLiteral("Student.db") };
    int classId = 0;
};

// One group of 5,000 students whose counts differ from student to student.
Semester &semester()
{
    static Semester &fixture = *Bench::keep([] {
        auto made = std::make_unique<Semester>();
        Database &db = *made->file.db;
        const StudentStore store(db);
        store.ensureSchema();
        QStringList names;
        for (int n = 1; n <= kStudents; ++n)
            names << QStringLiteral("学生%1").arg(n);
        made->classId = store
                            .importGroup({ 2012, QStringLiteral("1班"), QStringLiteral("第1学期") }, names,
                                QStringLiteral("男"))
                            .groupId;
        db.exec(QStringLiteral("UPDATE %1 SET 优秀=学号%7,良=学号%5,一般=学号%3,旷课=学号%2 WHERE 学号>0")
                    .arg(StudentStore::scoreTable(made->classId)));
        return made;
    }());
    return fixture;
}

QString scoreQuery()
{
    return QStringLiteral("SELECT 学号,姓名,优秀,良,一般,旷课 FROM %1 ORDER BY 学号")
        .arg(StudentStore::scoreTable(semester().classId));
}

// The records window on its score page.
CStudentInfoDlg &recordsWindow()
{
    static CStudentInfoDlg &window = *Bench::keep(
        Bench::shownRecordsWindow(semester().file.db, semester().classId, semester().classId, kScoreTab));
    return window;
}

void reloadScores(benchmark::State &state)
{
    CStudentInfoDlg &window = recordsWindow();
    CStudentPellorScorePage &page = *window.m_pageScore;
    Bench::timePaintedLoad(state, window, *page.m_listScores, kStudents, [&page] { page.ReloadScores(); });
}

// The table's first row (number 0) is no student. The weighted score is the page's own
// arithmetic: the floor shows the counts without it.
void reloadScoresFloor(benchmark::State &state)
{
    const Database &db = *semester().file.db;
    const QString sql = scoreQuery();
    PlainList(*recordsWindow().m_pageScore->m_listScores).timeShown(state, kStudents, [&db, &sql] {
        QList<QStringList> rows = Bench::bareRows(db, sql);
        rows.removeFirst();
        return rows;
    });
}

void storeScores(benchmark::State &state)
{
    const StudentStore store(*semester().file.db);
    for (auto _ : state)
        benchmark::DoNotOptimize(store.scores(semester().classId));
}

void storeScoresFloor(benchmark::State &state)
{
    const Database &db = *semester().file.db;
    const QString sql = scoreQuery();
    for (auto _ : state) {
        QSqlQuery query = db.prepare(sql);
        query.setForwardOnly(true);
        db.run(query, {});
        int rows = 0;
        while (query.next()) {
            for (int c = 0; c < 6; ++c)
                benchmark::DoNotOptimize(query.value(c));
            ++rows;
        }
        benchmark::DoNotOptimize(rows);
    }
}

} // namespace

int main(int argc, char **argv)
{
    return Bench::run(argc, argv,
        {
            { "score page: 5,000 students, painted / bare query in a plain list", reloadScores,
                reloadScoresFloor, 2.0 },
            { "scores: store read of 5,000 students / bare query", storeScores, storeScoresFloor, 2.0 },
        });
}

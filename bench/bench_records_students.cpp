// The roster page's heavy operations on a large group:
// - renumbering 500 students across 50 semesters (number 1 -> 2, so every row of the roster
//   and of every score table moves; the next iteration moves them back), through the store's
//   edit as the page runs it; its floor, one prepared UPDATE per row of each table, each row
//   moved once, in one transaction;
// - the same with 1,600 students who each have a 100 KB photo, in 4 semesters, through the
//   page's own SaveStudentEdit with the records window shown on the roster page until it is
//   painted; its floor, the same rows each moved once by one prepared UPDATE in one
//   transaction;
// - the roster page's LoadStudentList of 500 students who each have a 100 KB photo, with the
//   records window shown on that page, until it is painted; its floor, the SELECT of the
//   columns the list shows, bare, the same rows shown in a plain list.

#include "bench/Comparisons.h"
#include "bench/PlainList.h"
#include "bench/RecordsWindow.h"

#include "application/CPellorApp.h"
#include "controls/CListCtrlCl.h"
#include "controls/CTabSheet.h"
#include "records/CStuLianxi.h"
#include "records/CStudentInfoDlg.h"
#include "records/core/StudentStore.h"

#include <QSqlQuery>

namespace {

constexpr int kStudents = 500;
constexpr int kSemesters = 50;
constexpr int kPhotoStudents = 1600;
constexpr int kPhotoSemesters = 4;
constexpr int kPhotoBytes = 100 * 1024;
constexpr int kRosterTab = 1;

// A group of `students` students with `semesters` semesters, optionally each with a photo.
std::unique_ptr<Bench::DatabaseFile> makeGroup(const QString &name, bool photos, int students = kStudents,
    int semesters = kSemesters)
{
    auto file = std::make_unique<Bench::DatabaseFile>(name, QStringLiteral("Student.db"));
    Database &db = *file->db;
    const StudentStore store(db);
    store.ensureSchema();
    QStringList names;
    for (int n = 1; n <= students; ++n)
        names << QStringLiteral("学生%1").arg(n);
    const int id = store
                       .importGroup({ 2012, QStringLiteral("1班"), QStringLiteral("第1学期") }, names,
                           QStringLiteral("男"))
                       .groupId;
    for (int s = 2; s <= semesters; ++s)
        store.addSemester({ 2012, QStringLiteral("1班"), QStringLiteral("第%1学期").arg(s) }, id);
    if (photos) {
        Transaction transaction(db);
        QByteArray photo(kPhotoBytes, '\0');
        for (int i = 0; i < photo.size(); ++i)
            photo[i] = static_cast<char>((i * 7919) >> 3);
        for (int n = 1; n <= students; ++n)
            store.SaveStudentEdit(id, n, *store.student(id, n), photo, false);
        transaction.commit();
    }
    return file;
}

// One direction per iteration: 1 -> 2 moves everybody up, 2 -> 1 brings them back.
struct Direction
{
    int from;
    int to;
};

Direction next(int &moves) { return (moves++ % 2 == 0) ? Direction { 1, 2 } : Direction { 2, 1 }; }

// The student numbered d.from, to be given d.to.
StudentRecord edited(const StudentStore &store, const Direction &d)
{
    StudentRecord student = *store.student(1, d.from);
    student.number = d.to;
    return student;
}

// The operation and its floor each move their own copy of the group.
void storeRenumbering(benchmark::State &state)
{
    static Database &db = *Bench::keep(makeGroup(QStringLiteral("renumber-store"), false))->db;
    static int moves = 0;
    const StudentStore store(db);
    for (auto _ : state) {
        const Direction d = next(moves);
        const StudentChange change = store.SaveStudentEdit(1, d.from, edited(store, d), std::nullopt, true);
        if (change.outcome != StudentChange::Outcome::Done)
            state.SkipWithError("the renumbering did not go through");
    }
}

// Every student of the group moved once by one prepared UPDATE per table, in one transaction.
void moveEveryRowOnce(benchmark::State &state, Database &db, int students, int semesters, int &moves)
{
    QStringList tables { StudentStore::rosterTable(1) };
    for (int classId = 1; classId <= semesters; ++classId)
        tables << StudentStore::scoreTable(classId);
    for (auto _ : state) {
        const Direction d = next(moves);
        Transaction operation(db);
        for (const QString &table : tables) {
            QSqlQuery update = db.prepare(QStringLiteral("UPDATE %1 SET 学号=? WHERE 学号=?").arg(table));
            // Up: from the top down; back down: from the bottom up, so no number is held twice.
            if (d.to > d.from) {
                for (int n = students; n >= 1; --n)
                    db.run(update, { n + 1, n });
            } else {
                for (int n = 2; n <= students + 1; ++n)
                    db.run(update, { n - 1, n });
            }
            update.finish();
        }
        operation.commit();
    }
}

void renumberingFloor(benchmark::State &state)
{
    static Database &db = *Bench::keep(makeGroup(QStringLiteral("renumber-floor"), false))->db;
    static int moves = 0;
    moveEveryRowOnce(state, db, kStudents, kSemesters, moves);
}

// The records window on the roster page of 1,600 students with photos.
CStudentInfoDlg &photoRosterWindow()
{
    static CStudentInfoDlg &window = *Bench::keep(Bench::shownRecordsWindow(
        Bench::keep(makeGroup(QStringLiteral("renumber-page"), true, kPhotoStudents, kPhotoSemesters))->db, 1, 1,
        kRosterTab));
    return window;
}

void pageRenumbering(benchmark::State &state)
{
    CStudentInfoDlg &window = photoRosterWindow();
    CStuLianxi &page = *window.m_pageRoster;
    const StudentStore store(*theApp().m_pStudentConnection);
    static int moves = 0;
    for (auto _ : state) {
        const Direction d = next(moves);
        // What the edit form's save does once the teacher has confirmed the new number.
        if (page.SaveStudentEdit(d.from, edited(store, d), QByteArray(), true) != d.to)
            state.SkipWithError("the renumbering did not go through");
        Bench::paint(window);
    }
}

void pageRenumberingFloor(benchmark::State &state)
{
    static Database &db
        = *Bench::keep(makeGroup(QStringLiteral("renumber-page-floor"), true, kPhotoStudents, kPhotoSemesters))->db;
    static int moves = 0;
    moveEveryRowOnce(state, db, kPhotoStudents, kPhotoSemesters, moves);
}

const std::shared_ptr<Database> &photoDatabase()
{
    static const std::shared_ptr<Database> &db = Bench::keep(makeGroup(QStringLiteral("photos"), true))->db;
    return db;
}

// The records window on its roster page.
CStudentInfoDlg &recordsWindow()
{
    static CStudentInfoDlg &window
        = *Bench::keep(Bench::shownRecordsWindow(photoDatabase(), 1, 1, kRosterTab));
    return window;
}

void rosterPageLoad(benchmark::State &state)
{
    CStudentInfoDlg &window = recordsWindow();
    CStuLianxi &page = *window.m_pageRoster;
    Bench::timePaintedLoad(
        state, window, *page.m_listStudents, kStudents, [&page] { page.LoadStudentList(); });
}

void rosterFloor(benchmark::State &state)
{
    const Database &db = *photoDatabase();
    PlainList(*recordsWindow().m_pageRoster->m_listStudents).timeShown(state, kStudents, [&db] {
        return Bench::bareRows(
            db, QStringLiteral("SELECT 学号,姓名,地址,联系方式 FROM 小组表1 ORDER BY 学号"));
    });
}

} // namespace

int main(int argc, char **argv)
{
    return Bench::run(argc, argv,
        {
            { "renumbering: 500 students in 50 semesters / bare updates", storeRenumbering, renumberingFloor,
                2.0, Bench::Clock::Wall },
            // Each iteration moves 160 MB of photos: few runs, an even number of iterations, so
            // that every run starts from the numbers 1 to 1,600.
            { "renumbering on the roster page: 1,600 students with photos, painted / each row moved once",
                pageRenumbering, pageRenumberingFloor, 1.2, Bench::Clock::Wall, 5, 2 },
            { "roster page: 500 students with photos, painted / bare query in a plain list", rosterPageLoad,
                rosterFloor, 1.5 },
        });
}

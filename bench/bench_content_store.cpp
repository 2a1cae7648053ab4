// Lesson content: the lessons page listing a subject of 1,000 lessons, and 100 subjects added
// then deleted with their three tables each, beside floors that run the same statements bare.
//
// Lessons: the page's LoadKeshiList with the page shown, until the list is painted; and the
// store's read alone. Their floor: the store's SELECT, forward-only, its rows read into a list.
// Subjects: the store's operations, inside one outer transaction (each is then a savepoint of
// it) and, as the teacher runs them, each committing on its own. Their floor: the statements
// the operations need (the next id, the row, the three tables and two indexes; the check for
// lessons, the three drops, the row), in one transaction or one per subject added or deleted.

#include "bench/Comparisons.h"
#include "bench/ContentTables.h"
#include "bench/PlainList.h"

#include "application/CPellorApp.h"
#include "content/CKeshiPage.h"
#include "content/core/ContentStore.h"
#include "controls/CListCtrlCl.h"

#include <QSqlQuery>

namespace {

constexpr int kLessons = 1000;
constexpr int kSubjects = 100;

// A new content database with its main table, in a folder of its own.
std::unique_ptr<Bench::DatabaseFile> freshDatabase(const QString &name)
{
    auto file = std::make_unique<Bench::DatabaseFile>(name);
    ContentStore(*file->db).ensureSchema();
    return file;
}

// Subject 1 with its tables and 1,000 lessons of two-line titles.
const std::shared_ptr<Database> &lessonDatabase()
{
    static const std::shared_ptr<Database> &db = Bench::keep([] {
        std::unique_ptr<Bench::DatabaseFile> file = freshDatabase(QStringLiteral("bench-lessons"));
        Database &fresh = *file->db;
        const ContentStore store(fresh);
        Transaction transaction(fresh);
        store.addSubject(QStringLiteral("语文"));
        for (int n = 1; n <= kLessons; ++n)
            store.addLesson(1, n, QStringLiteral("第%1课 春天的故事\n课文与练习").arg(n));
        transaction.commit();
        return file;
    }())
                                                     ->db;
    return db;
}

CKeshiPage &lessonsPage()
{
    static CKeshiPage &page = *Bench::keep([] {
        theApp().m_nKemuID = 1;
        auto shown = std::make_unique<CKeshiPage>();
        shown->m_pConnection = lessonDatabase();
        shown->OnInitDialog();
        Bench::show(*shown);
        return shown;
    }());
    return page;
}

void lessonsPageLoad(benchmark::State &state)
{
    CKeshiPage &page = lessonsPage();
    Bench::timePaintedLoad(state, page, *page.m_listKeshi, kLessons, [&page] { page.LoadKeshiList(); });
}

void lessonsStoreRead(benchmark::State &state)
{
    const ContentStore store(*lessonDatabase());
    for (auto _ : state)
        benchmark::DoNotOptimize(store.lessons(1));
}

const QString kLessonsSelect
    = QStringLiteral("SELECT 课时,题目 FROM Keshi1 WHERE 课时 IS NOT NULL ORDER BY 课时");

// The store's statement, bare; the same rows shown in a plain list.
void lessonsFloor(benchmark::State &state)
{
    const Database &db = *lessonDatabase();
    PlainList(*lessonsPage().m_listKeshi).timeShown(state, kLessons, [&db] {
        return Bench::bareRows(db, kLessonsSelect);
    });
}

// The store's statement, bare, its rows read into a list.
void lessonsReadFloor(benchmark::State &state)
{
    const Database &db = *lessonDatabase();
    for (auto _ : state) {
        QList<QPair<int, QString>> rows;
        QSqlQuery query = db.prepare(kLessonsSelect);
        query.setForwardOnly(true);
        db.run(query, {});
        while (query.next())
            rows.append({ query.value(0).toInt(), query.value(1).toString() });
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

void subjectsStore(benchmark::State &state, bool oneTransaction)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Bench::DatabaseFile> file = freshDatabase(QStringLiteral("bench-subjects"));
        const Database &db = *file->db;
        const ContentStore store(db);
        state.ResumeTiming();

        if (oneTransaction) {
            Transaction transaction(db);
            storeSubjects(store);
            transaction.commit();
        } else {
            storeSubjects(store);
        }

        state.PauseTiming();
        file.reset();
        state.ResumeTiming();
    }
}

void bareAdd(const Database &db, int id)
{
    QSqlQuery highest = db.exec(QStringLiteral("SELECT max(ID) FROM Kemu"));
    highest.next();
    highest.finish();
    db.exec(
        QStringLiteral("INSERT INTO Kemu(ID,课目) VALUES(?,?)"), { id, QStringLiteral("课目%1").arg(id) });
    createBareSubjectTables(db, id);
    db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS Zhishidian%1_point ON Zhishidian%1(课时,知识点ID)")
                .arg(id));
    db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS Wenti%1_point ON Wenti%1(课时ID,知识点ID)").arg(id));
}

void bareDelete(const Database &db, int id)
{
    QSqlQuery lessons = db.exec(QStringLiteral("SELECT EXISTS(SELECT 1 FROM Keshi%1)").arg(id));
    lessons.next();
    lessons.finish();
    for (const char *table : { "Keshi", "Zhishidian", "Wenti" })
        db.exec(QStringLiteral("DROP TABLE IF EXISTS %1%2").arg(QLatin1String(table)).arg(id));
    db.exec(QStringLiteral("DELETE FROM Kemu WHERE ID=?"), { id });
}

void subjectsFloor(benchmark::State &state, bool oneTransaction)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Bench::DatabaseFile> file = freshDatabase(QStringLiteral("bench-subjects"));
        const Database &db = *file->db;
        state.ResumeTiming();

        if (oneTransaction) {
            Transaction transaction(db);
            for (int id = 1; id <= kSubjects; ++id)
                bareAdd(db, id);
            for (int id = 1; id <= kSubjects; ++id)
                bareDelete(db, id);
            transaction.commit();
        } else {
            for (int id = 1; id <= kSubjects; ++id) {
                Transaction transaction(db);
                bareAdd(db, id);
                transaction.commit();
            }
            for (int id = 1; id <= kSubjects; ++id) {
                Transaction transaction(db);
                bareDelete(db, id);
                transaction.commit();
            }
        }

        state.PauseTiming();
        file.reset();
        state.ResumeTiming();
    }
}

} // namespace

int main(int argc, char **argv)
{
    return Bench::run(argc, argv,
        {
            { "lessons page: 1,000 lessons, painted / bare select in a plain list", lessonsPageLoad,
                lessonsFloor, 2.0 },
            { "lessons: store read of 1,000 lessons / bare select", lessonsStoreRead, lessonsReadFloor, 2.0 },
            { "subjects: 100 added and deleted in one transaction / bare statements",
                [](benchmark::State &s) { subjectsStore(s, true); },
                [](benchmark::State &s) { subjectsFloor(s, true); }, 2.0, Bench::Clock::Wall },
            { "subjects: 100 added and deleted, each committed / bare statements",
                [](benchmark::State &s) { subjectsStore(s, false); },
                [](benchmark::State &s) { subjectsFloor(s, false); }, 2.0, Bench::Clock::Wall,
                7 }, // each of the 200 operations waits for the disk
        });
}

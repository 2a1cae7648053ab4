// Lesson content: a Content.db of the earlier version, with 3,000 subjects and their lessons,
// knowledge points and questions, brought to this version as the question browser's opening
// does (the store's ensureSchema: the file's state read, its check before anything is written,
// the version; each subject takes its indexes with its first new point or question), beside a
// floor that runs the statements the upgrade needs bare: the version and the table names read,
// the check, the version written, in one transaction. Each run upgrades a fresh copy of the
// same file, on the clock, since the commit waits for the disk.

#include "bench/Comparisons.h"
#include "bench/ContentTables.h"

#include "content/core/ContentStore.h"

#include <QFile>
#include <QSqlQuery>

namespace {

constexpr int kSubjects = 3000;

// The earlier version's file: Kemu and each subject's three tables, without the indexes, with
// a lesson, two points and three questions per subject, at user_version 0.
const QString &earlierFile()
{
    static const QString &path = Bench::keep([] {
        auto folder = std::make_unique<QTemporaryDir>();
        const QString file = folder->filePath(QStringLiteral("earlier.db"));
        Database db(QStringLiteral("bench-earlier"));
        db.open(file);
        Transaction transaction(db);
        db.exec(QStringLiteral("CREATE TABLE Kemu(ID INTEGER PRIMARY KEY,课目 TEXT CHECK(length(课目) <= 255))"));
        for (int id = 1; id <= kSubjects; ++id) {
            db.exec(QStringLiteral("INSERT INTO Kemu(ID,课目) VALUES(?,?)"), {id, QStringLiteral("课目%1").arg(id)});
            createBareSubjectTables(db, id);
            db.exec(QStringLiteral("INSERT INTO Keshi%1 VALUES(1,'第一课')").arg(id));
            db.exec(QStringLiteral("INSERT INTO Zhishidian%1(课时,知识点ID,知识点,重点,难点) "
                                   "VALUES(1,1,'加法',1,0),(1,2,'减法',0,1)")
                        .arg(id));
            db.exec(QStringLiteral("INSERT INTO Wenti%1(课时ID,知识点ID,问题,答案) "
                                   "VALUES(1,1,'1+1=','2'),(1,1,'2+2=','4'),(1,2,'3-1=','2')")
                        .arg(id));
        }
        transaction.commit();
        db.close();
        struct Kept
        {
            std::unique_ptr<QTemporaryDir> folder;
            QString file;
        };
        return std::make_unique<Kept>(Kept{std::move(folder), file});
    }())
                                   ->file;
    return path;
}

// Times body on a fresh copy of the earlier file; the run fails unless it ends at the version
// this program writes.
void timeUpgrade(benchmark::State &state, const std::function<void(const Database &)> &body)
{
    const QString source = earlierFile();
    const QString copy = source + QStringLiteral(".copy");
    bool whole = true;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(copy);
        QFile::copy(source, copy);
        auto db = std::make_unique<Database>(QStringLiteral("bench-upgrade"));
        db->open(copy);
        state.ResumeTiming();

        body(*db);

        state.PauseTiming();
        QSqlQuery version = db->exec(QStringLiteral("PRAGMA user_version"));
        whole = whole && db->nextRow(version) && version.value(0).toInt() == ContentStore::kSchemaVersion;
        version.finish();
        db.reset();
        state.ResumeTiming();
    }
    QFile::remove(copy);
    if (!whole)
        state.SkipWithError("the file was not brought to this version whole");
}

void upgradeStore(benchmark::State &state)
{
    timeUpgrade(state, [](const Database &db) { ContentStore(db).ensureSchema(); });
}

void upgradeFloor(benchmark::State &state)
{
    timeUpgrade(state, [](const Database &db) {
        Transaction transaction(db);
        for (const QString &read : {QStringLiteral("PRAGMA user_version"),
                                    QStringLiteral("SELECT name FROM sqlite_master WHERE type='table'"),
                                    QStringLiteral("PRAGMA quick_check")}) {
            QSqlQuery query = db.exec(read);
            while (db.nextRow(query))
                benchmark::DoNotOptimize(query.value(0));
        }
        db.exec(QStringLiteral("PRAGMA user_version = %1").arg(ContentStore::kSchemaVersion));
        transaction.commit();
    });
}

} // namespace

int main(int argc, char **argv)
{
    return Bench::run(argc, argv,
        {
            { "content upgrade: 3,000 subjects of the earlier version / bare statements", upgradeStore,
                upgradeFloor, 1.5, Bench::Clock::Wall },
        });
}

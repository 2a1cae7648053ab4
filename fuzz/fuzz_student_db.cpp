// Student.db: any bytes as the file, opened as the records window opens it, then every list
// the groups, roster and score pages read (FuzzDatabaseFile).
#include "FuzzDatabaseFile.h"

#include "records/core/StudentDatabase.h"
#include "records/core/StudentStore.h"

namespace {

using FuzzDatabaseFile::checkText;
using FuzzDatabaseFile::checkWhole;
using FuzzDatabaseFile::read;

void readEverything(const Database &db)
{
    const StudentStore store(db);
    QList<SemesterRecord> semesters;
    read([&] {
        semesters = store.semesters();
        checkWhole(db, semesters.size(), QStringLiteral("ClassInfo"));
    });
    for (const SemesterRecord &semester : std::as_const(semesters)) {
        checkText(semester.group);
        checkText(semester.semester);
        read([&] {
            const QList<ScoreRecord> scores = store.scores(semester.id);
            checkWhole(db, scores.size(), StudentStore::scoreTable(semester.id));
            for (const ScoreRecord &score : scores)
                checkText(score.name);
        });
        if (!semester.groupId)
            continue;
        const int group = *semester.groupId;
        read([&] { store.headCount(group); });
        read([&] { store.semesterIdsOfGroup(group); });
        read([&] {
            const QList<StudentRecord> students = store.students(group);
            checkWhole(db, students.size(), StudentStore::rosterTable(group));
            for (const StudentRecord &listed : students) {
                for (const auto &text : {listed.name, listed.gender, listed.address, listed.contact, listed.note})
                    checkText(text);
                store.student(group, listed.number);
                store.score(semester.id, listed.number);
            }
        });
        read([&] {
            const QList<StudentRecord> listed = store.listedStudents(group);
            checkWhole(db, listed.size(), StudentStore::rosterTable(group));
            for (const StudentRecord &row : listed)
                for (const auto &text : {row.name, row.address, row.contact})
                    checkText(text);
        });
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzDatabaseFile::run(fuzzBytes(data, size), StudentDatabase::filePath(),
                          [](DatabaseConnection &published) { return StudentDatabase::open(published); },
                          readEverything);
    return 0;
}

// Student.db: any bytes as the file, opened as the records window opens it, then every list
// the groups, roster and score pages read (FuzzDatabaseFile).
#include "FuzzDatabaseFile.h"

#include "records/core/StudentDatabase.h"
#include "records/core/StudentStore.h"

namespace {

using FuzzDatabaseFile::checkText;
using FuzzDatabaseFile::read;

void readEverything(const Database &db)
{
    const StudentStore store(db);
    QList<SemesterRecord> semesters;
    read([&] { semesters = store.semesters(); });
    for (const SemesterRecord &semester : std::as_const(semesters)) {
        checkText(semester.group);
        checkText(semester.semester);
        read([&] {
            for (const ScoreRecord &score : store.scores(semester.id))
                checkText(score.name);
        });
        if (!semester.groupId)
            continue;
        const int group = *semester.groupId;
        read([&] { store.headCount(group); });
        read([&] { store.semesterIdsOfGroup(group); });
        read([&] {
            for (const StudentRecord &listed : store.students(group)) {
                for (const auto &text : {listed.name, listed.gender, listed.address, listed.contact, listed.note})
                    checkText(text);
                store.student(group, listed.number);
                store.score(semester.id, listed.number);
            }
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

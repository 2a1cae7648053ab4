// Content.db: any bytes as the file, opened as the question browser opens it, then every list
// its pages and the presenter read (FuzzDatabaseFile).
#include "FuzzDatabaseFile.h"

#include "content/core/ContentDatabase.h"
#include "content/core/ContentStore.h"

namespace {

using FuzzDatabaseFile::checkText;
using FuzzDatabaseFile::checkWhole;
using FuzzDatabaseFile::read;

void checkQuestions(const QList<QuestionRecord> &questions)
{
    for (const QuestionRecord &question : questions) {
        checkText(question.question);
        checkText(question.answer);
    }
}

void readEverything(const Database &db)
{
    const ContentStore store(db);
    QList<SubjectRecord> subjects;
    read([&] {
        subjects = store.subjects();
        checkWhole(db, subjects.size(), QStringLiteral("Kemu"), QStringLiteral("WHERE ID BETWEEN 1 AND ?"),
                   {ContentStore::kHighestSubjectId});
    });
    read([&] { store.nextSubjectId(); });
    for (const SubjectRecord &subject : std::as_const(subjects)) {
        checkText(subject.name);
        const int kemu = subject.id;
        read([&] { store.hasLessons(kemu); });
        QList<LessonRecord> lessons;
        read([&] {
            lessons = store.lessons(kemu);
            checkWhole(db, lessons.size(), ContentStore::lessonTable(kemu), QStringLiteral("WHERE 课时 IS NOT NULL"));
        });
        for (const LessonRecord &lesson : std::as_const(lessons)) {
            checkText(lesson.title);
            read([&] { checkQuestions(store.questionsOfLesson(kemu, lesson.number, ContentStore::Answers::Left)); });
            QList<PointRecord> points;
            read([&] {
                points = store.points(kemu, lesson.number);
                checkWhole(db, points.size(), ContentStore::pointTable(kemu),
                           QStringLiteral("WHERE 课时=? AND 知识点ID IS NOT NULL"), {lesson.number});
            });
            for (const PointRecord &point : std::as_const(points)) {
                checkText(point.text);
                read([&] { store.point(kemu, lesson.number, point.number); });
                read([&] { store.questionCounter(kemu).count(lesson.number, point.number); });
                read([&] {
                    const QuestionCursor cursor = store.questionCursor(kemu, lesson.number, point.number);
                    if (const QuestionRecord *current = cursor.current())
                        store.question(kemu, current->id);
                });
                read([&] { checkQuestions(store.questionsOfPoint(kemu, lesson.number, point.number)); });
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzDatabaseFile::run(fuzzBytes(data, size), ContentDatabase::filePath(),
                          [](DatabaseConnection &published) { return ContentDatabase::open(published); },
                          readEverything);
    return 0;
}

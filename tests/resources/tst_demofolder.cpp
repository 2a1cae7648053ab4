#include "TestMain.h"

#include "content/core/ContentStore.h"
#include "records/core/StudentStore.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>

// The demo program folder's databases, as the build makes them: what a newcomer sees in the
// records window and the question browser before typing anything in.
class TestDemoFolder : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // A copy, so that nothing here can change the build's own files.
    QString copyOf(const QString &name)
    {
        const QString copy = m_dir.filePath(name);
        QFile::remove(copy);
        QFile::copy(QStringLiteral(PELLOR_TEST_PROGRAM_DIR "/") + name, copy);
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        return copy;
    }

private slots:
    void studentRecordsHoldTwoGroupsOfTwoSemesters()
    {
        Database db(QStringLiteral("demo-students"));
        db.open(copyOf(QStringLiteral("Student.db")));
        const StudentStore store(db);
        store.ensureSchema();
        QCOMPARE(store.schemaVersion(), StudentStore::kSchemaVersion);

        QMap<int, QStringList> semestersOfGroup;
        for (const SemesterRecord &semester : store.semesters()) {
            QVERIFY(semester.listed() && semester.groupId);
            semestersOfGroup[*semester.groupId] << *semester.semester;
        }
        QCOMPARE(semestersOfGroup.size(), 2);
        QSet<int> weightedTotals;
        for (auto it = semestersOfGroup.cbegin(); it != semestersOfGroup.cend(); ++it) {
            QCOMPARE(it.value().size(), 2);
            const QList<StudentRecord> students = store.students(it.key());
            QVERIFY(students.size() >= 7);
            for (const StudentRecord &s : students) {
                QVERIFY(s.name && !s.name->isEmpty());
                QVERIFY(s.gender == QStringLiteral("男") || s.gender == QStringLiteral("女"));
                QVERIFY(s.address && s.contact && s.note);
                const std::optional<StudentRecord> full = store.student(it.key(), s.number);
                QVERIFY(full && !QImage::fromData(full->photo).isNull());
            }
            for (int classId : store.semesterIdsOfGroup(it.key())) {
                const QList<ScoreRecord> rows = store.scores(classId);
                QCOMPARE(rows.size(), students.size() + 1); // and the placeholder row
                for (const ScoreRecord &row : rows) {
                    if (row.number == 0)
                        continue;
                    QVERIFY(row.excellent && row.good && row.fair && row.absent);
                    weightedTotals << *row.excellent * 4 + *row.good * 2 + *row.fair - *row.absent * 4;
                }
            }
        }
        // Answer counts that tell the students apart.
        QVERIFY(weightedTotals.size() >= 10);
    }

    void lessonContentHoldsTwoSubjectsWithPointsAndQuestions()
    {
        Database db(QStringLiteral("demo-content"));
        db.open(copyOf(QStringLiteral("Content.db")));
        const ContentStore store(db);
        store.ensureSchema();
        const QList<SubjectRecord> subjects = store.subjects();
        QCOMPARE(subjects.size(), 2);
        bool keyPoint = false, difficultPoint = false;
        for (const SubjectRecord &subject : subjects) {
            const QList<LessonRecord> lessons = store.lessons(subject.id);
            QVERIFY(lessons.size() >= 3);
            for (const LessonRecord &lesson : lessons) {
                const QList<PointRecord> points = store.points(subject.id, lesson.number);
                QVERIFY(!points.isEmpty());
                for (const PointRecord &point : points) {
                    keyPoint |= point.key;
                    difficultPoint |= point.difficult;
                    QVERIFY(point.text && !point.text->isEmpty());
                    const QList<QuestionRecord> questions
                        = store.questionsOfPoint(subject.id, lesson.number, point.number);
                    QVERIFY(!questions.isEmpty());
                    for (const QuestionRecord &q : questions)
                        QVERIFY(q.question && q.answer && !q.answer->isEmpty());
                }
            }
        }
        QVERIFY(keyPoint && difficultPoint);
    }
};

PELLOR_UNIT_TEST_MAIN(TestDemoFolder)
#include "tst_demofolder.moc"

#include "DatabaseRows.h"
#include "TempProgramFolder.h"
#include "TestMain.h"

#include "content/core/BrowserReload.h"
#include "content/core/ContentDatabase.h"
#include "content/core/ContentStore.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

class TestContentStore : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<ContentStore> m_store;

    QStringList rows(const QString &sql) const { return TestSupport::rows(*m_db, sql); }
    int scalar(const QString &sql) const { return TestSupport::scalar(*m_db, sql); }

    QStringList tables() const
    {
        return rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name<>'sqlite_sequence' "
                                   "ORDER BY name"));
    }

    static QString failureOf(const std::function<void()> &operation) { return TestSupport::failureOf(operation); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_db = std::make_unique<Database>(QStringLiteral("content-test"));
        m_db->open(m_dir->filePath(QStringLiteral("Content.db")));
        m_store = std::make_unique<ContentStore>(*m_db);
        m_store->ensureSchema();
    }

    void cleanup()
    {
        m_store.reset();
        m_db.reset();
        m_dir.reset();
    }

    void openingCreatesKemuOnceAndUpgradesOlderFiles()
    {
        TempProgramFolder program;
        DatabaseConnection published;
        const ContentDatabase::Opening first = ContentDatabase::open(published);
        QVERIFY(first.failure.isEmpty());
        QVERIFY(first.notice.startsWith(QStringLiteral("没有找到 Content.db，现在新建一个空的 Content.db。")));
        QCOMPARE(published, first.connection);
        QVERIFY(QFile::exists(program.file(QStringLiteral("Content.db"))));
        QVERIFY(published->hasTable(QStringLiteral("Kemu")));
        QCOMPARE(ContentDatabase::open(published).connection, first.connection);

        // A file that cannot be opened publishes nothing and says why.
        DatabaseConnection none;
        TempProgramFolder broken;
        QVERIFY(QDir().mkpath(broken.file(QStringLiteral("Content.db"))));
        const ContentDatabase::Opening failed = ContentDatabase::open(none);
        QVERIFY(!none);
        QVERIFY(failed.failure.startsWith(QStringLiteral("Content.db 路径可能不正确 或已经打开 或 ")));
        QVERIFY(failed.failure.size() > QStringLiteral("Content.db 路径可能不正确 或已经打开 或 ").size());
        QVERIFY(failed.connection && !failed.connection->isOpen());

        // A subject's tables without Kemu: no empty Kemu hides them, and nothing is written.
        const QString headless = broken.file(QStringLiteral("Content.db"));
        QVERIFY(QDir(headless).removeRecursively());
        {
            Database db(QStringLiteral("headless"));
            db.open(headless);
            db.exec(QStringLiteral("CREATE TABLE Keshi1(课时 INTEGER PRIMARY KEY,题目 TEXT)"));
        }
        const QByteArray bytes = broken.readFile(QStringLiteral("Content.db"));
        QCOMPARE(ContentDatabase::open(none).failure,
                 QStringLiteral("Content.db 缺少主表 Kemu，但还有本程序的其他表。为免其中的数据被隐藏，没有新建 Kemu，"
                                "也没有作任何改动。\n文件：%1")
                     .arg(QDir::toNativeSeparators(headless)));
        QVERIFY(!none);
        QCOMPARE(broken.readFile(QStringLiteral("Content.db")), bytes);

        QCOMPARE(scalar(QStringLiteral("PRAGMA user_version")), ContentStore::kSchemaVersion);
        // A database of the previous layout (no version, no indexes) is brought to this version
        // at once; a subject gets its index with its first new question, so that the upgrade
        // does not grow with the square of the subjects.
        m_db->exec(QStringLiteral("INSERT INTO Kemu VALUES(3,'数学')"));
        m_db->exec(QStringLiteral("CREATE TABLE Wenti3(ID INTEGER PRIMARY KEY,课时ID INTEGER,知识点ID INTEGER,"
                                  "问题ID INTEGER,问题 TEXT,答案 TEXT)"));
        m_db->exec(QStringLiteral("PRAGMA user_version = 0"));
        m_store->ensureSchema();
        QCOMPARE(scalar(QStringLiteral("PRAGMA user_version")), 1);
        const QString wentiIndexes = QStringLiteral("SELECT name FROM sqlite_master WHERE type='index' AND tbl_name='Wenti3'");
        QVERIFY(rows(wentiIndexes).isEmpty());
        QCOMPARE(m_store->addQuestion(3, 1, 1, QStringLiteral("1+1=?"), QStringLiteral("2")), 1);
        QCOMPARE(rows(wentiIndexes), QStringList{QStringLiteral("Wenti3_point")});
        QCOMPARE(rows(QStringLiteral("SELECT 问题 || '=' || 答案 FROM Wenti3")), QStringList{QStringLiteral("1+1=?=2")});
    }

    void subjectIdsAndTables()
    {
        QVERIFY(m_store->subjects().isEmpty());
        QCOMPARE(m_store->addSubject(QStringLiteral("语文")), 1);
        QCOMPARE(tables(), (QStringList{QStringLiteral("Kemu"), QStringLiteral("Keshi1"), QStringLiteral("Wenti1"),
                                        QStringLiteral("Zhishidian1")}));
        m_db->exec(QStringLiteral("INSERT INTO Kemu VALUES(2,NULL),(5,'英语')"));
        QCOMPARE(m_store->addSubject(QStringLiteral("物理\"实验\"")), 6);
        const QList<SubjectRecord> subjects = m_store->subjects();
        QCOMPARE(subjects.size(), 4);
        QCOMPARE(subjects.at(1).id, 2);
        QCOMPARE(subjects.at(1).name, std::nullopt);
        QCOMPARE(subjects.last().name, std::optional<QString>(QStringLiteral("物理\"实验\"")));
        m_db->exec(QStringLiteral("INSERT INTO Kemu VALUES(2147483647,'满')"));
        QCOMPARE(failureOf([&] { m_store->addSubject(QStringLiteral("化学")); }),
                 QStringLiteral("课目编号已经用到最大的 2147483647，不能再添加课目，本次操作没有改动任何数据。"));
        QCOMPARE(m_store->subjects().size(), 5);
        m_db->exec(QStringLiteral("DELETE FROM Kemu WHERE ID=2147483647"));

        // Kept as the field sizes were: a title of more than 100 characters does not fit.
        QCOMPARE(m_store->addLesson(6, 1, QString(100, u'课')), ContentStore::Outcome::Done);
        QVERIFY(failureOf([&] { m_store->addLesson(6, 2, QString(101, u'课')); }).contains(QLatin1String("CHECK")));
        QVERIFY(failureOf([&] { m_store->addLesson(4, 1, QStringLiteral("x")); }).contains(QLatin1String("Keshi4")));
    }

    void textIsStoredAsTyped()
    {
        // A NUL is dropped, so a name of 302 characters cannot pass the 255-character limit.
        QCOMPARE(failureOf([&] { m_store->addSubject(QStringLiteral("x") + QChar(u'\0') + QString(300, u'课')); }),
                 QStringLiteral("课目最多255个字，本次操作没有改动任何数据。请改短后再试。\nCHECK constraint failed: length(课目) <= 255"));
        const int kemu = m_store->addSubject(QStringLiteral("语") + QChar(u'\0') + QStringLiteral("文"));
        // A lone surrogate becomes U+FFFD and the character after it stays.
        m_store->addLesson(kemu, 1, QChar(0xD800) + QStringLiteral("孤"));
        QCOMPARE(rows(QStringLiteral("SELECT 课目,length(课目) FROM Kemu")), QStringList{QStringLiteral("语文|2")});
        QCOMPARE(m_store->lessons(kemu).first().title, std::optional<QString>(QStringLiteral("\uFFFD孤")));
    }

    void addingAndDeletingASubjectCommitWhole()
    {
        m_store->addSubject(QStringLiteral("语文"));
        // A table left over under the next number stops the add after the row and two tables.
        m_db->exec(QStringLiteral("CREATE TABLE Wenti2(x INTEGER)"));
        QVERIFY(failureOf([&] { m_store->addSubject(QStringLiteral("数学")); }).contains(QLatin1String("Wenti2")));
        QCOMPARE(rows(QStringLiteral("SELECT ID FROM Kemu")), QStringList{QStringLiteral("1")});
        QCOMPARE(tables(), (QStringList{QStringLiteral("Kemu"), QStringLiteral("Keshi1"), QStringLiteral("Wenti1"),
                                        QStringLiteral("Wenti2"), QStringLiteral("Zhishidian1")}));
        m_db->exec(QStringLiteral("DROP TABLE Wenti2"));

        // A failure after the drops keeps the tables and the row.
        m_db->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON Kemu BEGIN SELECT RAISE(ABORT,'injected'); END"));
        QCOMPARE(failureOf([&] { m_store->deleteSubject(1); }),
                 QStringLiteral("Content.db 操作失败，本次操作没有改动任何数据。\ninjected"));
        QCOMPARE(tables().size(), 4);
        m_db->exec(QStringLiteral("DROP TRIGGER refuse"));

        // Refused while a lesson exists.
        m_store->addLesson(1, 1, QStringLiteral("第一课"));
        QCOMPARE(m_store->deleteSubject(1), ContentStore::Outcome::InUse);
        QCOMPARE(tables().size(), 4);
        QCOMPARE(m_store->deleteLesson(1, 1), ContentStore::Outcome::Done);

        // Tables that went missing do not stop the delete: what is there goes.
        m_db->exec(QStringLiteral("DROP TABLE Zhishidian1"));
        QCOMPARE(m_store->deleteSubject(1), ContentStore::Outcome::Done);
        QCOMPARE(tables(), QStringList{QStringLiteral("Kemu")});
        QCOMPARE(m_store->nextSubjectId(), 1);

        // The add composes into a caller's operation.
        {
            Transaction outer(*m_db);
            m_store->addSubject(QStringLiteral("化学"));
        }
        QCOMPARE(tables(), QStringList{QStringLiteral("Kemu")});
    }

    void lessonsAndChangesOfVanishedRows()
    {
        const int kemu = m_store->addSubject(QStringLiteral("语文"));
        QCOMPARE(m_store->addLesson(kemu, 2, QStringLiteral("他说\"你好\"")), ContentStore::Outcome::Done);
        QCOMPARE(m_store->addLesson(kemu, 1, QString()), ContentStore::Outcome::Done);
        QCOMPARE(m_store->addLesson(kemu, 2, QStringLiteral("别的")), ContentStore::Outcome::Duplicate);
        QCOMPARE(rows(QStringLiteral("SELECT 课时,题目 FROM Keshi1 ORDER BY 课时")),
                 (QStringList{QStringLiteral("1|"), QStringLiteral("2|他说\"你好\"")}));
        m_db->exec(QStringLiteral("INSERT INTO Keshi1 VALUES(3,NULL)"));
        const QList<LessonRecord> lessons = m_store->lessons(kemu);
        QCOMPARE(lessons.size(), 3);
        QCOMPARE(lessons.at(0).title, std::optional<QString>(QStringLiteral("")));
        QCOMPARE(lessons.at(2).title, std::nullopt);

        m_store->setLessonTitle(kemu, 3, QStringLiteral("第三课\n下半"));
        QCOMPARE(m_store->lessons(kemu).at(2).title, std::optional<QString>(QStringLiteral("第三课\n下半")));
        QCOMPARE(failureOf([&] { m_store->setLessonTitle(kemu, 9, QStringLiteral("x")); }), ContentStore::rowGoneText());
        QCOMPARE(failureOf([&] { m_store->renameSubject(7, QStringLiteral("x")); }), ContentStore::rowGoneText());
        m_store->renameSubject(kemu, QStringLiteral("国文"));
        QCOMPARE(m_store->subjects().first().name, std::optional<QString>(QStringLiteral("国文")));

        m_store->addPoint(kemu, {0, 2, 1, QStringLiteral("点"), false, false});
        QCOMPARE(m_store->deleteLesson(kemu, 2), ContentStore::Outcome::InUse);
        QCOMPARE(m_store->deleteLesson(kemu, 3), ContentStore::Outcome::Done);
        QCOMPARE(rows(QStringLiteral("SELECT 课时 FROM Keshi1")), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    }

    void pointsQuestionsAndTheCursor()
    {
        const int kemu = m_store->addSubject(QStringLiteral("数学"));
        QCOMPARE(m_store->addPoint(kemu, {0, 1, 2, QStringLiteral("乘法"), true, false}), ContentStore::Outcome::Done);
        QCOMPARE(m_store->addPoint(kemu, {0, 1, 1, std::nullopt, false, true}), ContentStore::Outcome::Done);
        QCOMPARE(m_store->addPoint(kemu, {0, 1, 2, QStringLiteral("again"), false, false}),
                 ContentStore::Outcome::Duplicate);
        m_db->exec(QStringLiteral("INSERT INTO Zhishidian1(课时,知识点ID,知识点) VALUES(1,NULL,'无号')"));
        QList<PointRecord> points = m_store->points(kemu, 1);
        QCOMPARE(points.size(), 2);
        QCOMPARE(points.at(0).number, 1);
        QCOMPARE(points.at(0).text, std::nullopt);
        QVERIFY(points.at(0).difficult && !points.at(0).key);
        QVERIFY(points.at(1).key);

        // An untouched text keeps its NULL; the flags are written.
        m_store->updatePoint(kemu, 1, 1, std::nullopt, true, false);
        QCOMPARE(rows(QStringLiteral("SELECT 知识点,重点,难点 FROM Zhishidian1 WHERE 知识点ID=1")),
                 QStringList{QStringLiteral("NULL|1|0")});
        m_store->setPointText(kemu, 1, 1, QStringLiteral("加法"));
        QCOMPARE(m_store->point(kemu, 1, 1)->text, std::optional<QString>(QStringLiteral("加法")));
        QCOMPARE(failureOf([&] { m_store->setPointText(kemu, 1, 9, QStringLiteral("x")); }), ContentStore::rowGoneText());

        const int first = m_store->addQuestion(kemu, 1, 2, QStringLiteral("2×3="), QStringLiteral("6"));
        const int second = m_store->addQuestion(kemu, 1, 1, QStringLiteral("1+1="), QStringLiteral("2"));
        const int third = m_store->addQuestion(kemu, 1, 2, QStringLiteral("2×4="), QString());
        QCOMPARE(m_store->countQuestions(kemu, 1, 2), 2);
        QCOMPARE(m_store->deletePoint(kemu, 1, 2), ContentStore::Outcome::InUse);
        QList<int> ids;
        for (const QuestionRecord &q : m_store->questionsOfLesson(kemu, 1))
            ids << q.id;
        QCOMPARE(ids, (QList<int>{second, first, third}));
        QCOMPARE(rows(QStringLiteral("SELECT count(*) FROM Wenti1 WHERE 问题ID IS NULL")), QStringList{QStringLiteral("3")});

        QuestionCursor cursor = m_store->questionCursor(kemu, 1, 2);
        QCOMPARE(cursor.current()->id, first);
        QCOMPARE(cursor.previous()->id, first);
        QCOMPARE(cursor.next()->id, third);
        QCOMPARE(cursor.next()->id, third);
        QCOMPARE(cursor.position(), 1);
        QuestionCursor none = m_store->questionCursor(kemu, 1, 5);
        QVERIFY(none.isEmpty() && !none.current() && !none.next() && !none.previous());

        m_store->updateQuestion(kemu, first, std::nullopt, QStringLiteral("六"));
        QCOMPARE(m_store->question(kemu, first)->question, std::optional<QString>(QStringLiteral("2×3=")));
        QCOMPARE(m_store->question(kemu, first)->answer, std::optional<QString>(QStringLiteral("六")));
        QCOMPARE(failureOf([&] { m_store->updateQuestion(kemu, 99, QStringLiteral("x"), std::nullopt); }),
                 ContentStore::rowGoneText());

        // IDs only grow: a deleted question's ID is not given again.
        m_store->deleteQuestion(kemu, third);
        QCOMPARE(m_store->addQuestion(kemu, 1, 2, QStringLiteral("q"), QStringLiteral("a")), third + 1);
        m_store->deleteQuestion(kemu, third + 1);
        // They are 64-bit: the one after 2147483647 is read back as it is, never negative.
        m_db->exec(QStringLiteral("UPDATE sqlite_sequence SET seq=2147483647 WHERE name='Wenti1'"));
        const qint64 past = m_store->addQuestion(kemu, 1, 2, QStringLiteral("大"), QString());
        QCOMPARE(past, Q_INT64_C(2147483648));
        QCOMPARE(m_store->question(kemu, past)->question, std::optional<QString>(QStringLiteral("大")));
        QCOMPARE(m_store->questionsOfPoint(kemu, 1, 2).last().id, past);
        m_store->deleteQuestion(kemu, past);
        m_store->deleteQuestion(kemu, first);
        QCOMPARE(m_store->deletePoint(kemu, 1, 2), ContentStore::Outcome::Done);
        QCOMPARE(m_store->points(kemu, 1).size(), 1);

        // The presenter's counter, point after point on one statement that holds nothing
        // open between them: the subject's tables can still go.
        QuestionCounter counter = m_store->questionCounter(kemu);
        QCOMPARE(counter.count(1, 1), 1);
        QCOMPARE(counter.count(1, 2), 0);
        m_store->addQuestion(kemu, 1, 2, QStringLiteral("q"), QStringLiteral("a"));
        QCOMPARE(counter.count(1, 2), 1);
        QCOMPARE(counter.count(2, 1), 0);
        m_db->exec(QStringLiteral("DROP TABLE Wenti1"));
        QVERIFY(failureOf([&] { counter.count(1, 1); }).contains(QLatin1String("Wenti1")));
        QVERIFY(failureOf([&] { m_store->questionCounter(kemu); }).contains(QLatin1String("Wenti1")));
    }

    void tabChangesReload()
    {
        using namespace BrowserReload;
        auto plan = [](int tab, int subject, bool lessonsCurrent) {
            const Plan p = onTabChange(tab, subject, lessonsCurrent);
            return QStringLiteral("%1%2%3").arg(p.lessons).arg(p.points).arg(p.questions);
        };
        QCOMPARE(plan(TabLessons, -1, false), QStringLiteral("000"));
        // Without a subject the points and questions pages still load: they empty themselves.
        QCOMPARE(plan(TabPoints, -1, false), QStringLiteral("010"));
        QCOMPARE(plan(TabQuestions, -1, false), QStringLiteral("001"));
        QCOMPARE(plan(TabSubjects, 4, false), QStringLiteral("000"));
        QCOMPARE(plan(TabLessons, 3, true), QStringLiteral("000"));
        QCOMPARE(plan(TabLessons, 4, false), QStringLiteral("100"));
        QCOMPARE(plan(TabPoints, 3, true), QStringLiteral("010"));
        QCOMPARE(plan(TabPoints, 4, false), QStringLiteral("110"));
        QCOMPARE(plan(TabQuestions, 4, false), QStringLiteral("101"));
    }
};

PELLOR_UNIT_TEST_MAIN(TestContentStore)
#include "tst_contentstore.moc"

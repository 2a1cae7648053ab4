#include "DatabaseRows.h"
#include "FileSizeLimit.h"
#include "OrdinaryUser.h"
#include "TempProgramFolder.h"
#include "TestMain.h"

#include "records/core/GroupSelection.h"
#include "records/core/RosterFile.h"
#include "records/core/StudentDatabase.h"
#include "records/core/StudentStore.h"

#include "platform/base/ProgramFolder.h"
#include "platform/base/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

QByteArray utf16(const QString &text)
{
    return TextCodec::encode(text, TextCodec::Encoding::Utf16Le, true);
}

} // namespace

class TestStudentStore : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<StudentStore> m_store;
    int m_serial = 0;

    QString writeRoster(const QByteArray &bytes)
    {
        const QString path = m_dir->filePath(QStringLiteral("roster%1.txt").arg(++m_serial));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return path;
    }

    int importFile(const QString &path, const SemesterKey &key)
    {
        const std::optional<RosterFile> roster = RosterFile::read(path);
        if (!roster)
            return -1;
        const auto result = m_store->importGroup(key, roster->names, roster->gender());
        return result.outcome == StudentStore::Outcome::Done ? result.groupId : 0;
    }

    QStringList rows(const QString &sql) const { return TestSupport::rows(*m_db, sql); }

    static StudentRecord named(int number, const QString &name)
    {
        StudentRecord student;
        student.number = number;
        student.name = name;
        return student;
    }

    // Every table of the file, row by row: what an operation that failed must leave as it was.
    QStringList everything() const
    {
        QStringList out;
        for (const QString &table : m_db->handle().tables()) {
            out << table;
            out << rows(QStringLiteral("SELECT * FROM \"%1\" ORDER BY 1").arg(table));
        }
        return out;
    }

    // "number name" of the roster, and the same of each score table of the group without its
    // placeholder row: the rows that must always agree.
    QList<QStringList> rowsEverywhere(int groupId) const
    {
        QList<QStringList> tables{rows(QStringLiteral("SELECT 学号,姓名 FROM %1 ORDER BY 学号").arg(StudentStore::rosterTable(groupId)))};
        for (const int classId : m_store->semesterIdsOfGroup(groupId))
            tables << rows(QStringLiteral("SELECT 学号,姓名 FROM %1 WHERE 学号<>0 ORDER BY 学号").arg(StudentStore::scoreTable(classId)));
        return tables;
    }

    // Every student of the group has exactly one row in each score table, under the
    // student's number and name, and the tables have no other rows but the placeholder.
    bool rowsAgree(int groupId) const
    {
        const QList<QStringList> tables = rowsEverywhere(groupId);
        for (const QStringList &table : tables) {
            if (table != tables.first())
                return false;
        }
        for (const int classId : m_store->semesterIdsOfGroup(groupId)) {
            if (scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE 学号=0").arg(StudentStore::scoreTable(classId))) != 1)
                return false;
        }
        return true;
    }
    int scalar(const QString &sql) const { return TestSupport::scalar(*m_db, sql); }

    // Names and genders of a roster, "name/gender" with "-" for NULL, by number from 1.
    QStringList roster(int groupId) const
    {
        QStringList out;
        int expected = 0;
        for (const StudentRecord &student : m_store->students(groupId)) {
            if (student.number != ++expected)
                out << QStringLiteral("gap");
            out << student.name.value_or(QStringLiteral("-")) + u'/' + student.gender.value_or(QStringLiteral("-"));
        }
        return out;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_db = std::make_unique<Database>(QStringLiteral("store-test"));
        m_db->open(m_dir->filePath(QStringLiteral("Student.db")));
        m_store = std::make_unique<StudentStore>(*m_db);
        m_store->ensureSchema();
    }

    void cleanup()
    {
        m_store.reset();
        m_db.reset();
        m_dir.reset();
    }

    void rosterFilesInEveryEncoding()
    {
        const QString names = QStringLiteral("张三\r\n李四\r\n");
        RosterFile withBreak = RosterFile::parse(utf16(names));
        QCOMPARE(withBreak.names, (QStringList{QStringLiteral("张三"), QStringLiteral("李四")}));
        QCOMPARE(withBreak.gender(), std::optional<QString>(QStringLiteral("男")));
        QCOMPARE(RosterFile::parse(utf16(QStringLiteral("张三\r\n李四"))).names, withBreak.names);

        const RosterFile gb = RosterFile::parse(TextCodec::encodeGb18030(names));
        QCOMPARE(gb.encoding, TextCodec::Encoding::Gb18030);
        QCOMPARE(gb.names, withBreak.names);
        QCOMPARE(gb.gender(), std::nullopt);

        for (const bool mark : {true, false}) {
            const RosterFile utf8 = RosterFile::parse(TextCodec::encode(QStringLiteral("张三\n李四"),
                                                                       TextCodec::Encoding::Utf8, mark));
            QCOMPARE(utf8.names, withBreak.names);
            QCOMPARE(utf8.gender(), std::nullopt);
        }

        // As today's editors save them, without a mark; and the code page's own rosters, even
        // those whose bytes also pass as UTF-8.
        const QStringList eight = {QStringLiteral("王思远"), QStringLiteral("李欣怡"), QStringLiteral("张浩然"),
                                   QStringLiteral("刘雨桐"), QStringLiteral("陈子轩"), QStringLiteral("杨梓涵"),
                                   QStringLiteral("赵一鸣"), QStringLiteral("黄诗琪")};
        const QString eightLines = eight.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
        QCOMPARE(RosterFile::parse(eightLines.toUtf8()).names, eight);
        QCOMPARE(RosterFile::parse(eightLines.toUtf8()).encoding, TextCodec::Encoding::Utf8);
        QCOMPARE(RosterFile::parse(TextCodec::encodeGb18030(eightLines)).names, eight);
        QCOMPARE(RosterFile::parse(TextCodec::encodeGb18030(QStringLiteral("图片\r\n毛毛\r\n"))).names,
                 (QStringList{QStringLiteral("图片"), QStringLiteral("毛毛")}));
        QCOMPARE(RosterFile::parse(QStringLiteral("José\r\nФото\r\n").toUtf8()).names,
                 (QStringList{QStringLiteral("José"), QStringLiteral("Фото")}));

        // Saved as Unicode big-endian: the mark FE FF tells it; its students enter as boys, as
        // those of a little-endian file do.
        const RosterFile bigEndian = RosterFile::parse(QByteArray("\xFE\xFF\x5F\x20\x4E\x09\x00\r\x00\n"
                                                                  "\x67\x4E\x56\xDB", 14));
        QCOMPARE(bigEndian.names, withBreak.names);
        QCOMPARE(bigEndian.gender(), std::optional<QString>(QStringLiteral("男")));

        // A line that is blank, or only spaces and tabs, is no student, as in the roll-call's
        // rosters: the students after it take the next numbers.
        const QStringList firstAndThird = {QStringLiteral("甲"), QStringLiteral("丙")};
        QCOMPARE(RosterFile::parse(utf16(QStringLiteral("甲\r\n\r\n丙\r\n"))).names, firstAndThird);
        QCOMPARE(RosterFile::parse(QStringLiteral("\r\n甲\r\n \t\u3000\r\n丙\r\n\r\n").toUtf8()).names,
                 firstAndThird);
        QVERIFY(RosterFile::parse(QByteArray()).names.isEmpty());
        QVERIFY(RosterFile::parse(QByteArray("\xFF\xFE", 2)).names.isEmpty());

        QVERIFY(!RosterFile::read(m_dir->filePath(QStringLiteral("missing.txt"))));
        QVERIFY(!RosterFile::read(m_dir->path()));
        // A pipe is refused at once instead of blocking the import.
        const QString pipe = m_dir->filePath(QStringLiteral("pipe.txt"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QVERIFY(!RosterFile::read(pipe));
        const QString readOnly = writeRoster(TextCodec::encodeGb18030(names));
        QFile::setPermissions(readOnly, QFile::ReadOwner);
        QCOMPARE(RosterFile::read(readOnly)->names, withBreak.names);
    }

    void importCreatesGroupAndTables()
    {
        const int n = importFile(writeRoster(utf16(QStringLiteral("张三\r\n李四"))),
                                 {2012, QStringLiteral("1班"), QStringLiteral("第一学期")});
        QCOMPARE(n, 1);
        QCOMPARE(rows(QStringLiteral("SELECT ID,点名,入学年,小组,学期,小组ID FROM ClassInfo")),
                 QStringList{QStringLiteral("1|0|2012|1班|第一学期|1")});
        QCOMPARE(roster(n), (QStringList{QStringLiteral("张三/男"), QStringLiteral("李四/男")}));
        QCOMPARE(rows(QStringLiteral("SELECT 学号,姓名,优秀,良,一般,旷课,主动加分 FROM 课堂成绩表1 ORDER BY 学号")),
                 (QStringList{QStringLiteral("0|0|NULL|NULL|NULL|NULL|NULL"), QStringLiteral("1|张三|0|0|0|0|0"),
                              QStringLiteral("2|李四|0|0|0|0|0")}));

        const QString gbNames = QStringLiteral("王五\n\n赵六");
        const int gb = importFile(writeRoster(TextCodec::encodeGb18030(gbNames)),
                                  {2012, QStringLiteral("2班"), QStringLiteral("第一学期")});
        QCOMPARE(roster(gb), (QStringList{QStringLiteral("王五/-"), QStringLiteral("赵六/-")}));
        QCOMPARE(m_store->headCount(gb).text(), QStringLiteral("本班共有：2个学生\r\n其中男生：0 \r\n        女生：2 \r\n"));

        const int utf8 = importFile(writeRoster(QByteArray("\xEF\xBB\xBF") + QStringLiteral("孙七\r\n").toUtf8()),
                                    {2012, QStringLiteral("3班"), QStringLiteral("第一学期")});
        QCOMPARE(roster(utf8), (QStringList{QStringLiteral("孙七/-")}));

        // No roster file: the group and both tables, with only the placeholder row.
        const auto empty = m_store->importGroup({2013, QStringLiteral("4班"), QString()}, {}, std::nullopt);
        QCOMPARE(empty.outcome, StudentStore::Outcome::Done);
        QVERIFY(m_store->students(empty.groupId).isEmpty());
        QCOMPARE(m_store->scores(empty.groupId).size(), 1);
        QCOMPARE(m_store->scores(empty.groupId).first().number, 0);
    }

    void textIsBoundNotPasted()
    {
        const QString quoted = QStringLiteral("O\"Neil'); DROP TABLE ClassInfo;--");
        const QString name = QStringLiteral("小\"明\"");
        const auto result = m_store->importGroup({2014, quoted, quoted}, {name}, std::nullopt);
        QCOMPARE(result.outcome, StudentStore::Outcome::Done);
        QCOMPARE(m_store->student(result.groupId, 1)->name, std::optional<QString>(name));
        QCOMPARE(m_store->score(result.groupId, 1)->name, std::optional<QString>(name));
        QCOMPARE(m_store->semester(result.groupId)->semester, std::optional<QString>(quoted));
        QCOMPARE(m_store->groupCount(2014, quoted), 1);
    }

    void duplicatesAreRefused()
    {
        const auto first = m_store->importGroup({2012, QStringLiteral("1班"), QStringLiteral("上")},
                                                {QStringLiteral("甲")}, std::nullopt);
        const auto again = m_store->importGroup({2012, QStringLiteral("1班"), QStringLiteral("下")},
                                                {QStringLiteral("乙")}, std::nullopt);
        QCOMPARE(again.outcome, StudentStore::Outcome::Duplicate);
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM ClassInfo")), 1);
        QCOMPARE(m_store->importGroup({2013, QStringLiteral("1班"), QStringLiteral("上")}, {}, std::nullopt).outcome,
                 StudentStore::Outcome::Done);

        const auto semester
            = m_store->addSemester({2012, QStringLiteral("1班"), QStringLiteral("上")}, first.groupId);
        QCOMPARE(semester.outcome, StudentStore::Outcome::Duplicate);
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM ClassInfo")), 2);
        QVERIFY(!m_db->hasTable(QStringLiteral("课堂成绩表3")));
    }

    void newSemesterCopiesTheRoster()
    {
        const auto group = m_store->importGroup({2012, QStringLiteral("1班"), QStringLiteral("上")},
                                                {QStringLiteral("甲"), QStringLiteral("乙")}, QStringLiteral("男"));
        m_store->importGroup({2012, QStringLiteral("2班"), QStringLiteral("上")}, {QStringLiteral("丙")},
                             std::nullopt);
        const auto next = m_store->addSemester({2012, QStringLiteral("1班"), QStringLiteral("下")}, group.groupId);
        QCOMPARE(next.outcome, StudentStore::Outcome::Done);
        QCOMPARE(next.classId, 3);
        QCOMPARE(m_store->semester(next.classId)->groupId, std::optional<int>(group.groupId));
        QCOMPARE(m_store->semesterIdsOfGroup(group.groupId), (QList<int>{1, 3}));
        QCOMPARE(rows(QStringLiteral("SELECT 学号,姓名,优秀,良,一般,旷课,主动加分 FROM 课堂成绩表3 ORDER BY 学号")),
                 (QStringList{QStringLiteral("0|0|NULL|NULL|NULL|NULL|NULL"), QStringLiteral("1|甲|NULL|NULL|NULL|NULL|NULL"),
                              QStringLiteral("2|乙|NULL|NULL|NULL|NULL|NULL")}));

        // The first semester keeps the roster's 20-character names; later ones take 255.
        const QString longName(21, u'长');
        const QString insert = QStringLiteral("INSERT INTO %1(学号,姓名) VALUES(9,?)");
        QVERIFY_THROWS_EXCEPTION(DbError, m_db->exec(insert.arg(StudentStore::scoreTable(1)), {longName}));
        m_db->exec(insert.arg(StudentStore::scoreTable(next.classId)), {longName});
        QCOMPARE(m_store->score(next.classId, 9)->name, std::optional<QString>(longName));

        // A semester of a group without a roster table fails whole.
        QVERIFY_THROWS_EXCEPTION(DbError, m_store->addSemester({2020, QStringLiteral("X"), QStringLiteral("Y")}, 77));
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM ClassInfo")), 3);
    }

    void deletingASemesterKeepsItsTables()
    {
        const auto group = m_store->importGroup({2012, QStringLiteral("1班"), QStringLiteral("上")},
                                                {QStringLiteral("甲")}, std::nullopt);
        const auto next = m_store->addSemester({2012, QStringLiteral("1班"), QStringLiteral("下")}, group.groupId);
        m_store->deleteSemester(next.classId);
        m_store->deleteSemester(group.groupId);
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM ClassInfo")), 0);
        for (const QString &table : {QStringLiteral("小组表1"), QStringLiteral("课堂成绩表1"), QStringLiteral("课堂成绩表2")})
            QVERIFY2(m_db->hasTable(table), qPrintable(table));
        QCOMPARE(m_store->students(group.groupId).size(), 1);

        // The same group again gets new numbers; the old tables stay as they were.
        const auto again = m_store->importGroup({2012, QStringLiteral("1班"), QStringLiteral("上")},
                                                {QStringLiteral("乙")}, std::nullopt);
        QCOMPARE(again.groupId, next.classId + 1);
        QCOMPARE(m_store->student(group.groupId, 1)->name, std::optional<QString>(QStringLiteral("甲")));
    }

    void aFailureMidwayLeavesNothing()
    {
        m_db->exec(QStringLiteral("CREATE TABLE 课堂成绩表1(x INTEGER)"));
        try {
            m_store->importGroup({2012, QStringLiteral("1班"), QStringLiteral("上")}, {QStringLiteral("甲")},
                                 std::nullopt);
            QFAIL("the import should fail");
        } catch (const DbError &error) {
            QVERIFY2(error.message().contains(QStringLiteral("already exists")), qPrintable(error.message()));
        }
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM ClassInfo")), 0);
        QVERIFY(!m_db->hasTable(QStringLiteral("小组表1")));

        // A name over 20 characters fails on its line: nothing of the group remains.
        m_db->exec(QStringLiteral("DROP TABLE 课堂成绩表1"));
        QCOMPARE(TestSupport::failureOf([&] {
                     m_store->importGroup({2012, QStringLiteral("1班"), QStringLiteral("上")},
                                          {QStringLiteral("甲"), QString(21, u'长')}, std::nullopt);
                 }),
                 QStringLiteral("名单第2行：姓名最多20个字，本次操作没有改动任何数据。请改短后再试。\n"
                                "CHECK constraint failed: length(姓名) <= 20"));
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM ClassInfo")), 0);
        QVERIFY(!m_db->hasTable(QStringLiteral("小组表1")));
        QVERIFY(!m_db->hasTable(QStringLiteral("课堂成绩表1")));

        // The line named is the file's own, blank lines counted, though they make no student.
        const RosterFile roster = RosterFile::parse(
            (QStringLiteral("\r\n甲\r\n\r\n") + QString(21, u'长') + QStringLiteral("\r\n")).toUtf8());
        QCOMPARE(roster.lines, (QList<int>{2, 4}));
        QVERIFY(TestSupport::failureOf([&] {
                    m_store->importGroup({2012, QStringLiteral("1班"), QStringLiteral("上")}, roster.names,
                                         roster.gender(), roster.lines);
                }).startsWith(QStringLiteral("名单第4行：姓名最多20个字")));
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM ClassInfo")), 0);
    }

    void addingAStudent()
    {
        using Outcome = StudentChange::Outcome;
        const auto group = m_store->importGroup({2012, QStringLiteral("1班"), QStringLiteral("上")},
                                                {QStringLiteral("甲")}, std::nullopt);
        const auto next = m_store->addSemester({2012, QStringLiteral("1班"), QStringLiteral("下")}, group.groupId);
        // A row of that number in a score table already: it stays as it is.
        m_db->exec(QStringLiteral("INSERT INTO 课堂成绩表%1(学号,姓名,优秀) VALUES(5,'旧',7)").arg(next.classId));
        StudentRecord student = named(5, QStringLiteral("戊"));
        student.gender = QStringLiteral("女");
        student.photo = QByteArray("\x89PNG\0data", 9);
        const StudentChange added = m_store->AddStudentRecord(group.groupId, student);
        QCOMPARE(added.outcome, Outcome::Done);
        QCOMPARE(added.number, 5);
        QCOMPARE(m_store->student(group.groupId, 5)->photo, student.photo);
        // The list reads no photo.
        QVERIFY(m_store->students(group.groupId).last().photo.isNull());
        QCOMPARE(rows(QStringLiteral("SELECT 学号,姓名,优秀,良,一般,旷课,主动加分 FROM 课堂成绩表1 WHERE 学号=5")),
                 QStringList{QStringLiteral("5|戊|0|0|0|0|0")});
        QCOMPARE(m_store->score(next.classId, 5)->excellent, std::optional<int>(7));

        // A number taken: nothing written.
        const QStringList before = everything();
        QCOMPARE(m_store->AddStudentRecord(group.groupId, named(5, QStringLiteral("庚"))).outcome, Outcome::NumberTaken);
        // A name too long for the first semester's table: nothing written anywhere, and why.
        const StudentChange tooLong = m_store->AddStudentRecord(group.groupId, named(6, QString(21, u'长')));
        QCOMPARE(tooLong.outcome, Outcome::Failed);
        QCOMPARE(tooLong.error, QStringLiteral("姓名最多20个字，本次操作没有改动任何数据。请改短后再试。\nCHECK constraint failed: length(姓名) <= 20"));
        QCOMPARE(everything(), before);

        // A group without any semester: the roster row only.
        const auto bare = m_store->importGroup({2013, QStringLiteral("2班"), QStringLiteral("上")}, {}, std::nullopt);
        m_store->deleteSemester(bare.groupId);
        QCOMPARE(m_store->AddStudentRecord(bare.groupId, named(1, QStringLiteral("辛"))).outcome, Outcome::Done);
        QVERIFY(m_store->hasStudent(bare.groupId, 1));
        QVERIFY(!m_store->hasScoreRow(bare.groupId, 1));

        m_store->updateCounts(next.classId, 5, 3, 2, 1, 4);
        const ScoreRecord counts = *m_store->score(next.classId, 5);
        QCOMPARE((QList<int>{*counts.excellent, *counts.good, *counts.fair, *counts.absent}), (QList<int>{3, 2, 1, 4}));
    }

    void editingAndDeletingAStudent()
    {
        using Outcome = StudentChange::Outcome;
        const auto group = m_store->importGroup({2012, QStringLiteral("1班"), QStringLiteral("上")},
                                                {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")},
                                                QStringLiteral("男"));
        const auto next = m_store->addSemester({2012, QStringLiteral("1班"), QStringLiteral("下")}, group.groupId);
        StudentRecord edited = *m_store->student(group.groupId, 2);
        edited.address = QStringLiteral("北京");
        QCOMPARE(m_store->SaveStudentEdit(group.groupId, 2, edited, QByteArray("photo"), false).outcome, Outcome::Done);

        // A new name reaches every score table; without a new photo the stored one stays.
        edited.name = QStringLiteral("乙乙");
        edited.gender = QStringLiteral("女");
        StudentChange change = m_store->SaveStudentEdit(group.groupId, 2, edited, std::nullopt, false);
        QCOMPARE(change.outcome, Outcome::Done);
        QCOMPARE(change.number, 2);
        QVERIFY(change.semestersWithoutRow.isEmpty());
        const StudentRecord saved = *m_store->student(group.groupId, 2);
        QCOMPARE(saved.photo, QByteArray("photo"));
        QCOMPARE(saved.gender, std::optional<QString>(QStringLiteral("女")));
        QCOMPARE(saved.address, std::optional<QString>(QStringLiteral("北京")));
        QCOMPARE(rowsEverywhere(group.groupId),
                 QList<QStringList>(3, {QStringLiteral("1|甲"), QStringLiteral("2|乙乙"), QStringLiteral("3|丙")}));

        // A score table without the student's row is named; the others take the name.
        m_db->exec(QStringLiteral("DELETE FROM 课堂成绩表%1 WHERE 学号=3").arg(next.classId));
        edited = *m_store->student(group.groupId, 3);
        edited.name = QStringLiteral("丙丙");
        change = m_store->SaveStudentEdit(group.groupId, 3, edited, std::nullopt, false);
        QCOMPARE(change.semestersWithoutRow, QList<int>{next.classId});
        QCOMPARE(m_store->score(group.groupId, 3)->name, std::optional<QString>(QStringLiteral("丙丙")));

        // A new number refused: the rest of the edit is written all the same.
        edited.number = 1;
        edited.contact = QStringLiteral("电话");
        change = m_store->SaveStudentEdit(group.groupId, 3, edited, std::nullopt, true);
        QCOMPARE(change.outcome, Outcome::NumberTaken);
        QCOMPARE(change.number, 3);
        QCOMPARE(m_store->student(group.groupId, 3)->contact, std::optional<QString>(QStringLiteral("电话")));
        edited.number = StudentRenumbering::kHighestNumber;
        QCOMPARE(m_store->SaveStudentEdit(group.groupId, 2, edited, std::nullopt, true).outcome, Outcome::BeyondRange);

        // Gone from the roster meanwhile: nothing written.
        const QStringList before = everything();
        QCOMPARE(m_store->SaveStudentEdit(group.groupId, 9, edited, QByteArray("x"), true).outcome, Outcome::NotFound);
        QCOMPARE(everything(), before);

        QCOMPARE(m_store->DeleteStudentRecord(group.groupId, 1).outcome, Outcome::Done);
        QVERIFY(!m_store->hasStudent(group.groupId, 1));
        QVERIFY(!m_store->hasScoreRow(group.groupId, 1));
        QVERIFY(!m_store->hasScoreRow(next.classId, 1));
        QVERIFY(m_store->hasScoreRow(next.classId, 0));
    }

    void everyStudentHasOneRowInEachScoreTable()
    {
        using Outcome = StudentChange::Outcome;
        QStringList names;
        for (int n = 1; n <= 8; ++n)
            names << QStringLiteral("生%1").arg(n);
        const int group = m_store->importGroup({2012, QStringLiteral("1班"), QStringLiteral("一")}, names, QStringLiteral("男")).groupId;
        m_store->addSemester({2012, QStringLiteral("1班"), QStringLiteral("二")}, group);
        // Another group's tables are never touched.
        const int other = m_store->importGroup({2012, QStringLiteral("2班"), QStringLiteral("一")}, names, std::nullopt).groupId;
        const QList<QStringList> otherRows = rowsEverywhere(other);
        QVERIFY(rowsAgree(group));

        auto edit = [&](int from, int to, const QString &name) {
            StudentRecord student = *m_store->student(group, from);
            student.number = to;
            student.name = name;
            return m_store->SaveStudentEdit(group, from, student, std::nullopt, true).outcome;
        };
        QCOMPARE(m_store->AddStudentRecord(group, named(12, QStringLiteral("新"))).outcome, Outcome::Done);
        const int third = m_store->addSemester({2012, QStringLiteral("1班"), QStringLiteral("三")}, group).classId;
        QVERIFY(rowsAgree(group));
        QCOMPARE(m_store->DeleteStudentRecord(group, 4).outcome, Outcome::Done);
        QCOMPARE(edit(3, 6, QStringLiteral("三改")), Outcome::Done); // everybody above follows: 5→7 … 12→11
        QVERIFY(rowsAgree(group));
        QCOMPARE(m_store->studentNumbers(group), (QList<int>{1, 2, 6, 7, 8, 9, 10, 11}));
        QCOMPARE(edit(6, 3, QStringLiteral("三")), Outcome::Done); // back down into the gap
        QCOMPARE(m_store->studentNumbers(group), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));
        QCOMPARE(edit(8, 5, QStringLiteral("八")), Outcome::NumberTaken);
        QCOMPARE(m_store->AddStudentRecord(group, named(20, QStringLiteral("廿"))).outcome, Outcome::Done);
        QCOMPARE(edit(20, 10, QStringLiteral("十")), Outcome::Done); // nobody from 10 to 19
        QCOMPARE(edit(2, 1, QStringLiteral("二")), Outcome::NumberTaken);
        QCOMPARE(edit(1, 2, QStringLiteral("一")), Outcome::Done); // up onto a held number
        QVERIFY(rowsAgree(group));
        QCOMPARE(rowsEverywhere(group).first().first(), QStringLiteral("2|一"));
        QCOMPARE(rowsEverywhere(other), otherRows);

        // A failure in the last score table: each operation leaves nothing changed anywhere.
        const QStringList before = everything();
        const QList<std::pair<QString, std::function<StudentChange()>>> operations{
            {QStringLiteral("INSERT"), [&] { return m_store->AddStudentRecord(group, named(30, QStringLiteral("卅"))); }},
            {QStringLiteral("DELETE"), [&] { return m_store->DeleteStudentRecord(group, 3); }},
            {QStringLiteral("UPDATE"), [&] {
                 return m_store->SaveStudentEdit(group, 3, named(4, QStringLiteral("改")), QByteArray("x"), true);
             }},
        };
        for (const auto &[event, operation] : operations) {
            m_db->exec(QStringLiteral("CREATE TRIGGER injected BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT,'injected'); END")
                           .arg(event, StudentStore::scoreTable(third)));
            const StudentChange change = operation();
            QCOMPARE(change.outcome, Outcome::Failed);
            QVERIFY2(change.error.contains(QStringLiteral("injected")), qPrintable(change.error));
            m_db->exec(QStringLiteral("DROP TRIGGER injected"));
            QCOMPARE(everything(), before);
        }
    }

    void groupListAndClicks()
    {
        QCOMPARE(GroupSelection::list(m_store->semesters(), 0, 0).selectedRow, -1);

        const QStringList five = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        const auto boys = m_store->importGroup({2013, QStringLiteral("B"), QStringLiteral("上")}, five,
                                               QStringLiteral("男"));
        const auto other = m_store->importGroup({2012, QStringLiteral("A"), QStringLiteral("上")}, {}, std::nullopt);
        m_store->AddStudentRecord(boys.groupId, {4, QStringLiteral("d"), std::nullopt, {}, {}, {}, {}});
        m_store->AddStudentRecord(boys.groupId, {5, QStringLiteral("e"), QStringLiteral("女"), {}, {}, {}, {}});
        const auto second = m_store->addSemester({2013, QStringLiteral("B"), QStringLiteral("下")}, boys.groupId);
        m_db->exec(QStringLiteral("INSERT INTO ClassInfo(点名,入学年,小组) VALUES(65536,2011,'no semester')"));
        m_store->setTick(other.groupId, true);

        // Ordered by year, group and ID; the row without a semester is left out; with no
        // current semester the last row becomes current.
        GroupSelection::Listing listing = GroupSelection::list(m_store->semesters(), 0, 0);
        QCOMPARE(listing.rows.size(), 3);
        QCOMPARE(listing.rows.first().group, QStringLiteral("A"));
        QVERIFY(listing.rows.first().ticked);
        QCOMPARE(listing.rows.last().semester, QStringLiteral("下"));
        QCOMPARE(listing.selectedRow, 2);
        QCOMPARE(listing.classId, second.classId);
        QCOMPARE(listing.groupId, boys.groupId);
        listing = GroupSelection::list(m_store->semesters(), other.groupId, other.groupId);
        QCOMPARE(listing.selectedRow, 0);
        QCOMPARE(listing.classId, other.groupId);

        // Another semester of the same group.
        GroupSelection::Click click = GroupSelection::click(
            *m_store, {true, QStringLiteral("2013"), QStringLiteral("B"), QStringLiteral("上"), boys.groupId},
            boys.groupId, second.classId);
        QCOMPARE(click.classId, boys.groupId);
        QCOMPARE(click.groupId, boys.groupId);
        QCOMPARE(*click.info, QStringLiteral("本班共有：5个学生\r\n其中男生：3 \r\n        女生：2 \r\n"));
        QVERIFY(m_store->semester(boys.groupId)->ticked);
        // Another group.
        const GroupSelection::Row rowA{false, QStringLiteral("2012"), QStringLiteral("A"), QStringLiteral("上"),
                                       other.groupId};
        click = GroupSelection::click(*m_store, rowA, boys.groupId, boys.groupId);
        QCOMPARE(click.groupId, other.groupId);
        QVERIFY(!m_store->semester(other.groupId)->ticked);
        QVERIFY(click.error.isEmpty());

        // A file that cannot be written (a read-only program folder): a click that changes no
        // tick writes nothing, so it is not refused and the head count is shown; a tick changed
        // is refused with the database's words.
        m_db->exec(QStringLiteral("CREATE TRIGGER refused BEFORE UPDATE ON ClassInfo "
                                  "BEGIN SELECT RAISE(ABORT,'refused'); END"));
        click = GroupSelection::click(*m_store, rowA, boys.groupId, boys.groupId);
        QCOMPARE(click.error, QString());
        QCOMPARE(*click.info, QStringLiteral("本班共有：0个学生\r\n其中男生：0 \r\n        女生：0 \r\n"));
        GroupSelection::Row toggled = rowA;
        toggled.ticked = true;
        click = GroupSelection::click(*m_store, toggled, boys.groupId, boys.groupId);
        QVERIFY2(click.error.contains(QStringLiteral("refused")), qPrintable(click.error));
        QCOMPARE(click.storedTick, std::optional<bool>(false));
        QVERIFY(!m_store->semester(other.groupId)->ticked);
        m_db->exec(QStringLiteral("DROP TRIGGER refused"));

        // The check-all box stores every row's tick together.
        m_store->setTicks({{other.groupId, true}, {second.classId, true}});
        QCOMPARE(rows(QStringLiteral("SELECT 点名 FROM ClassInfo ORDER BY ID")),
                 (QStringList{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("65536")}));
    }

    void anOlderDatabaseIsUpgraded()
    {
        // Student.db as the program wrote it before names were compared without case, with
        // its last semester deleted (its score table kept) so that the highest ID is gone.
        const QString path = m_dir->filePath(QStringLiteral("old.db"));
        {
            Database old(QStringLiteral("old"));
            old.open(path);
            old.exec(QStringLiteral("CREATE TABLE ClassInfo(ID INTEGER PRIMARY KEY AUTOINCREMENT,点名 INTEGER,"
                                    "入学年 INTEGER,小组 TEXT CHECK(length(小组) <= 255),"
                                    "学期 TEXT CHECK(length(学期) <= 255),小组ID INTEGER)"));
            old.exec(QStringLiteral("PRAGMA user_version = 1"));
            old.exec(QStringLiteral("INSERT INTO ClassInfo VALUES(1,1,2012,'A班','Autumn',1),(2,0,2012,'A班','Spring',1),"
                                    "(3,0,2013,'b班','上',3)"));
            old.exec(QStringLiteral("DELETE FROM ClassInfo WHERE ID=3"));
        }
        Database db(QStringLiteral("upgraded"));
        db.open(path);
        StudentStore store(db);
        store.ensureSchema();
        QCOMPARE(store.schemaVersion(), 2);
        QCOMPARE(store.semesters().size(), 2);
        QVERIFY(store.semester(1)->ticked);
        QCOMPARE(store.semester(2)->semester, std::optional<QString>(QStringLiteral("Spring")));
        QCOMPARE(store.groupCount(2012, QStringLiteral("a班")), 2);
        QCOMPARE(store.semesterCount({2012, QStringLiteral("A班"), QStringLiteral("spring")}), 1);
        // The deleted semester's number is not given again.
        QCOMPARE(store.importGroup({2013, QStringLiteral("B班"), QStringLiteral("上")}, {}, std::nullopt).groupId, 4);
        // Opening again changes nothing.
        store.ensureSchema();
        QCOMPARE(store.semesters().size(), 3);
    }

    void namesMatchWithoutLetterCase()
    {
        QCOMPARE(m_store->schemaVersion(), StudentStore::kSchemaVersion);
        const auto group = m_store->importGroup({2012, QStringLiteral("A班"), QStringLiteral("Autumn")}, {}, std::nullopt);
        QCOMPARE(m_store->importGroup({2012, QStringLiteral("a班"), QStringLiteral("x")}, {}, std::nullopt).outcome,
                 StudentStore::Outcome::Duplicate);
        QCOMPARE(m_store->addSemester({2012, QStringLiteral("a班"), QStringLiteral("AUTUMN")}, group.groupId).outcome,
                 StudentStore::Outcome::Duplicate);
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM ClassInfo")), 1);
    }

    void namesHoldNoNul()
    {
        const QString withNul = QStringLiteral("甲") + QChar(u'\0') + QStringLiteral("乙");
        const auto group = m_store->importGroup({2012, QStringLiteral("1班"), QStringLiteral("上")}, {withNul},
                                                std::nullopt);
        QCOMPARE(m_store->student(group.groupId, 1)->name, std::optional<QString>(QStringLiteral("甲乙")));
        QCOMPARE(scalar(QStringLiteral("SELECT length(姓名) FROM 小组表1 WHERE 学号=1")), 2);
        // Twenty characters, a NUL and five more: the limit sees all twenty-five.
        StudentRecord student;
        student.number = 2;
        student.name = QString(20, u'长') + QChar(u'\0') + QString(5, u'长');
        QCOMPARE(m_store->AddStudentRecord(group.groupId, student).outcome, StudentChange::Outcome::Failed);
        // A NUL written by another program is not read.
        QSqlQuery raw(m_db->handle());
        raw.prepare(QStringLiteral("INSERT INTO 小组表1(学号,姓名) VALUES(3,?)"));
        raw.addBindValue(withNul);
        QVERIFY(raw.exec());
        QCOMPARE(m_store->students(group.groupId).last().name, std::optional<QString>(QStringLiteral("甲乙")));
        // A lone surrogate becomes U+FFFD and the character after it stays.
        student.number = 4;
        student.name = QChar(0xD800) + QStringLiteral("孤");
        m_store->AddStudentRecord(group.groupId, student);
        QCOMPARE(m_store->student(group.groupId, 4)->name, std::optional<QString>(QStringLiteral("\uFFFD孤")));
    }

    void renumberingMovesEachRowOnce()
    {
        const int group = m_store->importGroup({2012, QStringLiteral("1班"), QStringLiteral("上")},
                                               {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"),
                                                QStringLiteral("丁")},
                                               std::nullopt)
                              .groupId;
        m_db->exec(QStringLiteral("DELETE FROM 小组表1 WHERE 学号=3"));
        m_db->exec(QStringLiteral("DELETE FROM 课堂成绩表1 WHERE 学号=3"));
        // A row no roster student has: it keeps its number.
        m_db->exec(QStringLiteral("INSERT INTO 课堂成绩表1(学号,姓名) VALUES(9,'旧')"));
        m_db->exec(QStringLiteral("CREATE TEMP TABLE moved(tab TEXT, old INTEGER, new INTEGER)"));
        for (const QString &table : {QStringLiteral("小组表1"), QStringLiteral("课堂成绩表1")})
            m_db->exec(QStringLiteral("CREATE TEMP TRIGGER moved_%1 AFTER UPDATE OF 学号 ON main.%2 BEGIN "
                                      "INSERT INTO moved VALUES('%2',old.学号,new.学号); END")
                           .arg(table == QStringLiteral("小组表1") ? 1 : 2)
                           .arg(table));
        // 1, 2, 4: 2 → 5, so 4 → 6: the higher one moves first, each once.
        StudentRecord edited = *m_store->student(group, 2);
        edited.number = 5;
        QCOMPARE(m_store->SaveStudentEdit(group, 2, edited, std::nullopt, true).outcome, StudentChange::Outcome::Done);
        QCOMPARE(rows(QStringLiteral("SELECT tab,old,new FROM moved ORDER BY rowid")),
                 (QStringList{QStringLiteral("小组表1|4|6"), QStringLiteral("小组表1|2|5"),
                              QStringLiteral("课堂成绩表1|4|6"), QStringLiteral("课堂成绩表1|2|5")}));
        QCOMPARE(rows(QStringLiteral("SELECT 学号,姓名 FROM 课堂成绩表1 ORDER BY 学号")),
                 (QStringList{QStringLiteral("0|0"), QStringLiteral("1|甲"), QStringLiteral("5|乙"),
                              QStringLiteral("6|丁"), QStringLiteral("9|旧")}));

        // Back down: 5 → 2, so 6 → 3, the lower one first.
        m_db->exec(QStringLiteral("DELETE FROM moved"));
        edited.number = 2;
        QCOMPARE(m_store->SaveStudentEdit(group, 5, edited, std::nullopt, true).outcome, StudentChange::Outcome::Done);
        QCOMPARE(rows(QStringLiteral("SELECT old,new FROM moved WHERE tab='小组表1' ORDER BY rowid")),
                 (QStringList{QStringLiteral("5|2"), QStringLiteral("6|3")}));

        // A move onto that stray row's number fails, and every table is as it was.
        m_db->exec(QStringLiteral("DROP TRIGGER moved_1"));
        m_db->exec(QStringLiteral("DROP TRIGGER moved_2"));
        const QStringList before = everything();
        edited.number = 8;
        const StudentChange failed = m_store->SaveStudentEdit(group, 2, edited, std::nullopt, true);
        QCOMPARE(failed.outcome, StudentChange::Outcome::Failed);
        QVERIFY2(failed.error.contains(QStringLiteral("UNIQUE")), qPrintable(failed.error));
        QCOMPARE(everything(), before);
    }

    void aHeldNewerHeadlessOrDamagedFileIsNeverWritten()
    {
        using TestSupport::failureOf;
        TempProgramFolder folder;
        const QString path = folder.file(QStringLiteral("Student.db"));
        DatabaseConnection published;
        QVERIFY(StudentDatabase::open(published).failure.isEmpty());
        published.reset();

        // Held by another program: the opening waits the bounded time, says so, and the
        // window's pages then fail at once with the same text.
        {
            const TestSupport::HeldFile holder(path);
            const StudentDatabase::Opening held = StudentDatabase::open(published);
            QCOMPARE(held.failure, TestSupport::HeldFile::message(QStringLiteral("Student.db")));
            QCOMPARE(holder.waitedMs(), BusyWait::kLimitMs);
            QVERIFY(!published);
            QCOMPARE(failureOf([&] { StudentStore(*held.connection).semesters(); }), held.failure);
            QCOMPARE(holder.waitedMs(), BusyWait::kLimitMs);
        }

        // Made by a newer version: refused, and an import tried on the window's connection
        // writes nothing either.
        {
            Database newer(QStringLiteral("newer"));
            newer.open(path);
            newer.exec(QStringLiteral("PRAGMA user_version = 99"));
        }
        QByteArray bytes = folder.readFile(QStringLiteral("Student.db"));
        const StudentDatabase::Opening newer = StudentDatabase::open(published);
        QCOMPARE(newer.failure, QStringLiteral("Student.db 是更新版本的本程序建立的（数据库版本 99，本程序只认识到版本 2），"
                                               "为免损坏其中的数据，没有打开它，也没有作任何改动。请用新版本的程序打开。"));
        QVERIFY(!published);
        QVERIFY(!failureOf([&] {
                     StudentStore(*newer.connection)
                         .importGroup({2012, QStringLiteral("1班"), QStringLiteral("上")}, {QStringLiteral("甲")},
                                      std::nullopt);
                 }).isEmpty());
        QCOMPARE(folder.readFile(QStringLiteral("Student.db")), bytes);
        // No version of the program writes a negative one (the header's bytes 60 to 63).
        folder.writeFile(QStringLiteral("Student.db"), bytes.replace(60, 4, "\xff\xff\xff\xff"));
        QCOMPARE(StudentDatabase::open(published).failure,
                 QStringLiteral("Student.db 的数据库版本 -1 无效，它不是本程序建立的，没有作任何改动。"));
        QCOMPARE(folder.readFile(QStringLiteral("Student.db")), bytes);

        // The groups' tables without ClassInfo: no empty ClassInfo hides them.
        QVERIFY(QFile::remove(path));
        {
            Database headless(QStringLiteral("headless"));
            headless.open(path);
            headless.exec(QStringLiteral("CREATE TABLE 小组表1(学号 INTEGER PRIMARY KEY,姓名 TEXT)"));
            headless.exec(QStringLiteral("CREATE TABLE 课堂成绩表1(学号 INTEGER PRIMARY KEY,姓名 TEXT)"));
            headless.exec(QStringLiteral("INSERT INTO 小组表1 VALUES(1,'甲')"));
        }
        bytes = folder.readFile(QStringLiteral("Student.db"));
        QCOMPARE(StudentDatabase::open(published).failure,
                 QStringLiteral("Student.db 缺少主表 ClassInfo，但还有本程序的其他表。为免其中的数据被隐藏，没有新建 "
                                "ClassInfo，也没有作任何改动。\n文件：%1")
                     .arg(QDir::toNativeSeparators(path)));
        QVERIFY(!published);
        QCOMPARE(folder.readFile(QStringLiteral("Student.db")), bytes);

        // An older file whose copy stopped short: its upgrade would fail half-way, and rolling
        // it back would still pad the file out to whole pages. It is found damaged first.
        QVERIFY(QFile::remove(path));
        {
            Database old(QStringLiteral("old"));
            old.open(path);
            old.exec(QStringLiteral("PRAGMA page_size = 512"));
            old.exec(QStringLiteral("CREATE TABLE ClassInfo(ID INTEGER PRIMARY KEY AUTOINCREMENT,点名 INTEGER,"
                                    "入学年 INTEGER,小组 TEXT,学期 TEXT,小组ID INTEGER)"));
            old.exec(QStringLiteral("PRAGMA user_version = 1"));
            Transaction rows(old);
            for (int id = 1; id <= 200; ++id)
                old.exec(QStringLiteral("INSERT INTO ClassInfo VALUES(?,0,2012,?,'上',?)"),
                         {id, QStringLiteral("%1班").arg(id), id});
            rows.commit();
        }
        bytes = folder.readFile(QStringLiteral("Student.db"));
        // A cache of one page, so that the upgrade writes to the file while it runs.
        bytes.replace(48, 4, QByteArray("\0\0\0\1", 4));
        bytes.chop(100);
        folder.writeFile(QStringLiteral("Student.db"), bytes);
        const QString damaged = StudentDatabase::open(published).failure;
        QVERIFY2(damaged.startsWith(QStringLiteral("Student.db 已损坏或不是数据库文件，本次操作没有改动任何数据。请关闭程序，用备份的 Student.db 替换它。\n")),
                 qPrintable(damaged));
        QVERIFY(!published);
        QCOMPARE(folder.readFile(QStringLiteral("Student.db")), bytes);
    }

    void aDamagedPageIsReportedNeverReadAsAShorterList()
    {
        constexpr int kStudents = 5000;
        constexpr int kPageSize = 4096;
        TempProgramFolder folder;
        int group = 0;
        {
            DatabaseConnection published;
            QVERIFY(StudentDatabase::open(published).failure.isEmpty());
            QStringList names;
            for (int n = 1; n <= kStudents; ++n)
                names << QStringLiteral("学生%1").arg(n);
            group = StudentStore(*published)
                        .importGroup({2020, QStringLiteral("1班"), QStringLiteral("上")}, names, QStringLiteral("男"))
                        .groupId;
        }
        const QByteArray whole = folder.readFile(QStringLiteral("Student.db"));
        QCOMPARE(whole.size() % kPageSize, 0);

        // Each page zeroed in turn: every list a window reads is either reported, with the
        // damaged-file sentence before SQLite's text, or read whole.
        const QString damaged = QStringLiteral("Student.db 已损坏或不是数据库文件，本次操作没有改动任何数据。");
        int reported = 0;
        for (qsizetype page = 0; page < whole.size() / kPageSize; ++page) {
            QByteArray bytes = whole;
            bytes.replace(page * kPageSize, kPageSize, QByteArray(kPageSize, '\0'));
            folder.writeFile(QStringLiteral("Student.db"), bytes);
            DatabaseConnection published;
            const StudentDatabase::Opening opening = StudentDatabase::open(published);
            QStringList failures{opening.failure};
            if (opening.failure.isEmpty()) {
                const StudentStore store(*published);
                // Each list on its own, as the pages read them: one read that fails must not
                // hide another that comes back short.
                const std::initializer_list<std::function<void()>> reads = {
                    [&] { QCOMPARE(store.semesters().size(), 1); },
                    [&] { QCOMPARE(store.students(group).size(), kStudents); },
                    [&] { QCOMPARE(store.listedStudents(group).size(), kStudents); },
                    [&] { QCOMPARE(store.scores(group).size(), kStudents + 1); },
                    [&] { QCOMPARE(store.headCount(group).students, kStudents); },
                };
                for (const std::function<void()> &read : reads) {
                    failures << TestSupport::failureOf(read);
                    if (QTest::currentTestFailed())
                        QFAIL(qPrintable(QStringLiteral("page %1 was read as a shorter list").arg(page)));
                }
            }
            failures.removeAll(QString());
            for (const QString &failure : std::as_const(failures))
                QVERIFY2(failure.startsWith(damaged), qPrintable(QStringLiteral("page %1: %2").arg(page).arg(failure)));
            if (!failures.isEmpty())
                ++reported;
        }
        // The roster and the scores fill most of the file's pages.
        QVERIFY2(reported > whole.size() / kPageSize / 2, qPrintable(QString::number(reported)));
    }

    void idsPastTheLargestTableNumberAreRefused()
    {
        // Another program gave a semester the largest number a table name of this program
        // carries (as the files of earlier versions, 32 bits).
        m_db->exec(QStringLiteral("INSERT INTO ClassInfo(ID,点名,入学年,小组,学期,小组ID) "
                                  "VALUES(2147483647,0,2019,'旧','上',2147483647)"));
        const QStringList before = everything();
        const QString full = QStringLiteral("Student.db 的学期编号已经用到最大的 2147483647，不能再导入小组或增加学期，"
                                            "本次操作没有改动任何数据。要继续使用，请把 Student.db 移到别处保存，"
                                            "让程序新建一个。");
        QCOMPARE(TestSupport::failureOf([&] {
                     m_store->importGroup({2020, QStringLiteral("1班"), QStringLiteral("上")}, {QStringLiteral("甲")},
                                          std::nullopt);
                 }),
                 full);
        QCOMPARE(TestSupport::failureOf([&] {
                     m_store->addSemester({2019, QStringLiteral("旧"), QStringLiteral("下")}, 2147483647);
                 }),
                 full);
        QCOMPARE(everything(), before);

        // Rows numbered past it (or below 1) name no table of this program: they are not listed.
        m_db->exec(QStringLiteral("INSERT INTO ClassInfo(ID,点名,入学年,小组,学期,小组ID) "
                                  "VALUES(3000000000,0,2019,'旧','下',2147483647),(-5,0,2019,'负','上',-5)"));
        QList<qint64> listed;
        for (const SemesterRecord &semester : m_store->semesters()) {
            if (semester.listed())
                listed << semester.id;
        }
        QCOMPARE(listed, QList<qint64>{2147483647});
        QCOMPARE(m_store->semesterIdsOfGroup(2147483647), QList<int>{2147483647});
    }

    void readOnlyFilesAndFoldersAreNamedAsTheyAre()
    {
        TempProgramFolder folder;
        const QString path = folder.file(QStringLiteral("Student.db"));
        {
            DatabaseConnection published;
            QVERIFY(StudentDatabase::open(published).failure.isEmpty());
        }
        const auto importAsOrdinaryUser = [] {
            return OrdinaryUser::run([] {
                DatabaseConnection published;
                const StudentDatabase::Opening opening = StudentDatabase::open(published);
                if (!opening.failure.isEmpty())
                    return opening.failure;
                return TestSupport::failureOf([&] {
                    StudentStore(*published).importGroup({2020, QStringLiteral("1班"), QStringLiteral("上")},
                                                         {QStringLiteral("甲")}, std::nullopt);
                });
            });
        };
        const auto readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        const auto folderMode = readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
        QVERIFY(OrdinaryUser::give(folder.path()) && OrdinaryUser::give(path));

        // A folder that cannot be written, with a file that can: SQLite cannot make its journal
        // beside the file, and the message names the folder.
        QVERIFY(QFile::setPermissions(folder.path(), folderMode));
        const std::optional<QString> inReadOnlyFolder = importAsOrdinaryUser();
        QVERIFY(QFile::setPermissions(folder.path(), folderMode | QFile::WriteOwner));
        if (!inReadOnlyFolder)
            QSKIP("no ordinary user can run the work here: permission bits do not stop root");
        QCOMPARE(*inReadOnlyFolder, QStringLiteral("程序文件夹 %1 不能写入，Student.db 的改动存不进去，本次操作没有改动任何数据。"
                                                   "请让这个文件夹可以写入后再试。\nattempt to write a readonly database")
                                        .arg(QDir::toNativeSeparators(folder.path())));

        // A read-only file in a folder that can be written.
        QVERIFY(QFile::setPermissions(path, readable));
        QCOMPARE(importAsOrdinaryUser(),
                 std::optional<QString>(QStringLiteral("Student.db 是只读文件，本次操作没有改动任何数据。"
                                                       "请去掉它的只读属性后再试。\nattempt to write a readonly database")));
        QVERIFY(QFile::setPermissions(path, readable | QFile::WriteOwner));
    }

    void openingTheDatabase()
    {
        TempProgramFolder folder;
        DatabaseConnection published;
        // A missing file is made new, and the teacher is told.
        const StudentDatabase::Opening first = StudentDatabase::open(published);
        QVERIFY(first.failure.isEmpty());
        QCOMPARE(first.notice, QStringLiteral("没有找到 Student.db，现在新建一个空的 Student.db。\n文件：%1")
                                   .arg(QDir::toNativeSeparators(folder.file(QStringLiteral("Student.db")))));
        QCOMPARE(published, first.connection);
        QCOMPARE(first.connection->filePath(), folder.file(QStringLiteral("Student.db")));
        QVERIFY(first.connection->hasTable(QStringLiteral("ClassInfo")));

        // Later windows take over the published connection while its file is in place; once
        // the file is gone, the next opening takes up what is on disk.
        QCOMPARE(StudentDatabase::open(published).connection, first.connection);
        QFile::remove(folder.file(QStringLiteral("Student.db")));
        const StudentDatabase::Opening again = StudentDatabase::open(published);
        QVERIFY(again.connection != first.connection);
        QCOMPARE(again.notice, first.notice);
        QCOMPARE(published, again.connection);
        published.reset();

        // A folder that cannot hold the database: the failure names our file; nothing is
        // published and the statements of the pages fail with the same text.
        ProgramFolder::setExecutableFolder(folder.file(QStringLiteral("missing/folder")));
        const StudentDatabase::Opening failed = StudentDatabase::open(published);
        QCOMPARE(failed.failure, QStringLiteral("Student.db 路径可能不正确 或已经打开 或 unable to open database file"));
        QVERIFY(!published);
        QVERIFY(failed.connection);
        QCOMPARE(TestSupport::failureOf([&] { StudentStore(*failed.connection).semesters(); }), failed.failure);

        // A file that is no database says it is damaged.
        ProgramFolder::setExecutableFolder(folder.path());
        folder.writeFile(QStringLiteral("Student.db"), QByteArray(4096, 'x'));
        QCOMPARE(StudentDatabase::open(published).failure,
                 QStringLiteral("Student.db 已损坏或不是数据库文件，本次操作没有改动任何数据。请关闭程序，用备份的 Student.db 替换它。\nfile is not a database"));
        QVERIFY(!published);

        // A set-up that fails (the disk full) removes the file it made: no empty file is left
        // to be taken for a database at the next start.
        QFile::remove(folder.file(QStringLiteral("Student.db")));
        {
            FileSizeLimit full(0);
            QVERIFY(full.active());
            const StudentDatabase::Opening setUp = StudentDatabase::open(published);
            // A file past the size limit fails its write as EFBIG, which SQLite reports as an I/O error.
            QCOMPARE(setUp.failure, QStringLiteral("读写 Student.db 时出错，本次操作没有改动任何数据。"
                                                   "请检查存放它的磁盘后再试。\ndisk I/O error"));
            QVERIFY(!published);
        }
        QCOMPARE(QDir(folder.path()).entryList({QStringLiteral("Student.db*")}), QStringList());

        // An empty file, as a failed set-up of an earlier version left one, is a missing file:
        // announced, then made new.
        folder.writeFile(QStringLiteral("Student.db"), QByteArray());
        const StudentDatabase::Opening retried = StudentDatabase::open(published);
        QVERIFY(retried.failure.isEmpty());
        QCOMPARE(retried.notice, first.notice);
        QCOMPARE(published, retried.connection);
        QVERIFY(retried.connection->hasTable(QStringLiteral("ClassInfo")));

        // A file that is there opens without a word.
        published.reset();
        const StudentDatabase::Opening existing = StudentDatabase::open(published);
        QVERIFY(existing.failure.isEmpty());
        QVERIFY(existing.notice.isEmpty());
    }
};

PELLOR_UNIT_TEST_MAIN(TestStudentStore)
#include "tst_studentstore.moc"

#pragma once

#include "StudentRenumbering.h"

#include "platform/base/Database.h"
#include "platform/base/DatabaseOpener.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <limits>
#include <optional>

// One semester of a group: a row of ClassInfo. Columns that may be NULL stay optional.
struct SemesterRecord
{
    int id = 0;
    bool ticked = false;          // 点名
    std::optional<int> year;      // 入学年
    std::optional<QString> group; // 小组
    std::optional<QString> semester; // 学期
    std::optional<int> groupId;   // 小组ID: the ID of the group's first semester
    // ID, and 小组ID when it is given, name tables of this program (StudentStore::tableNumber).
    bool numbered = true;

    // Rows without year, group or semester are not shown in the group list, nor those whose
    // numbers name no table of this program.
    bool listed() const { return numbered && year && group && semester; }
};

// A semester's year, group and semester name, as the teacher types them.
struct SemesterKey
{
    int year = 0;
    QString group;
    QString semester;
};

// A row of 小组表<group>.
struct StudentRecord
{
    int number = 0;                  // 学号
    std::optional<QString> name;     // 姓名
    std::optional<QString> gender;   // 性别
    std::optional<QString> address;  // 地址
    std::optional<QString> contact;  // 联系方式
    std::optional<QString> note;     // 备注
    QByteArray photo;                // 照片; null when the column is NULL or was not read
};

// A row of 课堂成绩表<semester>. Counts are NULL in rows copied into a new semester.
struct ScoreRecord
{
    int number = 0;
    std::optional<QString> name;
    std::optional<int> excellent; // 优秀
    std::optional<int> good;      // 良
    std::optional<int> fair;      // 一般
    std::optional<int> absent;    // 旷课
};

struct HeadCount
{
    int students = 0;
    int boys = 0;
    // Students without a gender are counted with the girls, as the page has always shown.
    int girls() const { return students - boys; }
    // "本班共有：%d个学生\r\n其中男生：%d \r\n        女生：%d \r\n"
    QString text() const;
};

// What became of one change to a student (StudentStore's student operations).
struct StudentChange
{
    enum class Outcome {
        Done,
        NumberTaken, // the roster has a student of that number
        BeyondRange, // the renumbering would take another student beyond the highest number
        NotFound,    // the roster has no such student (any more)
        Failed,      // the database refused: nothing of the operation was written
    };
    Outcome outcome = Outcome::Done;
    int number = 0;                 // the student's number afterwards
    QList<int> semestersWithoutRow; // an edit's new name found no row in these score tables
    QString error;                  // Failed: the teacher's message with the driver's text
};

// Every statement on the student records tables: ClassInfo, the roster of each group
// (小组表<小组ID>) and the answer counts of each semester (课堂成绩表<ClassInfo.ID>).
// Values are always bound, and texts are stored and read as storedText() gives them. An
// operation of several statements commits whole or not at all; inside a caller's Transaction
// it is a part of the caller's operation. Failures throw DbError with the teacher's message;
// the operations on a student return it in their StudentChange instead, rolled back.
class StudentStore
{
public:
    // 1: the tables as first made. 2: 小组 and 学期 compare without regard to letter case.
    static constexpr int kSchemaVersion = 2;
    static constexpr int kNameWidth = 20;
    static constexpr int kDefaultTextWidth = 255;
    // The largest number a roster's or score table's name carries (32 bits, as the files of
    // earlier versions): no semester is numbered past it.
    static constexpr int kHighestTableNumber = std::numeric_limits<int>::max();
    // A ClassInfo.ID or 小组ID read as it is stored (64 bits, whatever its type), when it names a
    // table of this program: from 1 to kHighestTableNumber.
    static std::optional<int> tableNumber(const QVariant &value);

    explicit StudentStore(const Database &db);

    // The file's tables as the opener needs to know them.
    StoreLayout layout() const;
    // Creates ClassInfo in a file that holds none of the records' tables and upgrades an older
    // file step by step; refuses (DbError) a newer file or one whose ClassInfo is missing.
    void ensureSchema() const;
    int schemaVersion() const;

    static QString rosterTable(int groupId);
    static QString scoreTable(int classId);

    // --- ClassInfo ---
    // Every row, ordered by year, group and ID.
    QList<SemesterRecord> semesters() const;
    std::optional<SemesterRecord> semester(int classId) const;
    // IDs of the group's semesters, that is its score tables, in ID order.
    QList<int> semesterIdsOfGroup(int groupId) const;
    int groupCount(int year, const QString &group) const;
    int semesterCount(const SemesterKey &key) const;

    void setTick(int classId, bool ticked) const;
    // The check-all box: every row's tick (by ClassInfo.ID), as one operation.
    void setTicks(const QList<QPair<int, bool>> &ticks) const;
    void updateSemester(int classId, const SemesterKey &values) const;
    // Only the ClassInfo row goes: its score table and the group's roster stay.
    void deleteSemester(int classId) const;

    enum class Outcome { Done, Duplicate };

    struct ImportResult
    {
        Outcome outcome = Outcome::Done;
        int groupId = 0; // also the ID of the first semester and of its score table
    };
    // A new group: its first semester row, its roster and first score table, the
    // placeholder row, and one student per name numbered from 1 with zero counts.
    // Refused (nothing written) when a group of that year and name exists. A name refused is
    // reported by its line of the roster file (lines, one per name), by default its number.
    ImportResult importGroup(const SemesterKey &first, const QStringList &names,
                             const std::optional<QString> &gender, const QList<int> &lines = {}) const;

    struct SemesterResult
    {
        Outcome outcome = Outcome::Done;
        int classId = 0;
    };
    // A further semester of the group: its row, its score table with the placeholder and
    // every roster student with no counts. Refused when that semester exists.
    SemesterResult addSemester(const SemesterKey &key, int groupId) const;

    // --- 小组表<group> ---
    HeadCount headCount(int groupId) const;
    // By number, without photos: a list never needs them.
    QList<StudentRecord> students(int groupId) const;
    // The same rows with what the roster list shows alone: number, name, address, contact.
    QList<StudentRecord> listedStudents(int groupId) const;
    QList<int> studentNumbers(int groupId) const; // ascending
    // One student with the photo.
    std::optional<StudentRecord> student(int groupId, int number) const;
    // One student without the photo, which is read on its own where it is decoded.
    std::optional<StudentRecord> studentDetails(int groupId, int number) const;
    // The student's photo; null when there is none, or no such student.
    QByteArray photo(int groupId, int number) const;
    bool hasStudent(int groupId, int number) const;

    // --- 课堂成绩表<semester> ---
    QList<ScoreRecord> scores(int classId) const; // by number, the placeholder included
    std::optional<ScoreRecord> score(int classId, int number) const;
    bool hasScoreRow(int classId, int number) const;
    void updateCounts(int classId, int number, int excellent, int good, int fair, int absent) const;

    // --- A student in the roster and in every score table of the group ---
    // Each of these is one operation: it is written whole, or after a failure not at all
    // (Failed, with the teacher's message). The group's score tables are those of its
    // semesters; each holds one row for every student of the roster, by number and name.

    // The roster row (photo included) and a zero row in every score table that lacks one.
    // NumberTaken when the roster has that number: nothing written.
    StudentChange AddStudentRecord(int groupId, const StudentRecord &student) const;
    // The roster row and the student's row in every score table.
    StudentChange DeleteStudentRecord(int groupId, int number) const;
    // Name, gender, address, contact and note of the student numbered oldNumber; the photo
    // too when one is given; a changed name in every score table (found by the old number);
    // then, when renumber is set, the number edited.number by the renumbering rules
    // (StudentRenumbering) in the roster and every score table. A number refused
    // (NumberTaken, BeyondRange) leaves the rest of the edit written. NotFound when the
    // roster has no such student: nothing written.
    StudentChange SaveStudentEdit(int groupId, int oldNumber, const StudentRecord &edited,
                                  const std::optional<QByteArray> &photo, bool renumber) const;

    // The change an operation returns, or Failed with the message of the DbError it threw.
    static StudentChange outcomeOf(const std::function<StudentChange()> &operation);

private:
    int count(const QString &sql, const QVariantList &values) const;
    QList<StudentRecord> studentList(int groupId, const QString &columns) const;
    std::optional<StudentRecord> studentRow(int groupId, int number, bool withPhoto) const;
    // Refuses (DbError) a new semester row once the numbers a table name carries are used up.
    void checkSemesterNumberLeft() const;
    void createClassInfo(const QString &name) const;
    void upgradeToCaselessNames() const;
    void createScoreTable(int classId, int nameWidth) const;

    // Runs one operation in a transaction: its result when it comes through, Failed with
    // the message after it has been rolled back otherwise.
    StudentChange whole(const std::function<StudentChange()> &operation) const;

    // The steps of the operations above, each inside its operation.
    void addStudent(int groupId, const StudentRecord &student) const;
    void AddScoreRows(int groupId, int number, const QString &name) const;
    void EnsureScoreRow(int classId, int number, const QString &name) const;
    void DeleteScoreRows(int groupId, int number) const;
    void DeleteScoreRow(int classId, int number) const;
    void UpdateStudentRecord(int groupId, int number, const StudentRecord &values,
                             const std::optional<QByteArray> &photo) const;
    // The score tables whose row of that number was not there to take the name.
    QList<int> UpdateScoreNames(int groupId, int number, const QString &name) const;
    bool UpdateScoreName(int classId, int number, const QString &name) const;
    StudentChange::Outcome RenumberStudents(int groupId, int from, int to) const;
    void RenumberScoreTables(int groupId, const StudentRenumbering::Moves &moves) const;
    void RenumberScoreTable(int classId, const StudentRenumbering::Moves &moves) const;
    // Each row moved once, by one prepared statement, in the moves' order.
    void renumberTable(const QString &table, const StudentRenumbering::Moves &moves) const;

    const Database &m_db;
};

#pragma once

#include "platform/base/Database.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

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

    // Rows without year, group or semester are not shown in the group list.
    bool listed() const { return year && group && semester; }
};

// How the groups page names a semester: by year, group and semester name.
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
    QByteArray photo;                // 照片; null when the column is NULL
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

// Every statement on the student records tables: ClassInfo, the roster of each group
// (小组表<小组ID>) and the answer counts of each semester (课堂成绩表<ClassInfo.ID>).
// Values are always bound; an operation of several statements commits whole or not at
// all. Failures throw DbError with the driver's text.
class StudentStore
{
public:
    static constexpr int kSchemaVersion = 1;
    static constexpr int kNameWidth = 20;
    static constexpr int kDefaultTextWidth = 255;

    explicit StudentStore(const Database &db);

    // Creates ClassInfo when the database lacks it (a new, empty database file).
    void ensureSchema() const;

    static QString rosterTable(int groupId);
    static QString scoreTable(int classId);

    // --- ClassInfo ---
    // Every row, ordered by year, group and ID.
    QList<SemesterRecord> semesters() const;
    std::optional<SemesterRecord> semester(int classId) const;
    // The first row (lowest ID) with that year, group and semester.
    std::optional<SemesterRecord> findSemester(const SemesterKey &key) const;
    // IDs of the group's semesters, that is its score tables, in ID order.
    QList<int> semesterIdsOfGroup(int groupId) const;
    // The number of the group with that year and name, from its semester rows.
    std::optional<int> groupIdOf(int year, const QString &group) const;
    int groupCount(int year, const QString &group) const;
    int semesterCount(const SemesterKey &key) const;

    void setTick(int classId, bool ticked) const;
    void setTick(const SemesterKey &key, bool ticked) const;
    // The check-all box: every row's tick, as one operation.
    void setTicks(const QList<QPair<SemesterKey, bool>> &ticks) const;
    void updateSemester(int classId, const SemesterKey &values) const;
    // Renames the first row named `row`; false when there is none.
    bool renameSemester(const SemesterKey &row, const SemesterKey &values) const;
    // Only the ClassInfo row goes: its score table and the group's roster stay.
    void deleteSemester(const SemesterKey &key) const;

    enum class Outcome { Done, Duplicate };

    struct ImportResult
    {
        Outcome outcome = Outcome::Done;
        int groupId = 0; // also the ID of the first semester and of its score table
    };
    // A new group: its first semester row, its roster and first score table, the
    // placeholder row, and one student per name numbered from 1 with zero counts.
    // Refused (nothing written) when a group of that year and name exists.
    ImportResult importGroup(const SemesterKey &first, const QStringList &names,
                             const std::optional<QString> &gender) const;

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
    QList<StudentRecord> students(int groupId) const; // by number
    std::optional<StudentRecord> student(int groupId, int number) const;
    bool hasStudent(int groupId, int number) const;
    // The roster row, and a zero row in every score table of the group that lacks one.
    void addStudent(int groupId, const StudentRecord &student) const;
    // Name, gender, address, contact and note; the photo too when one is given.
    void updateStudent(int groupId, int number, const StudentRecord &values,
                       const std::optional<QByteArray> &photo) const;
    // The roster row and the student's row in every score table of the group.
    void deleteStudent(int groupId, int number) const;

    // --- 课堂成绩表<semester> ---
    QList<ScoreRecord> scores(int classId) const; // by number, the placeholder included
    std::optional<ScoreRecord> score(int classId, int number) const;
    bool hasScoreRow(int classId, int number) const;
    void addZeroScoreRow(int classId, int number, const QString &name) const;
    // False when the table has no row for that number.
    bool renameInScores(int classId, int number, const QString &name) const;
    void updateCounts(int classId, int number, int excellent, int good, int fair, int absent) const;

private:
    int count(const QString &sql, const QVariantList &values) const;
    void createScoreTable(int classId, int nameWidth) const;

    const Database &m_db;
};

#pragma once

#include "platform/base/Database.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

// One semester row of ClassInfo. Year, group, semester and group number may be NULL in
// a file written by other tools, so they are kept as variants.
struct SemesterRecord
{
    int id = 0;
    int tick = 0;          // 点名: 0 or 1 (NULL reads as 0)
    QVariant year;         // 入学年
    QVariant group;        // 小组
    QVariant semester;     // 学期
    QVariant groupId;      // 小组ID
};

struct HeadCount
{
    int students = 0;
    int boys = 0;
    int girls() const { return students - boys; }
};

// A roster read from a text file: one name per line, the line number is the student's
// number. Gender is known (男) only for the UTF-16 rosters the original tool wrote.
struct Roster
{
    QStringList names;
    bool withGender = false;
};

// Every statement on the student records database: ClassInfo, the rosters 小组表<n> and
// the score tables 课堂成绩表<n>. Values are always bound; an operation of several
// statements commits whole or not at all. Failures throw DbError with the driver's text.
class StudentStore
{
public:
    explicit StudentStore(DatabaseConnection db);

    // Creates ClassInfo when the database lacks it.
    static void ensureSchema(const Database &db);

    static QString rosterTable(int groupId);   // 小组表<n>
    static QString scoreTable(int semesterId); // 课堂成绩表<n>

    // Groups page.
    QList<SemesterRecord> semesters() const; // ordered by 入学年, 小组, ID
    std::optional<SemesterRecord> findSemester(int year, const QString &group, const QString &semester) const;
    void setTick(int semesterId, int tick);
    // Stores the tick of every listed row (year, group, semester) in one go.
    struct RowTick
    {
        int year;
        QString group;
        QString semester;
        int tick;
    };
    void setTicks(const QList<RowTick> &rows);
    void editSemester(int semesterId, int year, const QString &group, const QString &semester);
    void deleteSemester(int year, const QString &group, const QString &semester);
    HeadCount headCount(int groupId) const;

    // Group import and new semesters.
    bool groupExists(int year, const QString &group) const;
    bool semesterExists(int year, const QString &group, const QString &semester) const;
    // Creates the group's first semester row, its roster and first score table, and fills
    // both from the roster; returns the group's number N (= its first semester's ID).
    int importGroup(int year, const QString &group, const QString &semester, const Roster &roster);
    // Adds a semester row to the group and a score table holding every roster student with
    // empty counts; returns the new semester's ID M.
    int addSemester(int year, const QString &group, const QString &semester, int groupId);

    const DatabaseConnection &connection() const { return m_db; }

private:
    DatabaseConnection m_db;
};

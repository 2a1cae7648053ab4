#include "StudentStore.h"

#include "platform/base/NumberText.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace {

const QString kMale = QStringLiteral("男");

QVariant nullable(const std::optional<QString> &text)
{
    return text ? QVariant(*text) : QVariant(QMetaType::fromType<QString>());
}

std::optional<QString> textOf(const QSqlQuery &query, const char16_t *column)
{
    const QVariant value = query.value(QString::fromUtf16(column));
    if (value.isNull())
        return std::nullopt;
    return value.toString();
}

// Numbers are read through their text, as the pages have always converted them.
std::optional<int> intOf(const QSqlQuery &query, const char16_t *column)
{
    const QVariant value = query.value(QString::fromUtf16(column));
    if (value.isNull())
        return std::nullopt;
    return NumberText::toInt(value.toString());
}

SemesterRecord semesterOf(const QSqlQuery &query)
{
    SemesterRecord row;
    row.id = intOf(query, u"ID").value_or(0);
    // The tick column is a 16-bit integer: only its low 16 bits count.
    row.ticked = static_cast<qint16>(intOf(query, u"点名").value_or(0)) != 0;
    row.year = intOf(query, u"入学年");
    row.group = textOf(query, u"小组");
    row.semester = textOf(query, u"学期");
    row.groupId = intOf(query, u"小组ID");
    return row;
}

StudentRecord studentOf(const QSqlQuery &query)
{
    StudentRecord row;
    row.number = intOf(query, u"学号").value_or(0);
    row.name = textOf(query, u"姓名");
    row.gender = textOf(query, u"性别");
    row.address = textOf(query, u"地址");
    row.contact = textOf(query, u"联系方式");
    row.note = textOf(query, u"备注");
    const QVariant photo = query.value(QStringLiteral("照片"));
    if (!photo.isNull())
        row.photo = photo.toByteArray();
    return row;
}

ScoreRecord scoreOf(const QSqlQuery &query)
{
    ScoreRecord row;
    row.number = intOf(query, u"学号").value_or(0);
    row.name = textOf(query, u"姓名");
    row.excellent = intOf(query, u"优秀");
    row.good = intOf(query, u"良");
    row.fair = intOf(query, u"一般");
    row.absent = intOf(query, u"旷课");
    return row;
}

QString limited(const QString &column, int width)
{
    return QStringLiteral("%1 TEXT CHECK(length(%1) <= %2)").arg(column).arg(width);
}

} // namespace

QString HeadCount::text() const
{
    return QStringLiteral("本班共有：%1个学生\r\n其中男生：%2 \r\n        女生：%3 \r\n")
        .arg(students)
        .arg(boys)
        .arg(girls());
}

StudentStore::StudentStore(const Database &db)
    : m_db(db)
{
}

QString StudentStore::rosterTable(int groupId)
{
    return QStringLiteral("小组表%1").arg(groupId);
}

QString StudentStore::scoreTable(int classId)
{
    return QStringLiteral("课堂成绩表%1").arg(classId);
}

void StudentStore::ensureSchema() const
{
    if (m_db.hasTable(QStringLiteral("ClassInfo")))
        return;
    Transaction transaction(m_db);
    // AUTOINCREMENT: IDs are never reused, so a deleted semester's kept score table can
    // never be taken for a new one.
    m_db.exec(QStringLiteral("CREATE TABLE ClassInfo(ID INTEGER PRIMARY KEY AUTOINCREMENT,点名 INTEGER,"
                             "入学年 INTEGER,%1,%2,小组ID INTEGER)")
                  .arg(limited(QStringLiteral("小组"), kDefaultTextWidth),
                       limited(QStringLiteral("学期"), kDefaultTextWidth)));
    m_db.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
    transaction.commit();
}

int StudentStore::count(const QString &sql, const QVariantList &values) const
{
    QSqlQuery query = m_db.exec(sql, values);
    return query.next() ? NumberText::toInt(query.value(0).toString()) : 0;
}

// --- ClassInfo ---

QList<SemesterRecord> StudentStore::semesters() const
{
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT * FROM ClassInfo ORDER BY 入学年,小组,ID"));
    QList<SemesterRecord> rows;
    while (query.next())
        rows.append(semesterOf(query));
    return rows;
}

std::optional<SemesterRecord> StudentStore::semester(int classId) const
{
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT * FROM ClassInfo WHERE ID=?"), {classId});
    if (!query.next())
        return std::nullopt;
    return semesterOf(query);
}

std::optional<SemesterRecord> StudentStore::findSemester(const SemesterKey &key) const
{
    QSqlQuery query = m_db.exec(
        QStringLiteral("SELECT * FROM ClassInfo WHERE 入学年=? AND 小组=? AND 学期=? ORDER BY ID"),
        {key.year, key.group, key.semester});
    if (!query.next())
        return std::nullopt;
    return semesterOf(query);
}

QList<int> StudentStore::semesterIdsOfGroup(int groupId) const
{
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT ID FROM ClassInfo WHERE 小组ID=? ORDER BY ID"), {groupId});
    QList<int> ids;
    while (query.next())
        ids.append(query.value(0).toInt());
    return ids;
}

std::optional<int> StudentStore::groupIdOf(int year, const QString &group) const
{
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT 小组ID FROM ClassInfo WHERE 入学年=? AND 小组=? "
                                               "AND 小组ID IS NOT NULL ORDER BY ID LIMIT 1"),
                                {year, group});
    if (!query.next())
        return std::nullopt;
    return query.value(0).toInt();
}

int StudentStore::groupCount(int year, const QString &group) const
{
    return count(QStringLiteral("SELECT count(*) FROM ClassInfo WHERE 入学年=? AND 小组=?"), {year, group});
}

int StudentStore::semesterCount(const SemesterKey &key) const
{
    return count(QStringLiteral("SELECT count(*) FROM ClassInfo WHERE 入学年=? AND 小组=? AND 学期=?"),
                 {key.year, key.group, key.semester});
}

void StudentStore::setTick(int classId, bool ticked) const
{
    m_db.exec(QStringLiteral("UPDATE ClassInfo SET 点名=? WHERE ID=?"), {ticked ? 1 : 0, classId});
}

void StudentStore::setTick(const SemesterKey &key, bool ticked) const
{
    m_db.exec(QStringLiteral("UPDATE ClassInfo SET 点名=? WHERE 入学年=? AND 小组=? AND 学期=?"),
              {ticked ? 1 : 0, key.year, key.group, key.semester});
}

void StudentStore::setTicks(const QList<QPair<SemesterKey, bool>> &ticks) const
{
    Transaction transaction(m_db);
    for (const auto &[key, ticked] : ticks)
        setTick(key, ticked);
    transaction.commit();
}

void StudentStore::updateSemester(int classId, const SemesterKey &values) const
{
    m_db.exec(QStringLiteral("UPDATE ClassInfo SET 入学年=?,小组=?,学期=? WHERE ID=?"),
              {values.year, values.group, values.semester, classId});
}

bool StudentStore::renameSemester(const SemesterKey &row, const SemesterKey &values) const
{
    Transaction transaction(m_db);
    const std::optional<SemesterRecord> found = findSemester(row);
    if (!found)
        return false;
    updateSemester(found->id, values);
    transaction.commit();
    return true;
}

void StudentStore::deleteSemester(const SemesterKey &key) const
{
    m_db.exec(QStringLiteral("DELETE FROM ClassInfo WHERE 入学年=? AND 小组=? AND 学期=?"),
              {key.year, key.group, key.semester});
}

void StudentStore::createScoreTable(int classId, int nameWidth) const
{
    m_db.exec(QStringLiteral("CREATE TABLE %1(学号 INTEGER NOT NULL PRIMARY KEY,%2,优秀 INTEGER,良 INTEGER,"
                             "一般 INTEGER,旷课 INTEGER,主动加分 INTEGER)")
                  .arg(scoreTable(classId), limited(QStringLiteral("姓名"), nameWidth)));
    // Every score table starts with this row; students start at 1, so it never collides.
    m_db.exec(QStringLiteral("INSERT INTO %1(学号,姓名) VALUES(0,?)").arg(scoreTable(classId)),
              {QStringLiteral("0")});
}

StudentStore::ImportResult StudentStore::importGroup(const SemesterKey &first, const QStringList &names,
                                                     const std::optional<QString> &gender) const
{
    Transaction transaction(m_db);
    if (groupCount(first.year, first.group) > 0)
        return {Outcome::Duplicate, 0};

    const QSqlQuery inserted = m_db.exec(
        QStringLiteral("INSERT INTO ClassInfo(点名,入学年,小组,学期) VALUES(0,?,?,?)"),
        {first.year, first.group, first.semester});
    const int groupId = inserted.lastInsertId().toInt();
    m_db.exec(QStringLiteral("UPDATE ClassInfo SET 小组ID=? WHERE ID=?"), {groupId, groupId});

    m_db.exec(QStringLiteral("CREATE TABLE %1(学号 INTEGER NOT NULL PRIMARY KEY,%2,%3,%4,%5,%6,照片 BLOB)")
                  .arg(rosterTable(groupId), limited(QStringLiteral("姓名"), kNameWidth),
                       limited(QStringLiteral("性别"), 2), limited(QStringLiteral("地址"), 100),
                       limited(QStringLiteral("联系方式"), 100), limited(QStringLiteral("备注"), 200)));
    createScoreTable(groupId, kNameWidth);

    QSqlQuery student = m_db.prepare(
        QStringLiteral("INSERT INTO %1(学号,姓名,性别) VALUES(?,?,?)").arg(rosterTable(groupId)));
    QSqlQuery scoreRow = m_db.prepare(
        QStringLiteral("INSERT INTO %1(学号,姓名,优秀,良,一般,旷课,主动加分) VALUES(?,?,0,0,0,0,0)")
            .arg(scoreTable(groupId)));
    const QVariant genderValue = nullable(gender);
    int number = 0;
    for (const QString &name : names) {
        ++number;
        Database::run(student, {number, name, genderValue});
        Database::run(scoreRow, {number, name});
    }
    student.finish();
    scoreRow.finish();
    transaction.commit();
    return {Outcome::Done, groupId};
}

StudentStore::SemesterResult StudentStore::addSemester(const SemesterKey &key, int groupId) const
{
    Transaction transaction(m_db);
    if (semesterCount(key) > 0)
        return {Outcome::Duplicate, 0};

    const QSqlQuery inserted = m_db.exec(
        QStringLiteral("INSERT INTO ClassInfo(点名,入学年,小组,学期,小组ID) VALUES(0,?,?,?,?)"),
        {key.year, key.group, key.semester, groupId});
    const int classId = inserted.lastInsertId().toInt();
    createScoreTable(classId, kDefaultTextWidth);
    // The copied students have no counts yet: they stay NULL.
    m_db.exec(QStringLiteral("INSERT INTO %1(学号,姓名) SELECT 学号,姓名 FROM %2 ORDER BY 学号")
                  .arg(scoreTable(classId), rosterTable(groupId)));
    transaction.commit();
    return {Outcome::Done, classId};
}

// --- 小组表<group> ---

HeadCount StudentStore::headCount(int groupId) const
{
    HeadCount heads;
    heads.students = count(QStringLiteral("SELECT count(*) FROM %1").arg(rosterTable(groupId)), {});
    heads.boys = count(QStringLiteral("SELECT count(*) FROM %1 WHERE 性别=?").arg(rosterTable(groupId)), {kMale});
    return heads;
}

QList<StudentRecord> StudentStore::students(int groupId) const
{
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT * FROM %1 ORDER BY 学号").arg(rosterTable(groupId)));
    QList<StudentRecord> rows;
    while (query.next())
        rows.append(studentOf(query));
    return rows;
}

std::optional<StudentRecord> StudentStore::student(int groupId, int number) const
{
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT * FROM %1 WHERE 学号=?").arg(rosterTable(groupId)), {number});
    if (!query.next())
        return std::nullopt;
    return studentOf(query);
}

bool StudentStore::hasStudent(int groupId, int number) const
{
    return count(QStringLiteral("SELECT count(*) FROM %1 WHERE 学号=?").arg(rosterTable(groupId)), {number}) > 0;
}

void StudentStore::addStudent(int groupId, const StudentRecord &student) const
{
    Transaction transaction(m_db);
    m_db.exec(QStringLiteral("INSERT INTO %1(学号,姓名,性别,地址,联系方式,备注,照片) VALUES(?,?,?,?,?,?,?)")
                  .arg(rosterTable(groupId)),
              {student.number, nullable(student.name), nullable(student.gender), nullable(student.address),
               nullable(student.contact), nullable(student.note),
               student.photo.isNull() ? QVariant(QMetaType::fromType<QByteArray>()) : QVariant(student.photo)});
    for (int classId : semesterIdsOfGroup(groupId)) {
        if (!hasScoreRow(classId, student.number))
            addZeroScoreRow(classId, student.number, student.name.value_or(QString()));
    }
    transaction.commit();
}

void StudentStore::updateStudent(int groupId, int number, const StudentRecord &values,
                                 const std::optional<QByteArray> &photo) const
{
    QString sql = QStringLiteral("UPDATE %1 SET 姓名=?,性别=?,地址=?,联系方式=?,备注=?").arg(rosterTable(groupId));
    QVariantList bound = {nullable(values.name), nullable(values.gender), nullable(values.address),
                          nullable(values.contact), nullable(values.note)};
    if (photo) {
        sql += QStringLiteral(",照片=?");
        bound.append(photo->isNull() ? QVariant(QMetaType::fromType<QByteArray>()) : QVariant(*photo));
    }
    sql += QStringLiteral(" WHERE 学号=?");
    bound.append(number);
    m_db.exec(sql, bound);
}

void StudentStore::deleteStudent(int groupId, int number) const
{
    Transaction transaction(m_db);
    m_db.exec(QStringLiteral("DELETE FROM %1 WHERE 学号=?").arg(rosterTable(groupId)), {number});
    for (int classId : semesterIdsOfGroup(groupId))
        m_db.exec(QStringLiteral("DELETE FROM %1 WHERE 学号=?").arg(scoreTable(classId)), {number});
    transaction.commit();
}

// --- 课堂成绩表<semester> ---

QList<ScoreRecord> StudentStore::scores(int classId) const
{
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT * FROM %1 ORDER BY 学号").arg(scoreTable(classId)));
    QList<ScoreRecord> rows;
    while (query.next())
        rows.append(scoreOf(query));
    return rows;
}

std::optional<ScoreRecord> StudentStore::score(int classId, int number) const
{
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT * FROM %1 WHERE 学号=?").arg(scoreTable(classId)), {number});
    if (!query.next())
        return std::nullopt;
    return scoreOf(query);
}

bool StudentStore::hasScoreRow(int classId, int number) const
{
    return count(QStringLiteral("SELECT count(*) FROM %1 WHERE 学号=?").arg(scoreTable(classId)), {number}) > 0;
}

void StudentStore::addZeroScoreRow(int classId, int number, const QString &name) const
{
    m_db.exec(QStringLiteral("INSERT INTO %1(学号,姓名,优秀,良,一般,旷课,主动加分) VALUES(?,?,0,0,0,0,0)")
                  .arg(scoreTable(classId)),
              {number, name});
}

bool StudentStore::renameInScores(int classId, int number, const QString &name) const
{
    const QSqlQuery query
        = m_db.exec(QStringLiteral("UPDATE %1 SET 姓名=? WHERE 学号=?").arg(scoreTable(classId)), {name, number});
    return query.numRowsAffected() > 0;
}

void StudentStore::updateCounts(int classId, int number, int excellent, int good, int fair, int absent) const
{
    m_db.exec(QStringLiteral("UPDATE %1 SET 优秀=?,良=?,一般=?,旷课=? WHERE 学号=?").arg(scoreTable(classId)),
              {excellent, good, fair, absent, number});
}

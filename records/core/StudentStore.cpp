#include "StudentStore.h"

#include "platform/base/DatabaseOpener.h"
#include "platform/base/NumberText.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace {

const QString kMale = QStringLiteral("男");
// The group's roster and the semester's score table; %1 is the number.
const QString kRosterTable = QStringLiteral("小组表%1");
const QString kScoreTable = QStringLiteral("课堂成绩表%1");

QVariant nullable(const std::optional<QString> &text)
{
    return text ? QVariant(*text) : QVariant(QMetaType::fromType<QString>());
}

// A NUL or a lone surrogate written by another program is not read either.
std::optional<QString> textOf(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    return storedText(value.toString());
}

// Whole numbers as they are; anything else through its text, as the pages have always
// converted numbers (leading digits, saturated at the int range).
std::optional<int> intOf(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    return NumberText::toInt(value);
}

QVariant named(const QSqlQuery &query, const char16_t *column)
{
    return query.value(QString::fromUtf16(column));
}

SemesterRecord semesterOf(const QSqlQuery &query)
{
    SemesterRecord row;
    const std::optional<int> id = StudentStore::tableNumber(named(query, u"ID"));
    const QVariant groupId = named(query, u"小组ID");
    row.id = id.value_or(0);
    row.groupId = StudentStore::tableNumber(groupId);
    row.numbered = id && (groupId.isNull() || row.groupId);
    // The tick column is a 16-bit integer: only its low 16 bits count.
    row.ticked = static_cast<qint16>(intOf(named(query, u"点名")).value_or(0)) != 0;
    row.year = intOf(named(query, u"入学年"));
    row.group = textOf(named(query, u"小组"));
    row.semester = textOf(named(query, u"学期"));
    return row;
}

// The roster's columns in the order studentOf reads them by position (a lookup by name
// costs more than the reading itself on a long list); the photo, last, only for the
// student shown.
const QString kStudentColumns = QStringLiteral("学号,姓名,性别,地址,联系方式,备注");
const QString kStudentColumnsWithPhoto = kStudentColumns + QStringLiteral(",照片");
// The columns the roster list shows, in the same places; gender and note are not read.
const QString kListedColumns = QStringLiteral("学号,姓名,NULL,地址,联系方式,NULL");

StudentRecord studentOf(const QSqlQuery &query, bool withPhoto)
{
    StudentRecord row;
    row.number = intOf(query.value(0)).value_or(0);
    row.name = textOf(query.value(1));
    row.gender = textOf(query.value(2));
    row.address = textOf(query.value(3));
    row.contact = textOf(query.value(4));
    row.note = textOf(query.value(5));
    if (withPhoto) {
        const QVariant photo = query.value(6);
        if (!photo.isNull())
            row.photo = photo.toByteArray();
    }
    return row;
}

// The score table's columns in the order scoreOf reads them by position (主动加分 is never read).
const QString kScoreColumns = QStringLiteral("学号,姓名,优秀,良,一般,旷课");

ScoreRecord scoreOf(const QSqlQuery &query)
{
    ScoreRecord row;
    row.number = intOf(query.value(0)).value_or(0);
    row.name = textOf(query.value(1));
    row.excellent = intOf(query.value(2));
    row.good = intOf(query.value(3));
    row.fair = intOf(query.value(4));
    row.absent = intOf(query.value(5));
    return row;
}

QString limited(const QString &column, int width)
{
    return QStringLiteral("%1 TEXT CHECK(length(%1) <= %2)").arg(column).arg(width);
}

// Group and semester names match whatever the letter case, as teachers' databases always did.
QString caseless(const QString &column, int width)
{
    return QStringLiteral("%1 TEXT COLLATE NOCASE CHECK(length(%1) <= %2)").arg(column).arg(width);
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

std::optional<int> StudentStore::tableNumber(const QVariant &value)
{
    bool ok = false;
    const qint64 number = value.isNull() ? 0 : value.toLongLong(&ok);
    if (!ok || number < 1 || number > kHighestTableNumber)
        return std::nullopt;
    return static_cast<int>(number);
}

void StudentStore::checkSemesterNumberLeft() const
{
    // AUTOINCREMENT gives the next row one more than the highest ID ever given or now there.
    const QString given = m_db.hasTable(QStringLiteral("sqlite_sequence"))
        ? QStringLiteral("(SELECT max(seq) FROM sqlite_sequence WHERE name='ClassInfo' COLLATE NOCASE)")
        : QStringLiteral("NULL");
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT max(ifnull(%1,0),ifnull((SELECT max(ID) FROM ClassInfo),0))").arg(given));
    if (m_db.nextRow(query) && query.value(0).toLongLong() >= kHighestTableNumber) {
        throw DbError(QStringLiteral("%1 的学期编号已经用到最大的 %2，不能再导入小组或增加学期，本次操作没有改动任何数据。"
                                     "要继续使用，请把 %1 移到别处保存，让程序新建一个。")
                          .arg(m_db.fileName())
                          .arg(kHighestTableNumber));
    }
}

QString StudentStore::rosterTable(int groupId)
{
    return kRosterTable.arg(groupId);
}

QString StudentStore::scoreTable(int classId)
{
    return kScoreTable.arg(classId);
}

void StudentStore::createClassInfo(const QString &name) const
{
    // AUTOINCREMENT: IDs are never reused, so a deleted semester's kept score table can
    // never be taken for a new one.
    m_db.exec(QStringLiteral("CREATE TABLE %1(ID INTEGER PRIMARY KEY AUTOINCREMENT,点名 INTEGER,"
                             "入学年 INTEGER,%2,%3,小组ID INTEGER)")
                  .arg(name, caseless(QStringLiteral("小组"), kDefaultTextWidth),
                       caseless(QStringLiteral("学期"), kDefaultTextWidth)));
}

int StudentStore::schemaVersion() const
{
    return count(QStringLiteral("PRAGMA user_version"), {});
}

StoreLayout StudentStore::layout() const
{
    StoreLayout layout;
    layout.mainTable = QStringLiteral("ClassInfo");
    layout.tablePatterns = {kRosterTable, kScoreTable};
    layout.createMainTable = [this] { createClassInfo(QStringLiteral("ClassInfo")); };
    // 1: the tables as first made. 2: 小组 and 学期 compare without regard to letter case.
    layout.upgradeSteps = {[] {}, [this] { upgradeToCaselessNames(); }};
    Q_ASSERT(layout.version() == kSchemaVersion);
    return layout;
}

void StudentStore::ensureSchema() const
{
    DatabaseOpener::ensureLayout(m_db, layout());
}

// A column's collation cannot be altered: ClassInfo is copied into a table of the new
// layout. The copy keeps every ID and the highest ID ever given, so no later semester takes
// the number of a deleted one whose score table is still there.
void StudentStore::upgradeToCaselessNames() const
{
    // The new table's AUTOINCREMENT makes sure sqlite_sequence exists to be read.
    createClassInfo(QStringLiteral("ClassInfo_v2"));
    QSqlQuery sequence
        = m_db.exec(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name='ClassInfo' COLLATE NOCASE"));
    const std::optional<qint64> highestId
        = m_db.nextRow(sequence) ? std::optional<qint64>(sequence.value(0).toLongLong()) : std::nullopt;
    sequence.finish();

    m_db.exec(QStringLiteral("INSERT INTO ClassInfo_v2(ID,点名,入学年,小组,学期,小组ID) "
                             "SELECT ID,点名,入学年,小组,学期,小组ID FROM ClassInfo"));
    m_db.exec(QStringLiteral("DROP TABLE ClassInfo"));
    m_db.exec(QStringLiteral("ALTER TABLE ClassInfo_v2 RENAME TO ClassInfo"));
    if (highestId) {
        m_db.exec(QStringLiteral("DELETE FROM sqlite_sequence WHERE name='ClassInfo'"));
        m_db.exec(QStringLiteral("INSERT INTO sqlite_sequence(name,seq) VALUES('ClassInfo',?)"), {*highestId});
    }
}

int StudentStore::count(const QString &sql, const QVariantList &values) const
{
    QSqlQuery query = m_db.exec(sql, values);
    return m_db.nextRow(query) ? NumberText::toInt(query.value(0).toString()) : 0;
}

// --- ClassInfo ---

QList<SemesterRecord> StudentStore::semesters() const
{
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT * FROM ClassInfo ORDER BY 入学年,小组,ID"));
    QList<SemesterRecord> rows;
    while (m_db.nextRow(query))
        rows.append(semesterOf(query));
    return rows;
}

std::optional<SemesterRecord> StudentStore::semester(int classId) const
{
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT * FROM ClassInfo WHERE ID=?"), {classId});
    if (!m_db.nextRow(query))
        return std::nullopt;
    return semesterOf(query);
}

QList<int> StudentStore::semesterIdsOfGroup(int groupId) const
{
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT ID FROM ClassInfo WHERE 小组ID=? ORDER BY ID"), {groupId});
    QList<int> ids;
    while (m_db.nextRow(query)) {
        if (const std::optional<int> id = tableNumber(query.value(0)))
            ids.append(*id);
    }
    return ids;
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

void StudentStore::setTicks(const QList<QPair<int, bool>> &ticks) const
{
    // An empty list has nothing to store: a file that cannot be written is no reason to say so.
    if (ticks.isEmpty())
        return;
    Transaction transaction(m_db);
    for (const auto &[classId, ticked] : ticks)
        setTick(classId, ticked);
    transaction.commit();
}

void StudentStore::updateSemester(int classId, const SemesterKey &values) const
{
    m_db.exec(QStringLiteral("UPDATE ClassInfo SET 入学年=?,小组=?,学期=? WHERE ID=?"),
              {values.year, values.group, values.semester, classId});
}

void StudentStore::deleteSemester(int classId) const
{
    m_db.exec(QStringLiteral("DELETE FROM ClassInfo WHERE ID=?"), {classId});
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
                                                     const std::optional<QString> &gender,
                                                     const QList<int> &lines) const
{
    Transaction transaction(m_db);
    if (groupCount(first.year, first.group) > 0)
        return {Outcome::Duplicate, 0};
    checkSemesterNumberLeft();

    const QSqlQuery inserted = m_db.exec(
        QStringLiteral("INSERT INTO ClassInfo(点名,入学年,小组,学期) VALUES(0,?,?,?)"),
        {first.year, first.group, first.semester});
    const int groupId = static_cast<int>(inserted.lastInsertId().toLongLong());
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
        try {
            m_db.run(student, {number, name, genderValue});
            m_db.run(scoreRow, {number, name});
        } catch (const DbError &error) {
            // Named by its line in the roster file, where the teacher mends it.
            const int line = number <= lines.size() ? lines.at(number - 1) : number;
            throw DbError(QStringLiteral("名单第%1行：%2").arg(line).arg(error.message()));
        }
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
    checkSemesterNumberLeft();

    const QSqlQuery inserted = m_db.exec(
        QStringLiteral("INSERT INTO ClassInfo(点名,入学年,小组,学期,小组ID) VALUES(0,?,?,?,?)"),
        {key.year, key.group, key.semester, groupId});
    const int classId = static_cast<int>(inserted.lastInsertId().toLongLong());
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
    return studentList(groupId, kStudentColumns);
}

QList<StudentRecord> StudentStore::listedStudents(int groupId) const
{
    // Every column read costs on a long roster, the note most: only those the list shows.
    return studentList(groupId, kListedColumns);
}

QList<StudentRecord> StudentStore::studentList(int groupId, const QString &columns) const
{
    QSqlQuery query
        = m_db.prepare(QStringLiteral("SELECT %1 FROM %2 ORDER BY 学号").arg(columns, rosterTable(groupId)));
    // Walked once: no row is kept for going back.
    query.setForwardOnly(true);
    m_db.run(query, {});
    QList<StudentRecord> rows;
    while (m_db.nextRow(query))
        rows.append(studentOf(query, false));
    return rows;
}

QList<int> StudentStore::studentNumbers(int groupId) const
{
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT 学号 FROM %1 ORDER BY 学号").arg(rosterTable(groupId)));
    QList<int> numbers;
    while (m_db.nextRow(query))
        numbers.append(query.value(0).toInt());
    return numbers;
}

std::optional<StudentRecord> StudentStore::student(int groupId, int number) const
{
    return studentRow(groupId, number, true);
}

std::optional<StudentRecord> StudentStore::studentDetails(int groupId, int number) const
{
    return studentRow(groupId, number, false);
}

std::optional<StudentRecord> StudentStore::studentRow(int groupId, int number, bool withPhoto) const
{
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT %1 FROM %2 WHERE 学号=?")
                                    .arg(withPhoto ? kStudentColumnsWithPhoto : kStudentColumns, rosterTable(groupId)),
                                {number});
    if (!m_db.nextRow(query))
        return std::nullopt;
    return studentOf(query, withPhoto);
}

QByteArray StudentStore::photo(int groupId, int number) const
{
    QSqlQuery query
        = m_db.exec(QStringLiteral("SELECT 照片 FROM %1 WHERE 学号=?").arg(rosterTable(groupId)), {number});
    if (!m_db.nextRow(query) || query.value(0).isNull())
        return {};
    return query.value(0).toByteArray();
}

bool StudentStore::hasStudent(int groupId, int number) const
{
    return count(QStringLiteral("SELECT count(*) FROM %1 WHERE 学号=?").arg(rosterTable(groupId)), {number}) > 0;
}

// --- 课堂成绩表<semester> ---

QList<ScoreRecord> StudentStore::scores(int classId) const
{
    QSqlQuery query
        = m_db.prepare(QStringLiteral("SELECT %1 FROM %2 ORDER BY 学号").arg(kScoreColumns, scoreTable(classId)));
    query.setForwardOnly(true);
    m_db.run(query, {});
    QList<ScoreRecord> rows;
    while (m_db.nextRow(query))
        rows.append(scoreOf(query));
    return rows;
}

std::optional<ScoreRecord> StudentStore::score(int classId, int number) const
{
    QSqlQuery query = m_db.exec(
        QStringLiteral("SELECT %1 FROM %2 WHERE 学号=?").arg(kScoreColumns, scoreTable(classId)), {number});
    if (!m_db.nextRow(query))
        return std::nullopt;
    return scoreOf(query);
}

bool StudentStore::hasScoreRow(int classId, int number) const
{
    return count(QStringLiteral("SELECT count(*) FROM %1 WHERE 学号=?").arg(scoreTable(classId)), {number}) > 0;
}

void StudentStore::updateCounts(int classId, int number, int excellent, int good, int fair, int absent) const
{
    m_db.exec(QStringLiteral("UPDATE %1 SET 优秀=?,良=?,一般=?,旷课=? WHERE 学号=?").arg(scoreTable(classId)),
              {excellent, good, fair, absent, number});
}

// --- A student in the roster and in every score table of the group ---

StudentChange StudentStore::outcomeOf(const std::function<StudentChange()> &operation)
{
    try {
        return operation();
    } catch (const DbError &error) {
        StudentChange failed;
        failed.outcome = StudentChange::Outcome::Failed;
        failed.error = error.message();
        return failed;
    }
}

StudentChange StudentStore::whole(const std::function<StudentChange()> &operation) const
{
    return outcomeOf([&] {
        Transaction transaction(m_db);
        StudentChange change = operation();
        transaction.commit();
        return change;
    });
}

StudentChange StudentStore::AddStudentRecord(int groupId, const StudentRecord &student) const
{
    return whole([&] {
        StudentChange change;
        change.number = student.number;
        if (hasStudent(groupId, student.number)) {
            change.outcome = StudentChange::Outcome::NumberTaken;
            return change;
        }
        addStudent(groupId, student);
        AddScoreRows(groupId, student.number, student.name.value_or(QString()));
        return change;
    });
}

void StudentStore::addStudent(int groupId, const StudentRecord &student) const
{
    m_db.exec(QStringLiteral("INSERT INTO %1(学号,姓名,性别,地址,联系方式,备注,照片) VALUES(?,?,?,?,?,?,?)")
                  .arg(rosterTable(groupId)),
              {student.number, nullable(student.name), nullable(student.gender), nullable(student.address),
               nullable(student.contact), nullable(student.note),
               student.photo.isNull() ? QVariant(QMetaType::fromType<QByteArray>()) : QVariant(student.photo)});
}

void StudentStore::AddScoreRows(int groupId, int number, const QString &name) const
{
    for (const int classId : semesterIdsOfGroup(groupId))
        EnsureScoreRow(classId, number, name);
}

// A row of that number that is there already stays as it is.
void StudentStore::EnsureScoreRow(int classId, int number, const QString &name) const
{
    if (hasScoreRow(classId, number))
        return;
    m_db.exec(QStringLiteral("INSERT INTO %1(学号,姓名,优秀,良,一般,旷课,主动加分) VALUES(?,?,0,0,0,0,0)")
                  .arg(scoreTable(classId)),
              {number, name});
}

StudentChange StudentStore::DeleteStudentRecord(int groupId, int number) const
{
    return whole([&] {
        m_db.exec(QStringLiteral("DELETE FROM %1 WHERE 学号=?").arg(rosterTable(groupId)), {number});
        DeleteScoreRows(groupId, number);
        StudentChange change;
        change.number = number;
        return change;
    });
}

void StudentStore::DeleteScoreRows(int groupId, int number) const
{
    for (const int classId : semesterIdsOfGroup(groupId))
        DeleteScoreRow(classId, number);
}

void StudentStore::DeleteScoreRow(int classId, int number) const
{
    m_db.exec(QStringLiteral("DELETE FROM %1 WHERE 学号=?").arg(scoreTable(classId)), {number});
}

StudentChange StudentStore::SaveStudentEdit(int groupId, int oldNumber, const StudentRecord &edited,
                                            const std::optional<QByteArray> &photo, bool renumber) const
{
    return whole([&] {
        StudentChange change;
        change.number = oldNumber;
        QSqlQuery stored
            = m_db.exec(QStringLiteral("SELECT 姓名 FROM %1 WHERE 学号=?").arg(rosterTable(groupId)), {oldNumber});
        if (!m_db.nextRow(stored)) {
            change.outcome = StudentChange::Outcome::NotFound;
            return change;
        }
        const QString oldName = textOf(stored.value(0)).value_or(QString());
        stored.finish();

        UpdateStudentRecord(groupId, oldNumber, edited, photo);
        // Before any renumbering: the score rows are still found by the old number.
        const QString newName = edited.name.value_or(QString());
        if (newName != oldName)
            change.semestersWithoutRow = UpdateScoreNames(groupId, oldNumber, newName);
        if (renumber && edited.number != oldNumber) {
            change.outcome = RenumberStudents(groupId, oldNumber, edited.number);
            if (change.outcome == StudentChange::Outcome::Done)
                change.number = edited.number;
        }
        return change;
    });
}

void StudentStore::UpdateStudentRecord(int groupId, int number, const StudentRecord &values,
                                       const std::optional<QByteArray> &photo) const
{
    QString sql = QStringLiteral("UPDATE %1 SET 姓名=?,性别=?,地址=?,联系方式=?,备注=?").arg(rosterTable(groupId));
    QVariantList bindings = {nullable(values.name), nullable(values.gender), nullable(values.address),
                            nullable(values.contact), nullable(values.note)};
    if (photo) {
        sql += QStringLiteral(",照片=?");
        bindings.append(photo->isNull() ? QVariant(QMetaType::fromType<QByteArray>()) : QVariant(*photo));
    }
    sql += QStringLiteral(" WHERE 学号=?");
    bindings.append(number);
    m_db.exec(sql, bindings);
}

QList<int> StudentStore::UpdateScoreNames(int groupId, int number, const QString &name) const
{
    QList<int> without;
    for (const int classId : semesterIdsOfGroup(groupId)) {
        if (!UpdateScoreName(classId, number, name))
            without.append(classId);
    }
    return without;
}

bool StudentStore::UpdateScoreName(int classId, int number, const QString &name) const
{
    const QSqlQuery query = m_db.exec(QStringLiteral("UPDATE %1 SET 姓名=? WHERE 学号=?").arg(scoreTable(classId)),
                                      {name, number});
    return query.numRowsAffected() > 0;
}

StudentChange::Outcome StudentStore::RenumberStudents(int groupId, int from, int to) const
{
    const StudentRenumbering::Mapping mapping = StudentRenumbering::map(studentNumbers(groupId), from, to);
    switch (mapping.outcome) {
    case StudentRenumbering::Outcome::Taken:
        return StudentChange::Outcome::NumberTaken;
    case StudentRenumbering::Outcome::BeyondRange:
        return StudentChange::Outcome::BeyondRange;
    case StudentRenumbering::Outcome::Done:
        break;
    }
    const StudentRenumbering::Moves moves = mapping.orderedMoves();
    renumberTable(rosterTable(groupId), moves);
    RenumberScoreTables(groupId, moves);
    return StudentChange::Outcome::Done;
}

void StudentStore::RenumberScoreTables(int groupId, const StudentRenumbering::Moves &moves) const
{
    for (const int classId : semesterIdsOfGroup(groupId))
        RenumberScoreTable(classId, moves);
}

// Rows of numbers that do not move keep theirs: the placeholder 0, and a row no roster
// student has (a move onto its number fails the operation).
void StudentStore::RenumberScoreTable(int classId, const StudentRenumbering::Moves &moves) const
{
    renumberTable(scoreTable(classId), moves);
}

void StudentStore::renumberTable(const QString &table, const StudentRenumbering::Moves &moves) const
{
    QSqlQuery update = m_db.prepare(QStringLiteral("UPDATE %1 SET 学号=? WHERE 学号=?").arg(table));
    for (const auto &[from, to] : moves)
        m_db.run(update, {to, from});
    update.finish();
}

#include "ContentStore.h"

#include "ContentDatabase.h"

#include "platform/base/DatabaseOpener.h"
#include "platform/base/NumberText.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

// QtSql binds a null QString as NULL: an empty text the teacher typed is stored empty.
QVariant textValue(const QString &text)
{
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

QVariant nullable(const std::optional<QString> &text)
{
    return text ? textValue(*text) : QVariant(QMetaType::fromType<QString>());
}

// A NUL or a lone surrogate written by another program is not read either.
std::optional<QString> textOf(const QSqlQuery &query, int column)
{
    const QVariant value = query.value(column);
    if (value.isNull())
        return std::nullopt;
    return storedText(value.toString());
}

// Numbers are read through their text, as the pages have always converted them.
int intOf(const QSqlQuery &query, int column)
{
    return NumberText::toInt(query.value(column));
}

QString limited(const QString &column, int width)
{
    return QStringLiteral("%1 TEXT CHECK(length(%1) <= %2)").arg(column).arg(width);
}

QString flag(const QString &column)
{
    return QStringLiteral("%1 INTEGER CHECK(%1 IN (0,1))").arg(column);
}

// A subject's tables; %1 is its number.
const QString kLessonTable = QStringLiteral("Keshi%1");
const QString kPointTable = QStringLiteral("Zhishidian%1");
const QString kQuestionTable = QStringLiteral("Wenti%1");

const QString kPointColumns = QStringLiteral("ID,课时,知识点ID,知识点,重点,难点");

PointRecord pointOf(const QSqlQuery &query)
{
    PointRecord row;
    row.id = query.value(0).toLongLong();
    row.lesson = intOf(query, 1);
    row.number = intOf(query, 2);
    row.text = textOf(query, 3);
    row.key = !query.value(4).isNull() && intOf(query, 4) != 0;
    row.difficult = !query.value(5).isNull() && intOf(query, 5) != 0;
    return row;
}

QuestionRecord questionOf(const QSqlQuery &query, bool withAnswer)
{
    QuestionRecord row;
    row.id = query.value(0).toLongLong();
    row.lesson = intOf(query, 1);
    row.point = intOf(query, 2);
    row.question = textOf(query, 3);
    if (withAnswer)
        row.answer = textOf(query, 4);
    return row;
}

} // namespace

ContentStore::ContentStore(const Database &db)
    : m_db(db)
{
}

QString ContentStore::lessonTable(int kemuId)
{
    return kLessonTable.arg(kemuId);
}

QString ContentStore::pointTable(int kemuId)
{
    return kPointTable.arg(kemuId);
}

QString ContentStore::questionTable(int kemuId)
{
    return kQuestionTable.arg(kemuId);
}

QString ContentStore::notOpenText()
{
    return Database::notOpenText(ContentDatabase::fileName());
}

QString ContentStore::rowGoneText()
{
    return QStringLiteral("这一项已不在 %1 中，可能已被另一个程序删除，本次操作没有改动任何数据。请在列表中重新选择。")
        .arg(ContentDatabase::fileName());
}

RowGoneError::RowGoneError()
    : DbError(ContentStore::rowGoneText())
{
}

StoreLayout ContentStore::layout() const
{
    StoreLayout layout;
    layout.mainTable = QStringLiteral("Kemu");
    layout.tablePatterns = {kLessonTable, kPointTable, kQuestionTable};
    layout.createMainTable = [this] {
        m_db.exec(QStringLiteral("CREATE TABLE Kemu(ID INTEGER PRIMARY KEY,%1)")
                      .arg(limited(QStringLiteral("课目"), kSubjectNameWidth)));
    };
    // Version 1: the presenter counts and steps through a point's questions by index. An older
    // file's subject takes its index with its first new point or question, not here: every
    // index statement makes SQLite walk the file's whole schema, so indexing every subject at
    // once would take time growing with the square of the subjects, the window frozen.
    layout.upgradeSteps = {[] {}};
    Q_ASSERT(layout.version() == kSchemaVersion);
    return layout;
}

void ContentStore::ensureSchema() const
{
    DatabaseOpener::ensureLayout(m_db, layout());
}

int ContentStore::count(const QString &sql, const QVariantList &values) const
{
    QSqlQuery query = m_db.exec(sql, values);
    return m_db.nextRow(query) ? intOf(query, 0) : 0;
}

bool ContentStore::tableExists(const QString &name) const
{
    return count(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"),
                 {name})
        > 0;
}

void ContentStore::update(const QString &sql, const QVariantList &values) const
{
    const QSqlQuery query = m_db.exec(sql, values);
    if (query.numRowsAffected() == 0)
        throw RowGoneError();
}

// --- Kemu ---

QList<SubjectRecord> ContentStore::subjects() const
{
    // Only numbers that name tables of this program: a row another program numbered past them
    // (or below 1) could be neither opened nor edited.
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT ID,课目 FROM Kemu WHERE ID BETWEEN 1 AND ? ORDER BY ID"),
                                {kHighestSubjectId});
    QList<SubjectRecord> rows;
    while (m_db.nextRow(query))
        rows.append({intOf(query, 0), textOf(query, 1)});
    return rows;
}

int ContentStore::nextSubjectId() const
{
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT max(ID) FROM Kemu"));
    if (!m_db.nextRow(query) || query.value(0).isNull())
        return 1;
    const qint64 highest = query.value(0).toLongLong();
    // The highest number a subject can have (or one past it, from another program) is taken.
    if (highest >= kHighestSubjectId)
        throw DbError(QStringLiteral("课目编号已经用到最大的 %1，不能再添加课目，本次操作没有改动任何数据。")
                          .arg(kHighestSubjectId));
    return highest < 1 ? 1 : static_cast<int>(highest) + 1;
}

int ContentStore::addSubject(const QString &name) const
{
    Transaction transaction(m_db);
    const int id = nextSubjectId();
    m_db.exec(QStringLiteral("INSERT INTO Kemu(ID,课目) VALUES(?,?)"), {id, textValue(name)});
    createKemuTables(id);
    transaction.commit();
    return id;
}

void ContentStore::createKemuTables(int kemuId) const
{
    Transaction transaction(m_db);
    m_db.exec(QStringLiteral("CREATE TABLE %1(课时 INTEGER NOT NULL PRIMARY KEY,%2)")
                  .arg(lessonTable(kemuId), limited(QStringLiteral("题目"), kLessonTitleWidth)));
    // AUTOINCREMENT: a deleted point's or question's ID is never given again.
    m_db.exec(QStringLiteral("CREATE TABLE %1(ID INTEGER PRIMARY KEY AUTOINCREMENT,课时 INTEGER,知识点ID INTEGER,"
                             "知识点 TEXT,%2,%3)")
                  .arg(pointTable(kemuId), flag(QStringLiteral("重点")), flag(QStringLiteral("难点"))));
    m_db.exec(QStringLiteral("CREATE TABLE %1(ID INTEGER PRIMARY KEY AUTOINCREMENT,课时ID INTEGER,知识点ID INTEGER,"
                             "问题ID INTEGER,问题 TEXT,答案 TEXT)")
                  .arg(questionTable(kemuId)));
    createPointIndex(kemuId);
    createQuestionIndex(kemuId);
    transaction.commit();
}

void ContentStore::createPointIndex(int kemuId) const
{
    m_db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS %1_point ON %1(课时,知识点ID)").arg(pointTable(kemuId)));
}

void ContentStore::createQuestionIndex(int kemuId) const
{
    m_db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS %1_point ON %1(课时ID,知识点ID)").arg(questionTable(kemuId)));
}

void ContentStore::renameSubject(int kemuId, const QString &name) const
{
    update(QStringLiteral("UPDATE Kemu SET 课目=? WHERE ID=?"), {textValue(name), kemuId});
}

ContentStore::Outcome ContentStore::deleteSubject(int kemuId) const
{
    Transaction transaction(m_db);
    if (hasLessons(kemuId))
        return Outcome::InUse;
    // A subject whose tables went missing can still be deleted: what is there goes.
    for (const QString &table : {lessonTable(kemuId), pointTable(kemuId), questionTable(kemuId)})
        m_db.exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(table));
    m_db.exec(QStringLiteral("DELETE FROM Kemu WHERE ID=?"), {kemuId});
    transaction.commit();
    return Outcome::Done;
}

bool ContentStore::hasLessons(int kemuId) const
{
    const QString table = lessonTable(kemuId);
    return tableExists(table) && count(QStringLiteral("SELECT EXISTS(SELECT 1 FROM %1)").arg(table), {}) != 0;
}

// --- Keshi<subject> ---

QList<LessonRecord> ContentStore::lessons(int kemuId) const
{
    QSqlQuery query = m_db.exec(
        QStringLiteral("SELECT 课时,题目 FROM %1 WHERE 课时 IS NOT NULL ORDER BY 课时").arg(lessonTable(kemuId)));
    QList<LessonRecord> rows;
    while (m_db.nextRow(query))
        rows.append({intOf(query, 0), textOf(query, 1)});
    return rows;
}

ContentStore::Outcome ContentStore::addLesson(int kemuId, int number, const QString &title) const
{
    const QString table = lessonTable(kemuId);
    Transaction transaction(m_db);
    if (count(QStringLiteral("SELECT count(*) FROM %1 WHERE 课时=?").arg(table), {number}) > 0)
        return Outcome::Duplicate;
    m_db.exec(QStringLiteral("INSERT INTO %1(课时,题目) VALUES(?,?)").arg(table), {number, textValue(title)});
    transaction.commit();
    return Outcome::Done;
}

void ContentStore::setLessonTitle(int kemuId, int number, const QString &title) const
{
    update(QStringLiteral("UPDATE %1 SET 题目=? WHERE 课时=?").arg(lessonTable(kemuId)), {textValue(title), number});
}

ContentStore::Outcome ContentStore::deleteLesson(int kemuId, int number) const
{
    Transaction transaction(m_db);
    if (hasPoints(kemuId, number))
        return Outcome::InUse;
    m_db.exec(QStringLiteral("DELETE FROM %1 WHERE 课时=?").arg(lessonTable(kemuId)), {number});
    transaction.commit();
    return Outcome::Done;
}

bool ContentStore::hasPoints(int kemuId, int lesson) const
{
    return count(QStringLiteral("SELECT EXISTS(SELECT 1 FROM %1 WHERE 课时=?)").arg(pointTable(kemuId)), {lesson}) != 0;
}

// --- Zhishidian<subject> ---

QList<PointRecord> ContentStore::points(int kemuId, int lesson) const
{
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT %1 FROM %2 WHERE 课时=? AND 知识点ID IS NOT NULL "
                                               "ORDER BY 知识点ID,ID")
                                    .arg(kPointColumns, pointTable(kemuId)),
                                {lesson});
    QList<PointRecord> rows;
    while (m_db.nextRow(query))
        rows.append(pointOf(query));
    return rows;
}

std::optional<PointRecord> ContentStore::point(int kemuId, int lesson, int number) const
{
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT %1 FROM %2 WHERE 课时=? AND 知识点ID=? ORDER BY ID LIMIT 1")
                                    .arg(kPointColumns, pointTable(kemuId)),
                                {lesson, number});
    if (!m_db.nextRow(query))
        return std::nullopt;
    return pointOf(query);
}

ContentStore::Outcome ContentStore::addPoint(int kemuId, const PointRecord &point) const
{
    const QString table = pointTable(kemuId);
    Transaction transaction(m_db);
    createPointIndex(kemuId);
    if (count(QStringLiteral("SELECT count(*) FROM %1 WHERE 课时=? AND 知识点ID=?").arg(table),
              {point.lesson, point.number})
        > 0)
        return Outcome::Duplicate;
    m_db.exec(QStringLiteral("INSERT INTO %1(课时,知识点ID,知识点,重点,难点) VALUES(?,?,?,?,?)").arg(table),
              {point.lesson, point.number, nullable(point.text), point.key ? 1 : 0, point.difficult ? 1 : 0});
    transaction.commit();
    return Outcome::Done;
}

void ContentStore::updatePoint(int kemuId, int lesson, int number, const std::optional<QString> &text, bool key,
                               bool difficult) const
{
    const QString table = pointTable(kemuId);
    const int keyValue = key ? 1 : 0;
    const int difficultValue = difficult ? 1 : 0;
    if (text)
        update(QStringLiteral("UPDATE %1 SET 知识点=?,重点=?,难点=? WHERE 课时=? AND 知识点ID=?").arg(table),
               {textValue(*text), keyValue, difficultValue, lesson, number});
    else
        update(QStringLiteral("UPDATE %1 SET 重点=?,难点=? WHERE 课时=? AND 知识点ID=?").arg(table),
               {keyValue, difficultValue, lesson, number});
}

void ContentStore::setPointText(int kemuId, int lesson, int number, const QString &text) const
{
    update(QStringLiteral("UPDATE %1 SET 知识点=? WHERE 课时=? AND 知识点ID=?").arg(pointTable(kemuId)),
           {textValue(text), lesson, number});
}

ContentStore::Outcome ContentStore::deletePoint(int kemuId, int lesson, int number) const
{
    Transaction transaction(m_db);
    if (countQuestions(kemuId, lesson, number) > 0)
        return Outcome::InUse;
    m_db.exec(QStringLiteral("DELETE FROM %1 WHERE 课时=? AND 知识点ID=?").arg(pointTable(kemuId)), {lesson, number});
    transaction.commit();
    return Outcome::Done;
}

// --- Wenti<subject> ---

int ContentStore::countQuestions(int kemuId, int lesson, int point) const
{
    return count(QStringLiteral("SELECT count(*) FROM %1 WHERE 课时ID=? AND 知识点ID=?").arg(questionTable(kemuId)),
                 {lesson, point});
}

QuestionCounter ContentStore::questionCounter(int kemuId) const
{
    return QuestionCounter(m_db,
        m_db.prepare(QStringLiteral("SELECT count(*) FROM %1 WHERE 课时ID=? AND 知识点ID=?").arg(questionTable(kemuId))));
}

QuestionCounter::QuestionCounter(const Database &db, QSqlQuery query)
    : m_db(&db)
    , m_query(std::move(query))
{
}

int QuestionCounter::count(int lesson, int point)
{
    m_db->run(m_query, {lesson, point});
    const int questions = m_db->nextRow(m_query) ? intOf(m_query, 0) : 0;
    // Reset, so that the statement holds nothing open between points.
    m_query.finish();
    return questions;
}

QString ContentStore::questionColumns(Answers answers)
{
    return answers == Answers::Read ? QStringLiteral("ID,课时ID,知识点ID,问题,答案") : QStringLiteral("ID,课时ID,知识点ID,问题");
}

QList<QuestionRecord> ContentStore::questionRows(const QString &sql, const QVariantList &values, Answers answers) const
{
    QSqlQuery query = m_db.exec(sql, values);
    QList<QuestionRecord> rows;
    while (m_db.nextRow(query))
        rows.append(questionOf(query, answers == Answers::Read));
    return rows;
}

QList<QuestionRecord> ContentStore::questionsOfLesson(int kemuId, int lesson, Answers answers) const
{
    return questionRows(QStringLiteral("SELECT %1 FROM %2 WHERE 课时ID=? AND 知识点ID IS NOT NULL ORDER BY 知识点ID,ID")
                            .arg(questionColumns(answers), questionTable(kemuId)),
                        {lesson}, answers);
}

QList<QuestionRecord> ContentStore::questionsOfPoint(int kemuId, int lesson, int point, Answers answers) const
{
    return questionRows(QStringLiteral("SELECT %1 FROM %2 WHERE 课时ID=? AND 知识点ID=? ORDER BY ID")
                            .arg(questionColumns(answers), questionTable(kemuId)),
                        {lesson, point}, answers);
}

QuestionCursor ContentStore::questionCursor(int kemuId, int lesson, int point) const
{
    return QuestionCursor(questionsOfPoint(kemuId, lesson, point));
}

std::optional<QuestionRecord> ContentStore::question(int kemuId, qint64 id) const
{
    const QList<QuestionRecord> rows = questionRows(
        QStringLiteral("SELECT %1 FROM %2 WHERE ID=?").arg(questionColumns(Answers::Read), questionTable(kemuId)), {id},
        Answers::Read);
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

qint64 ContentStore::addQuestion(int kemuId, int lesson, int point, const QString &question, const QString &answer) const
{
    Transaction transaction(m_db);
    createQuestionIndex(kemuId);
    const QSqlQuery query
        = m_db.exec(QStringLiteral("INSERT INTO %1(课时ID,知识点ID,问题,答案) VALUES(?,?,?,?)").arg(questionTable(kemuId)),
                    {lesson, point, textValue(question), textValue(answer)});
    const qint64 id = query.lastInsertId().toLongLong();
    transaction.commit();
    return id;
}

void ContentStore::updateQuestion(int kemuId, qint64 id, const std::optional<QString> &question,
                                  const std::optional<QString> &answer) const
{
    QStringList columns;
    QVariantList values;
    if (question) {
        columns << QStringLiteral("问题=?");
        values << textValue(*question);
    }
    if (answer) {
        columns << QStringLiteral("答案=?");
        values << textValue(*answer);
    }
    if (columns.isEmpty())
        return;
    values << id;
    update(QStringLiteral("UPDATE %1 SET %2 WHERE ID=?").arg(questionTable(kemuId), columns.join(u',')), values);
}

void ContentStore::deleteQuestion(int kemuId, qint64 id) const
{
    m_db.exec(QStringLiteral("DELETE FROM %1 WHERE ID=?").arg(questionTable(kemuId)), {id});
}

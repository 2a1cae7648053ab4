#pragma once

#include "QuestionCursor.h"

#include "platform/base/Database.h"
#include "platform/base/DatabaseOpener.h"

#include <QList>
#include <QString>

#include <limits>
#include <optional>

// A row of Kemu.
struct SubjectRecord
{
    int id = 0;                  // ID, the number in the names of the subject's tables
    std::optional<QString> name; // 课目
};

// A row of Keshi<subject>.
struct LessonRecord
{
    int number = 0;               // 课时
    std::optional<QString> title; // 题目
};

// A row of Zhishidian<subject>.
struct PointRecord
{
    qint64 id = 0;               // ID
    int lesson = 0;              // 课时
    int number = 0;              // 知识点ID, the point's number within its lesson
    std::optional<QString> text; // 知识点
    bool key = false;            // 重点; NULL reads as not set
    bool difficult = false;      // 难点
};

// Counts the questions of one point after another with one prepared statement, as the
// presenter does at every step from point to point. Made by ContentStore::questionCounter;
// it must not outlive the connection it was made on.
class QuestionCounter
{
public:
    // Throws DbError, the counter staying usable for the next point.
    int count(int lesson, int point);

private:
    friend class ContentStore;
    QuestionCounter(const Database &db, QSqlQuery query);

    const Database *m_db;
    QSqlQuery m_query;
};

// A change of a row that another program deleted meanwhile, saying so with
// ContentStore::rowGoneText().
class RowGoneError : public DbError
{
public:
    RowGoneError();
};

// Every statement on the lesson content tables: Kemu, and for each subject its lessons
// (Keshi<ID>), knowledge points (Zhishidian<ID>) and questions (Wenti<ID>). Values are always
// bound, and texts are stored and read as storedText() gives them; only the subject's number
// is formatted into a table name. Each operation that writes runs in one transaction, so it
// commits whole or not at all, and composes into a caller's transaction. Failures throw DbError with the teacher's message; a change of a row
// that is no longer there fails too, with a RowGoneError.
//
// Lists leave out rows whose key column (Kemu.ID, Keshi.课时, Zhishidian.知识点ID, Wenti.ID,
// Wenti.知识点ID) is NULL: nothing could edit or delete them.
class ContentStore
{
public:
    static constexpr int kSchemaVersion = 1;
    static constexpr int kSubjectNameWidth = 255;
    static constexpr int kLessonTitleWidth = 100;

    enum class Outcome {
        Done,
        Duplicate, // a lesson or point of that number exists already: nothing written
        InUse,     // the subject still has lessons, the lesson points, the point questions
    };

    explicit ContentStore(const Database &db);

    // The file's tables as the opener needs to know them.
    StoreLayout layout() const;
    // Creates Kemu in a file that holds none of the lesson tables and brings an older file up
    // to kSchemaVersion; refuses (DbError) a newer file or one whose Kemu is missing.
    void ensureSchema() const;

    static QString lessonTable(int kemuId);   // Keshi<ID>
    static QString pointTable(int kemuId);    // Zhishidian<ID>
    static QString questionTable(int kemuId); // Wenti<ID>
    // The text of a failed change of a row that was deleted meanwhile; a page that shows it
    // reads its list again, so that the teacher chooses among the rows still there.
    static QString rowGoneText();
    // The largest number a subject's tables carry in their names (32 bits, as the files of
    // earlier versions): subjects numbered outside 1 to it are not listed.
    static constexpr int kHighestSubjectId = std::numeric_limits<int>::max();
    // The text of an operation tried without an open content database.
    static QString notOpenText();

    // --- Kemu ---
    QList<SubjectRecord> subjects() const; // by ID
    // The highest ID + 1, or 1 for the first subject; throws when the highest is the largest
    // number a subject can have.
    int nextSubjectId() const;
    // The row with the next ID and the subject's three tables; returns the ID.
    int addSubject(const QString &name) const;
    // The subject's lesson, knowledge-point and question tables.
    void createKemuTables(int kemuId) const;
    void renameSubject(int kemuId, const QString &name) const;
    // Refused (InUse) while the subject has a lesson. Drops the three tables (those that
    // are there) and the row.
    Outcome deleteSubject(int kemuId) const;
    bool hasLessons(int kemuId) const;

    // --- Keshi<subject> ---
    QList<LessonRecord> lessons(int kemuId) const; // by number
    Outcome addLesson(int kemuId, int number, const QString &title) const;
    void setLessonTitle(int kemuId, int number, const QString &title) const;
    // Refused (InUse) while the lesson has a knowledge point.
    Outcome deleteLesson(int kemuId, int number) const;
    bool hasPoints(int kemuId, int lesson) const;

    // --- Zhishidian<subject> ---
    QList<PointRecord> points(int kemuId, int lesson) const; // by number
    std::optional<PointRecord> point(int kemuId, int lesson, int number) const;
    // Refused (Duplicate) when the lesson has a point of that number.
    Outcome addPoint(int kemuId, const PointRecord &point) const;
    // The flags always; the text only when one is given, so an untouched text keeps what
    // is stored (NULL included).
    void updatePoint(int kemuId, int lesson, int number, const std::optional<QString> &text, bool key,
                     bool difficult) const;
    void setPointText(int kemuId, int lesson, int number, const QString &text) const;
    // Refused (InUse) while the point has a question.
    Outcome deletePoint(int kemuId, int lesson, int number) const;

    // --- Wenti<subject> ---
    int countQuestions(int kemuId, int lesson, int point) const;
    QuestionCounter questionCounter(int kemuId) const;
    // Whether a read of questions takes their answers too; a list of questions shows none.
    enum class Answers { Read, Left };
    // The lesson's questions by point number, those of one point in the order added.
    QList<QuestionRecord> questionsOfLesson(int kemuId, int lesson, Answers answers = Answers::Read) const;
    QList<QuestionRecord> questionsOfPoint(int kemuId, int lesson, int point, Answers answers = Answers::Read) const;
    // The point's questions in the order added, standing on the first.
    QuestionCursor questionCursor(int kemuId, int lesson, int point) const;
    std::optional<QuestionRecord> question(int kemuId, qint64 id) const;
    // Returns the new question's ID. 问题ID stays NULL.
    qint64 addQuestion(int kemuId, int lesson, int point, const QString &question, const QString &answer) const;
    // Writes the texts that are given; the others keep what is stored.
    void updateQuestion(int kemuId, qint64 id, const std::optional<QString> &question,
                        const std::optional<QString> &answer) const;
    void deleteQuestion(int kemuId, qint64 id) const;

private:
    int count(const QString &sql, const QVariantList &values) const;
    bool tableExists(const QString &name) const;
    // Runs an UPDATE; throws RowGoneError when it matched no row.
    void update(const QString &sql, const QVariantList &values) const;
    // sql selects the columns given by questionColumns(answers), in that order.
    QList<QuestionRecord> questionRows(const QString &sql, const QVariantList &values, Answers answers) const;
    static QString questionColumns(Answers answers);
    void createPointIndex(int kemuId) const;
    void createQuestionIndex(int kemuId) const;

    const Database &m_db;
};

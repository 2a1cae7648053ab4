#pragma once

#include "ContentStore.h"
#include "QuestionCursor.h"

#include "platform/base/Database.h"

#include <QList>
#include <QString>

#include <optional>

// One lesson's knowledge points as the points page lists them and the presenter steps
// through them: the points, the current row, the number of a point's questions and a cursor
// over the current point's questions. The points page owns it and hands it to the presenter
// it opens, so both stand on the same point. The presenter reads and writes the lesson only
// through it; the page loads the points through it and adds, edits and deletes them through
// the store.
//
// Reads and writes throw DbError; a failed one leaves the position where it was.
class LessonNavigator
{
public:
    enum QuestionState { QuestionsClosed = -1, NoQuestions = -2, QuestionsOpen = 0 };
    enum Direction { Previous, Next };

    struct QuestionTexts
    {
        QString question;
        QString answer;
    };

    // What is shown for a point whose text was never entered (NULL).
    static QString notEnteredText();
    // "此知识点相关问题数目：0", what a point without questions shows.
    static QString noQuestionsText();
    // "此知识点相关问题数目：<count>                  <position>/<rows>", position from 1.
    static QString counterLine(int count, int position, int rowCount);
    // The line for the current row.
    QString counterLine(int count) const;

    // Reads the points of a lesson, by number; a subject or lesson below 0 is no lesson and
    // has none. A failed read leaves no lesson. The current row stays where it was (a reload
    // does not move it); the question cursor closes.
    void Load(const DatabaseConnection &db, int kemuId, int keshiId);
    // Whether the points are those of that lesson.
    bool IsFor(int kemuId, int keshiId) const;
    const QList<PointRecord> &points() const { return m_points; }
    // The point's text as shown: notEnteredText() for one never entered.
    QString PointText(int row) const;
    // -1 when the lesson has no point of that number.
    int RowOfPoint(int number) const;

    int rowCount() const { return static_cast<int>(m_points.size()); }
    // The row last taken or stepped to when the lesson still has it, otherwise -1 (before one
    // was taken, or after a reload that shortened the lesson, until the next step).
    int CurrentPointRow() const;
    // A row taken from the list by a click, a double-click or "添加问题": its questions start
    // again from the first.
    void TakeRow(int row);
    // The next or previous point, staying on the last or the first; -1 when the lesson has
    // none. Its questions start again from the first.
    int NextPoint();
    int PrevPoint();

    // The questions of the point of that number.
    int CountWenti(int number);

    QuestionState questionState() const { return m_nQuestionState; }
    void ResetQuestionCursor();
    // The current point's first question, then the next or previous one, staying on the last
    // or the first. A point without questions gives noQuestionsText() with an empty answer.
    // Nothing (the texts stay as they are) without a current point, and for "上一个问题" on a
    // point found to have none; "下一个问题" reads again, in case some were added. A failed
    // read leaves the cursor closed.
    std::optional<QuestionTexts> NextQuestion();
    std::optional<QuestionTexts> PrevQuestion();

    // Stores a question of the current point and returns its ID; the next question command
    // meets it.
    qint64 AddWenti(const QString &question, const QString &answer);
    // Writes new texts into a question stored before.
    void CorrectWenti(qint64 id, const QString &question, const QString &answer);
    // Writes the current point's text unless it is the one shown (a point never entered
    // stays so); false when there was nothing to write.
    bool SaveKnowledgePoint(const QString &text);
    // A write found a point gone that the points still hold (another program deleted it):
    // what the page lists is no longer so until the next Load.
    bool FoundPointGone() const { return m_bPointGone; }

private:
    int Step(Direction direction);
    std::optional<QuestionTexts> StepQuestion(Direction direction);
    ContentStore store() const;
    // The current point's number; throws when there is none.
    int CurrentPointNumber() const;
    static QuestionTexts TextsOf(const QuestionRecord &record);

    DatabaseConnection m_db;
    int m_nKemuID = -1;
    int m_nKeshiID = -1;
    QList<PointRecord> m_points;
    int m_nCurRow = -1;
    bool m_bPointGone = false;
    QuestionCursor m_questions;
    QuestionState m_nQuestionState = QuestionsClosed;
    // One prepared statement for the presenter's count at every step; declared after the
    // connection it was prepared on, so that it goes first.
    std::optional<QuestionCounter> m_counter;
};

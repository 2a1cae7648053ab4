#include "LessonNavigator.h"

#include "PlainText.h"

#include <algorithm>

QString LessonNavigator::notEnteredText()
{
    return QStringLiteral("还未录入此知识点，请重新编辑此项");
}

QString LessonNavigator::noQuestionsText()
{
    return QStringLiteral("此知识点相关问题数目：0");
}

QString LessonNavigator::counterLine(int count, int position, int rowCount)
{
    // Eighteen blanks keep the position well apart from the count on the screen.
    return QStringLiteral("此知识点相关问题数目：%1                  %2/%3").arg(count).arg(position).arg(rowCount);
}

QString LessonNavigator::counterLine(int count) const
{
    return counterLine(count, m_nCurRow + 1, rowCount());
}

ContentStore LessonNavigator::store() const
{
    if (!m_db)
        throw DbError(ContentStore::notOpenText());
    return ContentStore(*m_db);
}

void LessonNavigator::Load(const DatabaseConnection &db, int kemuId, int keshiId)
{
    ResetQuestionCursor();
    if (db != m_db || kemuId != m_nKemuID)
        m_counter.reset();
    m_db = db;
    m_points.clear();
    m_bPointGone = false;
    m_nKemuID = -1;
    m_nKeshiID = -1;
    if (kemuId < 0 || keshiId < 0)
        return;
    m_points = store().points(kemuId, keshiId);
    m_nKemuID = kemuId;
    m_nKeshiID = keshiId;
}

bool LessonNavigator::IsFor(int kemuId, int keshiId) const
{
    if (kemuId < 0 || keshiId < 0)
        return m_nKemuID < 0;
    return kemuId == m_nKemuID && keshiId == m_nKeshiID;
}

QString LessonNavigator::PointText(int row) const
{
    if (row < 0 || row >= rowCount())
        return QString();
    return m_points.at(row).text.value_or(notEnteredText());
}

int LessonNavigator::RowOfPoint(int number) const
{
    for (int row = 0; row < rowCount(); ++row) {
        if (m_points.at(row).number == number)
            return row;
    }
    return -1;
}

int LessonNavigator::CurrentPointRow() const
{
    return m_nCurRow >= 0 && m_nCurRow < rowCount() ? m_nCurRow : -1;
}

void LessonNavigator::TakeRow(int row)
{
    m_nCurRow = row;
    ResetQuestionCursor();
}

int LessonNavigator::Step(Direction direction)
{
    ResetQuestionCursor();
    if (m_points.isEmpty()) {
        m_nCurRow = -1;
        return -1;
    }
    m_nCurRow = std::clamp(m_nCurRow + (direction == Next ? 1 : -1), 0, rowCount() - 1);
    return m_nCurRow;
}

int LessonNavigator::NextPoint()
{
    return Step(Next);
}

int LessonNavigator::PrevPoint()
{
    return Step(Previous);
}

int LessonNavigator::CountWenti(int number)
{
    try {
        if (!m_counter)
            m_counter = store().questionCounter(m_nKemuID);
        return m_counter->count(m_nKeshiID, number);
    } catch (const DbError &) {
        // Prepared again at the next count, in case the table has come back.
        m_counter.reset();
        throw;
    }
}

void LessonNavigator::ResetQuestionCursor()
{
    m_questions = QuestionCursor();
    m_nQuestionState = QuestionsClosed;
}

std::optional<LessonNavigator::QuestionTexts> LessonNavigator::StepQuestion(Direction direction)
{
    const int row = CurrentPointRow();
    if (row < 0)
        return std::nullopt;
    const bool open = m_nQuestionState == QuestionsClosed || (direction == Next && m_nQuestionState == NoQuestions);
    if (open) {
        QuestionCursor questions = store().questionCursor(m_nKemuID, m_nKeshiID, m_points.at(row).number);
        if (questions.isEmpty()) {
            m_nQuestionState = NoQuestions;
            return QuestionTexts{noQuestionsText(), QString()};
        }
        m_questions = std::move(questions);
        m_nQuestionState = QuestionsOpen;
        return TextsOf(*m_questions.current());
    }
    if (m_nQuestionState != QuestionsOpen)
        return std::nullopt;
    return TextsOf(*(direction == Next ? m_questions.next() : m_questions.previous()));
}

std::optional<LessonNavigator::QuestionTexts> LessonNavigator::NextQuestion()
{
    return StepQuestion(Next);
}

std::optional<LessonNavigator::QuestionTexts> LessonNavigator::PrevQuestion()
{
    return StepQuestion(Previous);
}

LessonNavigator::QuestionTexts LessonNavigator::TextsOf(const QuestionRecord &record)
{
    return {record.question.value_or(QString()), record.answer.value_or(QString())};
}

int LessonNavigator::CurrentPointNumber() const
{
    const int row = CurrentPointRow();
    if (row < 0)
        throw DbError(QStringLiteral("没有选定知识点，本次操作没有改动任何数据。"));
    return m_points.at(row).number;
}

qint64 LessonNavigator::AddWenti(const QString &question, const QString &answer)
{
    const qint64 id = store().addQuestion(m_nKemuID, m_nKeshiID, CurrentPointNumber(), question, answer);
    ResetQuestionCursor();
    return id;
}

void LessonNavigator::CorrectWenti(qint64 id, const QString &question, const QString &answer)
{
    store().updateQuestion(m_nKemuID, id, question, answer);
    ResetQuestionCursor();
}

bool LessonNavigator::SaveKnowledgePoint(const QString &text)
{
    const int number = CurrentPointNumber();
    const int row = CurrentPointRow();
    if (PlainText::same(text, PointText(row)))
        return false;
    try {
        store().setPointText(m_nKemuID, m_nKeshiID, number, text);
    } catch (const RowGoneError &) {
        m_bPointGone = true;
        throw;
    }
    m_points[row].text = text;
    return true;
}

#include "PointNavigation.h"

#include <algorithm>

QString PointNavigation::noQuestionsText()
{
    return QStringLiteral("此知识点相关问题数目：0");
}

QString PointNavigation::counterLine(int count, int position, int rowCount)
{
    // Eighteen blanks keep the position well apart from the count on the screen.
    return QStringLiteral("此知识点相关问题数目：%1                  %2/%3").arg(count).arg(position).arg(rowCount);
}

QString PointNavigation::counterLine(int count) const
{
    return counterLine(count, m_nCurRow + 1, m_nRowCount);
}

int PointNavigation::rowIn(int rowCount) const
{
    return m_nCurRow >= 0 && m_nCurRow < rowCount ? m_nCurRow : -1;
}

void PointNavigation::takeRow(int row, int rowCount)
{
    m_nCurRow = row;
    m_nRowCount = rowCount;
    resetQuestions();
}

void PointNavigation::takeNoRow()
{
    m_nRowCount = 0;
    resetQuestions();
}

int PointNavigation::step(Direction direction, int rowCount)
{
    resetQuestions();
    m_nRowCount = std::max(rowCount, 0);
    if (m_nRowCount == 0) {
        m_nCurRow = -1;
        return -1;
    }
    const int wanted = m_nCurRow + (direction == Next ? 1 : -1);
    m_nCurRow = std::clamp(wanted, 0, m_nRowCount - 1);
    return m_nCurRow;
}

void PointNavigation::resetQuestions()
{
    m_questions = QuestionCursor();
    m_nQuestionState = QuestionsClosed;
}

bool PointNavigation::mustOpenQuestions(Direction direction) const
{
    return m_nQuestionState == QuestionsClosed || (direction == Next && m_nQuestionState == NoQuestions);
}

PointNavigation::QuestionTexts PointNavigation::openQuestions(QuestionCursor questions)
{
    m_questions = std::move(questions);
    if (m_questions.isEmpty()) {
        m_questions = QuestionCursor();
        m_nQuestionState = NoQuestions;
        return {noQuestionsText(), QString()};
    }
    m_nQuestionState = QuestionsOpen;
    return textsOf(*m_questions.current());
}

std::optional<PointNavigation::QuestionTexts> PointNavigation::stepQuestions(Direction direction)
{
    if (m_nQuestionState != QuestionsOpen)
        return std::nullopt;
    const QuestionRecord *record = direction == Next ? m_questions.next() : m_questions.previous();
    return textsOf(*record);
}

PointNavigation::QuestionTexts PointNavigation::textsOf(const QuestionRecord &record)
{
    return {record.question.value_or(QString()), record.answer.value_or(QString())};
}

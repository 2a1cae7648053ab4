#include "QuestionCursor.h"

QuestionCursor::QuestionCursor(QList<QuestionRecord> rows)
    : m_rows(std::move(rows))
    , m_position(m_rows.isEmpty() ? -1 : 0)
{
}

const QuestionRecord *QuestionCursor::current() const
{
    return m_position < 0 ? nullptr : &m_rows.at(m_position);
}

const QuestionRecord *QuestionCursor::next()
{
    if (m_position >= 0 && m_position + 1 < count())
        ++m_position;
    return current();
}

const QuestionRecord *QuestionCursor::previous()
{
    if (m_position > 0)
        --m_position;
    return current();
}

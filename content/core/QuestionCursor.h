#pragma once

#include <QList>
#include <QString>

#include <optional>

// A row of Wenti<subject>.
struct QuestionRecord
{
    qint64 id = 0;                   // ID
    int lesson = 0;                  // 课时ID
    int point = 0;                   // 知识点ID
    std::optional<QString> question; // 问题
    std::optional<QString> answer;   // 答案
};

// The questions of one knowledge point as the presenter steps through them: it stands on
// the first when opened, and stays on the first or the last rather than run off either end.
class QuestionCursor
{
public:
    QuestionCursor() = default;
    explicit QuestionCursor(QList<QuestionRecord> rows);

    bool isEmpty() const { return m_rows.isEmpty(); }
    int count() const { return static_cast<int>(m_rows.size()); }
    // 0 for the first question; -1 when there is none.
    int position() const { return m_position; }

    // nullptr when there is no question.
    const QuestionRecord *current() const;
    const QuestionRecord *next();
    const QuestionRecord *previous();

private:
    QList<QuestionRecord> m_rows;
    int m_position = -1;
};

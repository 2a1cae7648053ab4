#pragma once

#include "QuestionCursor.h"

#include <QString>

#include <optional>

// Where the presenter stands in the knowledge-points list: the current row, the rows the
// list held when it was last looked at, and the question cursor over the current point's
// questions. The list itself belongs to the page; every move is told how many rows it holds
// now, so a shorter list after a reload is never stepped past.
class PointNavigation
{
public:
    enum QuestionState { QuestionsClosed = -1, NoQuestions = -2, QuestionsOpen = 0 };
    enum Direction { Previous, Next };

    struct QuestionTexts
    {
        QString question;
        QString answer;
    };

    // "此知识点相关问题数目：0", what a point without questions shows.
    static QString noQuestionsText();
    // "此知识点相关问题数目：<count>                  <position>/<rows>", position from 1.
    static QString counterLine(int count, int position, int rowCount);
    // The line for the current row.
    QString counterLine(int count) const;

    // -1 before a row was taken, or when the list was empty at the last move.
    int currentRow() const { return m_nCurRow; }
    int rowCount() const { return m_nRowCount; }
    // The current row when the list of rowCount rows still has it; otherwise -1.
    int rowIn(int rowCount) const;

    // A row taken from the list by a click, a double-click or "添加问题": its questions
    // start again from the first.
    void takeRow(int row, int rowCount);
    // "添加问题" on an empty list.
    void takeNoRow();
    // The next or previous row of a list of rowCount rows, staying on the last or the
    // first; -1 when the list is empty. The questions start again from the first.
    int step(Direction direction, int rowCount);

    QuestionState questionState() const { return m_nQuestionState; }
    void resetQuestions();
    // Whether a question command must read the point's questions first: when the cursor is
    // closed, and for "下一个问题" on a point that had none, in case some were added.
    bool mustOpenQuestions(Direction direction) const;
    // The point's questions as just read: the first question's texts (NULL shows empty), or
    // noQuestionsText() with an empty answer.
    QuestionTexts openQuestions(QuestionCursor questions);
    // The next or previous question, staying on the last or the first. Nothing (the texts
    // stay as they are) when the point has no question or the cursor is closed.
    std::optional<QuestionTexts> stepQuestions(Direction direction);

private:
    static QuestionTexts textsOf(const QuestionRecord &record);

    int m_nCurRow = -1;
    int m_nRowCount = 0;
    QuestionCursor m_questions;
    QuestionState m_nQuestionState = QuestionsClosed;
};

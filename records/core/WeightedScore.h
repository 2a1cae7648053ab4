#pragma once

#include <QString>
#include <QtGlobal>

// The classroom score of one student: four answer counts weighed by the six weights the
// teacher sets under "设置".
namespace WeightedScore {

struct Weights
{
    float basicScore = 0.0f;    // added to every student
    float maxScore = 100.0f;    // no student scores above it
    float youxiu = 2.0f;        // each 优秀
    float liangScore = 1.0f;    // each 良
    float jiayouScore = 0.5f;   // each 一般
    float kuangkeScore = -2.0f; // each 旷课
};

struct Counts
{
    int youxiu = 0;
    int liang = 0;
    int yiban = 0;
    int kuangke = 0;
};

// In single precision, step by step in the order scores have always been summed (良, then
// 优秀, 一般, 旷课, then the basic score), each step rounded to float and never fused into
// a multiply-add, so that a teacher sees the same score on every build; capped at maxScore,
// with no lower bound.
float score(const Weights &weights, const Counts &counts);

// Truncated toward zero and held to the range of int; a value that is no number gives 0.
// What the list shows of a score, and what the weights dialog checks a weight's range by.
int truncatedToInt(float value);
// The score as the list shows it: its whole part.
QString shownText(float score);

// The four counts added up, absences included, without overflow.
qint64 timesAsked(const Counts &counts);

// "    共被提问过：%d次  \r\n \t优秀：%d \r\n \t    良：%d \r\n \t加油：%d \r\n \t旷课：%d \r\n"
QString infoText(const Counts &counts);

} // namespace WeightedScore

#include "RollCallScoring.h"

#include "Points.h"

namespace RollCallScoring {

std::optional<GradeRule> gradeRule(int result, const RollCallSettings &settings)
{
    switch (result) {
    case kGradeQuiteRight:
        return GradeRule{settings.m_nQuiteRightScore, {}, QStringLiteral("guzhang2.wav"), Feedback::ManFen};
    case kGradeRight:
        return GradeRule{settings.m_nRightScore, {}, QStringLiteral("guzhang1.wav"), Feedback::GuLi};
    case kGradeWrong:
        return GradeRule{settings.m_nWrongScore, QStringLiteral("cuowu1.wav"), QStringLiteral("guzhang1.wav"),
                         Feedback::YongQi};
    default:
        return std::nullopt;
    }
}

bool addToStudent(RollCallTables &tables, int group, int number, qint64 delta)
{
    if (!tables.hasStudent(group, number))
        return false;
    const qsizetype i = number - 1;
    int &lesson = tables.m_vecLessonScore[group][i];
    int &total = tables.m_vecTotalScore[group][i];
    lesson = Points::add(lesson, delta);
    total = Points::add(total, delta);
    tables.m_nGroupScore[group] = Points::add(tables.m_nGroupScore[group], delta);
    tables.m_bGraded = true;
    return true;
}

bool applyGrade(RollCallTables &tables, int group, int number, int gradeScore, int basicScore)
{
    return addToStudent(tables, group, number, static_cast<qint64>(gradeScore) - basicScore);
}

bool applyAbsence(RollCallTables &tables, int group, int number, int basicScore)
{
    if (!tables.hasStudent(group, number) || tables.m_vecLessonScore[group].at(number - 1) == 0)
        return false;
    return addToStudent(tables, group, number, -static_cast<qint64>(basicScore));
}

} // namespace RollCallScoring

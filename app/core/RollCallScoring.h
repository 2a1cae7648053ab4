#pragma once

#include "application/RollCallSettings.h"
#include "RollCallTables.h"

#include <QString>

#include <optional>

// The score model of one lesson. Loading credits every student with the base score; a grade
// puts (grade score - base) on top of it, an absence takes the base off again while the
// lesson score is not 0. Every change goes to the lesson score, the running total and the
// group score alike.
namespace RollCallScoring {

// Results of the grading dialog.
constexpr int kGradeWrong = 1;        // "加油"
constexpr int kGradeRight = 2;        // "好", also Esc
constexpr int kGradeQuiteRight = 255; // "非常好"
// Result of the absence dialog that confirms it.
constexpr int kAbsenceConfirmed = 1;

// Which feedback dialog follows a grade when animations are on.
enum class Feedback { ManFen, GuLi, YongQi };

struct GradeRule
{
    int score = 0;
    QString firstSound; // played to its end before the applause; empty for none
    QString applause;   // looped until the feedback is over
    Feedback feedback = Feedback::GuLi;
};

// The rule of a grading result, none for a dialog closed without a grade.
std::optional<GradeRule> gradeRule(int result, const RollCallSettings &settings);

// Adds delta to the student's lesson score and total and to the group score, each held at the
// limits of a score, leaving the lesson unsaved. False (and nothing changed) when the group
// and number address no student.
bool addToStudent(RollCallTables &tables, int group, int number, qint64 delta);

// Grade: adds (gradeScore - basicScore).
bool applyGrade(RollCallTables &tables, int group, int number, int gradeScore, int basicScore);

// Absence: takes basicScore off while the lesson score is not 0. True when it changed a score.
bool applyAbsence(RollCallTables &tables, int group, int number, int basicScore);

} // namespace RollCallScoring

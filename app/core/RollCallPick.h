#pragma once

#include "RollCallTables.h"

#include <QString>

// Calling a student at random. Every value comes from RandomSource, so a fixed sequence
// gives a fixed run. A draw never excludes students called before.
namespace RollCallPick {

// The sound of the sound-effect pick is one of "1.wav" to "13.wav".
constexpr int kPickSounds = 13;
// Draws of the sound-effect pick: the first seven each after a short pause.
constexpr int kSoundDraws = 8;
constexpr int kDrawPauseMs = 200;

struct Draw
{
    int number = 0; // 1-based
    QString name;
    int total = 0;
    int groupScore = 0;
};

// One draw in a group with students: number = next value % count + 1.
Draw drawStudent(const RollCallTables &tables, int group);

// A random group among the groups read for the lesson that have students: next value % their
// number, counted in group order; -1 when there is none.
int randomGroupWithStudents(const RollCallTables &tables);

// "1.wav" .. "13.wav"
QString pickSoundName();

} // namespace RollCallPick

#pragma once

#include "application/RollCallSettings.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <array>

// The roll-call's rosters and running scores, one entry per group; the student with
// number k is at position k - 1.
struct RollCallTables
{
    static constexpr int kMaxGroups = RollCallSettings::kGroupsRange.highest;

    std::array<QStringList, kMaxGroups> m_vecRawLines;
    std::array<int, kMaxGroups> m_nGroupScore{};
    std::array<int, kMaxGroups> m_nGroupCount{};
    std::array<int, kMaxGroups> m_nLessonCount{};
    std::array<QStringList, kMaxGroups> m_vecNames;
    std::array<QList<int>, kMaxGroups> m_vecLessonScore;
    std::array<QList<int>, kMaxGroups> m_vecTotalScore;
    // The base score the load credited every student of the group with. Grades and
    // absences reckon from it until the next load, whatever the base score is set to since.
    std::array<int, kMaxGroups> m_nCreditedScore{};
    // Lines after the students that the count of line 1 does not take: never called on,
    // written back unchanged after them.
    std::array<QStringList, kMaxGroups> m_vecKeptLines;
    // The bytes of each group's file as the load read them, or as the last save wrote them: a
    // file that no longer holds them was changed by someone else since.
    std::array<QByteArray, kMaxGroups> m_fileBytes;
    // Groups whose file the last load read. A save writes these and no other: a group the
    // load never reached, or one beyond the number of groups, keeps its file as it is.
    std::array<bool, kMaxGroups> m_bLoaded{};
    // The number of groups the last load was asked for: the summary keeps a place for each.
    int m_nGroupsAsked = 0;
    // Grades or absences given since the last load or save: what a reload would drop.
    bool m_bGraded = false;

    // Empties a group and marks it not loaded; out-of-range groups are ignored.
    void clearGroup(int group);
    // Every group, and nothing left unsaved.
    void clearAll();
    bool hasLoadedGroup() const;
    // Groups 1..n that the summary holds a place for: those asked for, and any loaded.
    int summaryPlaces() const;

    // True when group (0-based) and student number (1-based) address a student.
    bool hasStudent(int group, int number) const;
    // True when the group (0-based) was read for the lesson and has students.
    bool hasStudents(int group) const;
};

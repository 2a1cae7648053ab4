#pragma once

#include <QList>
#include <QStringList>

#include <array>

// The roll-call's rosters and running scores, one entry per group; the student with
// number k is at position k - 1.
struct RollCallTables
{
    static constexpr int kMaxGroups = 8;

    std::array<QStringList, kMaxGroups> m_vecRawLines;
    std::array<int, kMaxGroups> m_nGroupScore{};
    std::array<int, kMaxGroups> m_nGroupCount{};
    std::array<int, kMaxGroups> m_nLessonCount{};
    std::array<QStringList, kMaxGroups> m_vecNames;
    std::array<QList<int>, kMaxGroups> m_vecLessonScore;
    std::array<QList<int>, kMaxGroups> m_vecTotalScore;
    // Groups whose file a failed load never reached: saving leaves their files alone
    // instead of replacing each with an empty roster.
    std::array<bool, kMaxGroups> m_bNotLoaded{};

    // Empties a group (and marks it loaded); out-of-range groups are ignored.
    void clearGroup(int group);
    void clearAll();

    // True when group (0-based) and student number (1-based) address a student.
    bool hasStudent(int group, int number) const;
};

#include "RollCallTables.h"

#include <algorithm>

void RollCallTables::clearGroup(int g)
{
    if (g < 0 || g >= kMaxGroups)
        return;
    m_vecRawLines[g].clear();
    m_nGroupScore[g] = 0;
    m_nGroupCount[g] = 0;
    m_nLessonCount[g] = 0;
    m_vecNames[g].clear();
    m_vecLessonScore[g].clear();
    m_vecTotalScore[g].clear();
    m_nCreditedScore[g] = 0;
    m_vecKeptLines[g].clear();
    m_fileBytes[g].clear();
    m_bLoaded[g] = false;
}

void RollCallTables::clearAll()
{
    for (int g = 0; g < kMaxGroups; ++g)
        clearGroup(g);
    m_nGroupsAsked = 0;
    m_bGraded = false;
}

bool RollCallTables::hasLoadedGroup() const
{
    return std::find(m_bLoaded.begin(), m_bLoaded.end(), true) != m_bLoaded.end();
}

int RollCallTables::summaryPlaces() const
{
    int places = std::clamp(m_nGroupsAsked, 0, kMaxGroups);
    for (int g = places; g < kMaxGroups; ++g) {
        if (m_bLoaded[g])
            places = g + 1;
    }
    return places;
}

bool RollCallTables::hasStudents(int group) const
{
    return group >= 0 && group < kMaxGroups && m_bLoaded[group] && m_nGroupCount[group] > 0;
}

bool RollCallTables::hasStudent(int group, int number) const
{
    return group >= 0 && group < kMaxGroups && number >= 1 && number <= m_nGroupCount[group]
        && number <= m_vecNames[group].size() && number <= m_vecTotalScore[group].size()
        && number <= m_vecLessonScore[group].size();
}

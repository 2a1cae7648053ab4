#include "RollCallPick.h"

#include "platform/base/RandomSource.h"

#include <QList>

namespace RollCallPick {

Draw drawStudent(const RollCallTables &tables, int group)
{
    Draw d;
    if (group < 0 || group >= RollCallTables::kMaxGroups)
        return d;
    const int count = tables.m_nGroupCount[group];
    if (count <= 0)
        return d;
    d.number = RandomSource::next() % count + 1;
    d.groupScore = tables.m_nGroupScore[group];
    if (tables.hasStudent(group, d.number)) {
        d.name = tables.m_vecNames[group].at(d.number - 1);
        d.total = tables.m_vecTotalScore[group].at(d.number - 1);
    }
    return d;
}

int randomGroupWithStudents(const RollCallTables &tables)
{
    QList<int> groups;
    for (int g = 0; g < RollCallTables::kMaxGroups; ++g) {
        if (tables.hasStudents(g))
            groups.append(g);
    }
    if (groups.isEmpty())
        return -1;
    return groups.at(RandomSource::next() % groups.size());
}

QString pickSoundName()
{
    return QStringLiteral("%1.wav").arg(RandomSource::next() % kPickSounds + 1);
}

} // namespace RollCallPick

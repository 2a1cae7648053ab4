#include "RollCallLesson.h"

#include "RollCallScoring.h"
#include "application/SettingsFile.h"

#include "platform/base/ProgramFolder.h"
#include "platform/base/RandomSource.h"

RollCallLesson::RollCallLesson(const QString &programFolder, QObject *parent)
    : QObject(parent)
    , m_strSettingsPath(SettingsFile::pathIn(programFolder))
{
    m_settings.m_strScoreDir = ProgramFolder::join(programFolder, QStringLiteral("成绩")) + u'/';
}

void RollCallLesson::LoadSettings()
{
    LoadSettings(ProfileFile(m_strSettingsPath).contents());
}

void RollCallLesson::LoadSettings(const ProfileFile::Contents &file)
{
    SettingsFile::readRollCallSettings(file, m_settings);
    emit settingsChanged();
}

void RollCallLesson::UseSettings(const RollCallSettings &settings)
{
    m_settings = settings;
    emit settingsChanged();
}

void RollCallLesson::UseEffects(int voice, int showDonghua)
{
    m_settings.m_nVoice = voice;
    m_settings.m_nShowDonghua = showDonghua;
    emit settingsChanged();
}

RollCallLesson::SettingsTaken RollCallLesson::TakeSettings(const RollCallSettings &edited, bool othersChanged)
{
    SettingsTaken taken;
    taken.reloadWanted = WantsReload(edited);
    UseSettings(edited);
    taken.writeError = SettingsFile::writeRollCallSettings(m_strSettingsPath, m_settings, othersChanged);
    return taken;
}

bool RollCallLesson::WantsReload(const RollCallSettings &edited) const
{
    // The score folder is set in the file alone, so only these two change what a load reads.
    return edited.m_nNumOfClass != m_settings.m_nNumOfClass
        || edited.m_nBasicScore != m_settings.m_nBasicScore;
}

GroupScoreFile::LoadResult RollCallLesson::LoadGroupScores(const QString &scoreDir, int numOfClass)
{
    auto result = GroupScoreFile::load(scoreDir, numOfClass, m_settings.m_nBasicScore, m_tables);
    if (result.status == GroupScoreFile::LoadStatus::BadGroupCount)
        return result;
    const bool whole = result.status == GroupScoreFile::LoadStatus::Loaded;
    m_nGroupsListed = whole ? numOfClass : qMin(numOfClass, result.groupsLoaded + 1);
    m_unrecognised = result.unrecognised;
    m_strLoadFailure = whole ? QString() : result.message;
    m_bSaved = false;
    // New tables: the number on call addresses nobody in them.
    m_nGroup = whole ? 0 : -1;
    m_nStudentOnCall = 0;
    emit studentOnCallChanged();
    return result;
}

QString RollCallLesson::NothingReadMessage() const
{
    QStringList reasons;
    if (!m_unrecognised.isEmpty())
        reasons << GroupScoreFile::unrecognisedMessage(m_unrecognised);
    if (!m_strLoadFailure.isEmpty())
        reasons << m_strLoadFailure;
    return reasons.isEmpty() ? GroupScoreFile::badGroupCountMessage() : reasons.join(u'\n');
}

QStringList RollCallLesson::Save()
{
    const QStringList failures = GroupScoreFile::save(m_settings.m_strScoreDir, m_tables);
    if (failures.isEmpty()) {
        m_tables.m_bGraded = false;
        m_bSaved = true;
    }
    return failures;
}

QStringList RollCallLesson::ChangedFiles() const
{
    return GroupScoreFile::changedSinceRead(m_settings.m_strScoreDir, m_tables);
}

int RollCallLesson::StudentOnCall() const
{
    return m_tables.hasStudent(m_nGroup, m_nStudentOnCall) ? m_nStudentOnCall : 0;
}

void RollCallLesson::ChooseGroup(int group)
{
    m_nGroup = group >= 0 && group < m_nGroupsListed ? group : -1;
    m_nStudentOnCall = 0;
    emit studentOnCallChanged();
}

RollCallLesson::PickStart RollCallLesson::StartPick()
{
    RandomSource::seedFromClock();
    PickStart start;
    if (m_settings.m_nSelectClass != 0) {
        if (m_settings.m_nNumOfClass < 1) {
            start.refusal = PickRefusal::BadGroupCount;
            return start;
        }
        start.group = DrawGroup();
        if (start.group < 0)
            start.refusal = PickRefusal::NoGroupWithStudents;
        return start;
    }
    if (m_nGroup < 0) {
        start.refusal = PickRefusal::NoGroupChosen;
        return start;
    }
    start.group = m_nGroup;
    if (!HasStudents(start.group))
        start.refusal = PickRefusal::EmptyGroup;
    return start;
}

QString RollCallLesson::refusalText(PickRefusal refusal)
{
    switch (refusal) {
    case PickRefusal::BadGroupCount:
        return GroupScoreFile::badGroupCountMessage();
    case PickRefusal::NoGroupChosen:
        return QStringLiteral("还未选择小组");
    case PickRefusal::EmptyGroup:
        return QStringLiteral("小组人数为0，请查看所选小组是否正确");
    case PickRefusal::NoGroupWithStudents:
        return QStringLiteral("读入的小组都没有学生，无法抽选小组");
    case PickRefusal::None:
        break;
    }
    return {};
}

bool RollCallLesson::HasStudents(int group) const
{
    return m_tables.hasStudents(group);
}

bool RollCallLesson::HasGroupWithStudents() const
{
    for (int g = 0; g < RollCallTables::kMaxGroups; ++g) {
        if (HasStudents(g))
            return true;
    }
    return false;
}

int RollCallLesson::DrawGroup() const
{
    return RollCallPick::randomGroupWithStudents(m_tables);
}

RollCallPick::Draw RollCallLesson::Draw(int group)
{
    const RollCallPick::Draw draw = RollCallPick::drawStudent(m_tables, group);
    if (draw.number != 0)
        putOnCall(group, draw.number);
    return draw;
}

bool RollCallLesson::Choose(int group, int number)
{
    if (!m_tables.hasStudent(group, number))
        return false;
    putOnCall(group, number);
    return true;
}

void RollCallLesson::putOnCall(int group, int number)
{
    m_nGroup = group;
    m_nStudentOnCall = number;
    emit studentOnCallChanged();
}

bool RollCallLesson::Grade(int gradeScore)
{
    const int g = m_nGroup;
    const int k = StudentOnCall();
    if (k == 0 || !RollCallScoring::applyGrade(m_tables, g, k, gradeScore, m_tables.m_nCreditedScore[g]))
        return false;
    emit scoresChanged();
    return true;
}

bool RollCallLesson::Absent()
{
    const int g = m_nGroup;
    const int k = StudentOnCall();
    if (k == 0 || !RollCallScoring::applyAbsence(m_tables, g, k, m_tables.m_nCreditedScore[g]))
        return false;
    emit scoresChanged();
    return true;
}

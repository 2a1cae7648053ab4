#include "SettingsFile.h"

#include "CPellorApp.h"

#include "platform/base/NumberText.h"
#include "platform/base/ProfileFile.h"
#include "platform/base/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <limits>

namespace SettingsFile {

namespace {

const QString kScore = QStringLiteral("Score");

void readText(const ProfileFile::Contents &file, const QString &section, const QString &key, QString &member)
{
    const QString value = file.read(section, key);
    if (!value.isEmpty())
        member = value;
}

void readInt(const ProfileFile::Contents &file, const QString &section, const QString &key, int &member)
{
    const QString value = file.read(section, key);
    if (!value.isEmpty())
        member = NumberText::toInt(value);
}

void readInRange(const ProfileFile::Contents &file, const QString &section, const QString &key,
                 const SettingRange &range, int &member)
{
    const QString value = file.read(section, key);
    if (!value.isEmpty())
        member = range.clamped(NumberText::toInt(value));
}

// Scores may be stored with a fraction; the roll-call counts whole points.
void readScore(const ProfileFile::Contents &file, const QString &key, int &member)
{
    const QString value = file.read(kScore, key);
    if (!value.isEmpty())
        member = RollCallSettings::kScoreRange.clamped(NumberText::toDouble(value));
}

void readFloat(const ProfileFile::Contents &file, const QString &key, float &member)
{
    const QString value = file.read(kScore, key);
    if (value.isEmpty())
        return;
    const double v = NumberText::toDouble(value);
    const double largest = std::numeric_limits<float>::max();
    member = v > largest ? HUGE_VALF : v < -largest ? -HUGE_VALF : static_cast<float>(v);
}

// set.ini lies in res/ of the program folder.
QString programFolderOf(const QString &settingsPath)
{
    QDir folder = QFileInfo(settingsPath).dir();
    folder.cdUp();
    return QDir::cleanPath(folder.absolutePath());
}

// A path with a root, also one written on Windows with a drive letter.
bool isAbsolute(const QString &path)
{
    return QDir::isAbsolutePath(path)
        || (path.size() >= 3 && path.at(0).isLetter() && path.at(1) == u':' && path.at(2) == u'/');
}

// A picture inside the program folder is stored relative to it, so that a class folder copied
// to another computer finds its own picture there.
QString storedPicture(const QString &picture, const QString &programFolder)
{
    const QString clean = QDir::cleanPath(ProgramFolder::normalised(picture));
    const QString folder = programFolder.endsWith(u'/') ? programFolder : programFolder + u'/';
    return isAbsolute(clean) && clean.startsWith(folder) ? clean.mid(folder.size()) : picture;
}

QString readPicture(const QString &stored, const QString &programFolder)
{
    const QString path = ProgramFolder::normalised(stored);
    return path.isEmpty() || isAbsolute(path) ? path : ProgramFolder::join(programFolder, path);
}

} // namespace

QString pathIn(const QString &programFolder)
{
    return ProgramFolder::join(programFolder, QStringLiteral("res/set.ini"));
}

void readRollCallSettings(const QString &path, RollCallSettings &settings)
{
    readRollCallSettings(ProfileFile(path).contents(), settings);
}

void readRollCallSettings(const ProfileFile::Contents &file, RollCallSettings &s)
{
    if (!file.exists())
        return;
    readText(file, QStringLiteral("backBrush"), QStringLiteral("backBrush"), s.m_strBackBrush);
    s.m_strBackBrush = readPicture(s.m_strBackBrush, programFolderOf(file.path()));
    readInt(file, QStringLiteral("NumOfClass"), QStringLiteral("NumOfClass"), s.m_nNumOfClass);
    readInRange(file, QStringLiteral("JiGu"), QStringLiteral("NumOfJiGu"), RollCallSettings::kBeatsRange,
                s.m_nNumOfJiGu);
    readInt(file, QStringLiteral("Voice"), QStringLiteral("Voice"), s.m_nVoice);
    readInt(file, QStringLiteral("DongHua"), QStringLiteral("ShowDonghua"), s.m_nShowDonghua);
    readInt(file, QStringLiteral("SelectClass"), QStringLiteral("SelectClass"), s.m_nSelectClass);
    readScore(file, QStringLiteral("BasicScore"), s.m_nBasicScore);
    readScore(file, QStringLiteral("WrongScore"), s.m_nWrongScore);
    readScore(file, QStringLiteral("ZhuDongFen"), s.m_nZhuDongFen);
    readScore(file, QStringLiteral("RightScore"), s.m_nRightScore);
    readScore(file, QStringLiteral("QuiteRightScore"), s.m_nQuiteRightScore);
    // The value names a folder whether or not it ends with a separator.
    QString scoreDir;
    readText(file, QStringLiteral("ScoreDir"), QStringLiteral("studentDirectory"), scoreDir);
    if (!scoreDir.isEmpty())
        s.m_strScoreDir = ProgramFolder::asFolder(scoreDir);
}

void readScoreWeights(const QString &path, CPellorApp &app)
{
    readScoreWeights(ProfileFile(path).contents(), app);
}

void readScoreWeights(const ProfileFile::Contents &file, CPellorApp &app)
{
    if (!file.exists())
        return;
    readFloat(file, QStringLiteral("BasicScore"), app.m_fBasicScore);
    readFloat(file, QStringLiteral("MaxScore"), app.m_fMaxScore);
    readFloat(file, QStringLiteral("Youxiu"), app.m_fYouxiu);
    readFloat(file, QStringLiteral("LiangScore"), app.m_fLiangScore);
    readFloat(file, QStringLiteral("JiayouScore"), app.m_fJiayouScore);
    readFloat(file, QStringLiteral("kuangkeScore"), app.m_fKuangkeScore);
}

QString writeRollCallSettings(const QString &path, const RollCallSettings &s, bool othersChanged)
{
    // One write for the whole save: the file is replaced once, with every key or none.
    QList<ProfileFile::Entry> entries{{QStringLiteral("backBrush"), QStringLiteral("backBrush"),
                                       storedPicture(s.m_strBackBrush, programFolderOf(path))}};
    if (othersChanged) {
        const auto n = NumberText::fromInt;
        entries += {
            {QStringLiteral("NumOfClass"), QStringLiteral("NumOfClass"), n(s.m_nNumOfClass)},
            {QStringLiteral("JiGu"), QStringLiteral("NumOfJiGu"), n(s.m_nNumOfJiGu)},
            {QStringLiteral("Voice"), QStringLiteral("Voice"), n(s.m_nVoice)},
            {kScore, QStringLiteral("BasicScore"), n(s.m_nBasicScore)},
            {kScore, QStringLiteral("WrongScore"), n(s.m_nWrongScore)},
            {kScore, QStringLiteral("ZhuDongFen"), n(s.m_nZhuDongFen)},
            {kScore, QStringLiteral("RightScore"), n(s.m_nRightScore)},
            {kScore, QStringLiteral("QuiteRightScore"), n(s.m_nQuiteRightScore)},
            {QStringLiteral("DongHua"), QStringLiteral("ShowDongHua"), n(s.m_nShowDonghua)},
            {QStringLiteral("SelectClass"), QStringLiteral("SelectClass"), n(s.m_nSelectClass)},
        };
    }
    return ProfileFile(path).write(entries);
}

QString writeToolBarSettings(const QString &path, int voice, int showDongHua, int showScore)
{
    return ProfileFile(path).write({
        {QStringLiteral("Voice"), QStringLiteral("Voice"), NumberText::fromInt(voice)},
        {QStringLiteral("DongHua"), QStringLiteral("ShowDongHua"), NumberText::fromInt(showDongHua)},
        {kScore, QStringLiteral("ShowScore"), NumberText::fromInt(showScore)},
    });
}

QString writeScoreWeights(const QString &path, const float weights[6])
{
    static const char *const keys[6] = {"BasicScore", "MaxScore", "Youxiu", "LiangScore", "JiayouScore",
                                        "kuangkeScore"};
    QList<ProfileFile::Entry> entries;
    for (int i = 0; i < 6; ++i)
        entries.append({kScore, QString::fromLatin1(keys[i]), NumberText::fromFloat(weights[i])});
    return ProfileFile(path).write(entries);
}

} // namespace SettingsFile

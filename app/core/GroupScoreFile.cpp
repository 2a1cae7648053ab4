#include "GroupScoreFile.h"

#include "Points.h"

#include "platform/base/AtomicTextFile.h"
#include "platform/base/NumberText.h"
#include "platform/base/ProgramFolder.h"
#include "platform/base/TextCodec.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace GroupScoreFile {

namespace {

const QChar kTab = u'\t';

bool isPadding(QChar c)
{
    return c == u'\t' || c == u' ' || c == QChar(0x3000);
}

// The folder text names a folder whether or not it ends with a separator.
QString pathIn(const QString &scoreDir, const QString &fileName)
{
    const QString folder = ProgramFolder::asFolder(scoreDir);
    return folder + fileName;
}

// The whole text, blanks around it aside, is an integer.
bool isWholeInt(const QString &text)
{
    const QString t = text.trimmed();
    int value = 0;
    return !t.isEmpty() && NumberText::scanInt(t, 0, value) == t.size();
}

// Line 2 of a roster never saved: "0", blanks after it aside. Only blanks: a CR left
// before a line end (a UTF-16 file with CR CR LF) is no part of this form.
bool isFreshLine2(const QString &line2)
{
    qsizetype end = line2.size();
    while (end > 0 && isPadding(line2.at(end - 1)))
        --end;
    return QStringView(line2).left(end) == u"0";
}

void parseLines(const QStringList &lines, int basicScore, RollCallTables &t, int g);

QString trimPadding(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isPadding(text.at(begin)))
        ++begin;
    while (end > begin && isPadding(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

QString groupFileName(int groupNumber)
{
    return QStringLiteral("课堂成绩%1.txt").arg(groupNumber);
}

QString summaryFileName()
{
    return QStringLiteral("课堂成绩.xls");
}

QString badGroupCountMessage()
{
    return QStringLiteral("小组数目 不合理，请重新设置");
}

QStringList readLines(const QByteArray &bytes)
{
    // The one detection rule of every reader: a roster saved as UTF-8 by today's editors,
    // with or without its mark, reads as such, not as the Chinese code page.
    const QString text = TextCodec::decodeDetected(bytes);
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast(); // the line end of the last line starts no new line
    for (QString &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

bool hasGroupFileHeader(const QStringList &lines)
{
    if (lines.isEmpty())
        return true;
    if (lines.size() < 2 || !isWholeInt(lines.at(0)))
        return false;
    const QString &line2 = lines.at(1);
    if (isFreshLine2(line2))
        return true;
    const QStringList fields = line2.split(kTab);
    if (fields.size() != 3 || !isWholeInt(fields.at(0)) || fields.at(1).trimmed() != u"总成绩")
        return false;
    const QString total = fields.at(2).trimmed();
    double value = 0;
    return !total.isEmpty() && NumberText::scanDouble(total, 0, value) == total.size();
}

void parseGroup(const QByteArray &bytes, int basicScore, RollCallTables &t, int g)
{
    parseLines(readLines(bytes), basicScore, t, g);
}

namespace {

void parseLines(const QStringList &lines, int basicScore, RollCallTables &t, int g)
{
    if (g < 0 || g >= RollCallTables::kMaxGroups)
        return;
    t.clearGroup(g);
    const int declaredCount = NumberText::toInt(lines.value(0));
    const QString line2 = lines.value(1);
    const bool fresh = isFreshLine2(line2);

    QStringList studentLines;
    if (fresh) {
        // A fresh roster: names alone. A blank line is no student, and the names after it
        // are still the group's.
        for (qsizetype i = 2; i < lines.size(); ++i) {
            if (!trimPadding(lines.at(i)).isEmpty())
                studentLines << lines.at(i);
        }
    } else {
        const qsizetype firstTab = line2.indexOf(kTab);
        t.m_nLessonCount[g] = firstTab < 0 ? 0 : NumberText::toInt(line2.left(firstTab));
        studentLines = lines.mid(2);
    }

    // Line 1 decides how many students are called on, but never more than were read; the
    // lines after them are kept as they are.
    const int count = std::clamp(declaredCount, 0, static_cast<int>(studentLines.size()));
    double groupScore = 0;
    for (int i = 0; i < count; ++i) {
        const QString &line = studentLines.at(i);
        double total = 0;
        QString name = line;
        if (!fresh) {
            // A saved line is the name, TAB, TAB, the total; a line without a TAB is a name
            // the teacher typed in, with no score yet.
            const qsizetype tab = line.indexOf(kTab);
            if (tab >= 0) {
                name = line.left(tab);
                total = NumberText::toDouble(line.mid(line.lastIndexOf(kTab) + 1));
            }
        }
        t.m_vecRawLines[g] << line;
        t.m_vecNames[g] << name;
        t.m_vecTotalScore[g] << Points::fromDouble(total + basicScore);
        t.m_vecLessonScore[g] << basicScore;
        groupScore = Points::fromDouble(groupScore + total + basicScore);
    }
    t.m_nGroupScore[g] = static_cast<int>(groupScore);
    t.m_nGroupCount[g] = count;
    t.m_nCreditedScore[g] = basicScore;
    t.m_vecKeptLines[g] = studentLines.mid(count);
    t.m_bLoaded[g] = true;
}

} // namespace

QString groupBlock(const RollCallTables &t, int g)
{
    if (g < 0 || g >= RollCallTables::kMaxGroups)
        return {};
    // Never more students than the tables hold, whatever the count says.
    const int count = static_cast<int>(std::min<qsizetype>(
        {static_cast<qsizetype>(std::max(t.m_nGroupCount[g], 0)), t.m_vecRawLines[g].size(),
         t.m_vecTotalScore[g].size()}));
    QString block;
    block.reserve(32 + count * 24);
    block += QString::number(count) + u'\n';
    block += QString::number(Points::add(t.m_nLessonCount[g], 1)) + QStringLiteral("\t总成绩\t")
        + QString::number(t.m_nGroupScore[g]) + u'\n';
    for (int i = 0; i < count; ++i) {
        QString line = t.m_vecRawLines[g].at(i);
        if (t.m_nLessonCount[g] != 0) {
            // The old total goes; a line without one is all name.
            const qsizetype lastTab = line.lastIndexOf(kTab);
            if (lastTab >= 0)
                line.truncate(lastTab);
        }
        block += trimPadding(line);
        block += QStringLiteral("\t\t");
        block += QString::number(t.m_vecTotalScore[g].at(i));
        block += u'\n';
    }
    for (const QString &kept : t.m_vecKeptLines[g])
        block += kept + u'\n';
    return block;
}

QString leftOutLine(int groupNumber)
{
    return QStringLiteral("第%1组：%2 没有读入，本节课没有记分\n").arg(groupNumber).arg(groupFileName(groupNumber));
}

QString summaryText(const RollCallTables &t, int numOfClass)
{
    QString text;
    for (int g = 0; g < numOfClass && g < RollCallTables::kMaxGroups; ++g)
        text += QStringLiteral("\n\n\n") + (t.m_bLoaded[g] ? groupBlock(t, g) : leftOutLine(g + 1));
    return text;
}

QByteArray encodeForFile(const QString &text)
{
    QString crlf;
    crlf.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        if (c == u'\n')
            crlf += u'\r';
        crlf += c;
    }
    return TextCodec::encodeGb18030(crlf);
}

LoadResult load(const QString &scoreDir, int numOfClass, int basicScore, RollCallTables &tables)
{
    if (!RollCallSettings::kGroupsRange.holds(numOfClass))
        return {LoadStatus::BadGroupCount, badGroupCountMessage(), 0, {}};
    tables.clearAll();
    tables.m_nGroupsAsked = numOfClass;
    QStringList unrecognised;
    for (int n = 1; n <= numOfClass; ++n) {
        const QString path = pathIn(scoreDir, groupFileName(n));
        QFile file(path);
        // The file must be a regular file (a pipe would block the start, a folder is no
        // roster), and writable, since the lesson is saved back into it.
        if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
            return {LoadStatus::OpenFailed, path + QStringLiteral(" 读取失败，请检查此文件，或小组数目设置不合理"),
                    n - 1, unrecognised};
        const QStringList lines = readLines(file.readAll());
        // A list of names alone would lose its first two names to the count and lesson lines
        // at the next save: such a file is reported and left as it is.
        if (hasGroupFileHeader(lines))
            parseLines(lines, basicScore, tables, n - 1);
        else
            unrecognised << path;
    }
    return {LoadStatus::Loaded, {}, numOfClass, unrecognised};
}

QStringList save(const QString &scoreDir, const RollCallTables &tables)
{
    // Nothing loaded, nothing written: not even the summary.
    if (!tables.hasLoadedGroup())
        return {};
    // Each block is built and encoded once: the summary is the same blocks, each after three
    // empty lines, and the encoding works character by character.
    QList<QByteArray> blocks(RollCallTables::kMaxGroups);
    QByteArray summary;
    const QByteArray gap = encodeForFile(QStringLiteral("\n\n\n"));
    const int places = tables.summaryPlaces();
    for (int g = 0; g < RollCallTables::kMaxGroups; ++g) {
        if (tables.m_bLoaded[g])
            blocks[g] = encodeForFile(groupBlock(tables, g));
        if (g < places)
            summary += gap + (tables.m_bLoaded[g] ? blocks.at(g) : encodeForFile(leftOutLine(g + 1)));
    }

    QStringList failures;
    auto writeFile = [&](const QString &path, const QByteArray &bytes) {
        const QString error = AtomicTextFile::write(path, bytes);
        if (!error.isEmpty())
            failures << path + QStringLiteral(" (") + error + u')';
    };
    writeFile(pathIn(scoreDir, summaryFileName()), summary);
    for (int g = 0; g < RollCallTables::kMaxGroups; ++g) {
        if (tables.m_bLoaded[g])
            writeFile(pathIn(scoreDir, groupFileName(g + 1)), blocks.at(g));
    }
    return failures;
}

QString unrecognisedMessage(const QStringList &paths)
{
    return QStringLiteral("以下成绩文件的前两行不是成绩文件的格式，这些小组没有读入，保存时也不会改写这些文件：\n")
        + paths.join(u'\n')
        + QStringLiteral("\n第1行应是小组人数；第2行应是 0（从未保存过的名单），或者是上课次数、“总成绩”、小组总分，"
                         "三者以 Tab 隔开（保存过的成绩）。例如一份新名单：第1行写人数，第2行写 0，从第3行起每行一个姓名。");
}

QString saveFailureMessage(const QStringList &failures)
{
    return QStringLiteral("以下成绩文件未能保存，本节课的成绩仍在窗口中，请检查后再保存：\n")
        + failures.join(u'\n');
}

} // namespace GroupScoreFile

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

QString withoutTrailingPadding(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && isPadding(text.at(end - 1)))
        --end;
    return text.left(end);
}

// Line 2's fields as a spreadsheet may have saved them: blanks around a field and double
// quotes around it aside, and no empty field after the last one.
QStringList line2Fields(const QString &line2)
{
    QStringList fields = line2.split(kTab);
    for (QString &field : fields) {
        field = trimPadding(field);
        if (field.size() >= 2 && field.startsWith(u'"') && field.endsWith(u'"'))
            field = field.mid(1, field.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    }
    while (!fields.isEmpty() && fields.last().isEmpty())
        fields.removeLast();
    return fields;
}

// The fields of line 2 of a roster never saved: "0".
bool isFreshLine2(const QStringList &line2Fields)
{
    return line2Fields == QStringList{QStringLiteral("0")};
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
    return TextCodec::splitLines(TextCodec::decodeDetected(bytes));
}

bool hasGroupFileHeader(const QStringList &lines)
{
    if (lines.isEmpty())
        return true;
    if (lines.size() < 2 || !isWholeInt(lines.at(0)))
        return false;
    const QStringList fields = line2Fields(lines.at(1));
    if (isFreshLine2(fields))
        return true;
    if (fields.size() != 3 || !isWholeInt(fields.at(0)) || fields.at(1) != u"总成绩")
        return false;
    const QString &total = fields.at(2);
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
    const QStringList fields = line2Fields(line2);
    const bool fresh = isFreshLine2(fields);

    QStringList studentLines;
    if (fresh) {
        // A fresh roster: names alone. A blank line is no student, and the names after it
        // are still the group's.
        for (qsizetype i = 2; i < lines.size(); ++i) {
            if (!trimPadding(lines.at(i)).isEmpty())
                studentLines << lines.at(i);
        }
    } else {
        t.m_nLessonCount[g] = line2.contains(kTab) ? NumberText::toInt(fields.value(0)) : 0;
        studentLines = lines.mid(2);
    }

    // Line 1 decides how many students are called on, but never more than were read; the
    // lines after them are kept as they are.
    const int count = std::clamp(declaredCount, 0, static_cast<int>(studentLines.size()));
    double groupScore = 0;
    for (int i = 0; i < count; ++i) {
        // A TAB or blanks a spreadsheet left after the total are no part of it.
        const QString line = fresh ? studentLines.at(i) : withoutTrailingPadding(studentLines.at(i));
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

namespace {

// The summary's line in the place of a group left out of the lesson.
QString leftOutLine(int groupNumber)
{
    return QStringLiteral("第%1组：%2 没有读入，本节课没有记分\n").arg(groupNumber).arg(groupFileName(groupNumber));
}

} // namespace

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
        const QByteArray bytes = file.readAll();
        const QStringList lines = readLines(bytes);
        // A list of names alone would lose its first two names to the count and lesson lines
        // at the next save: such a file is reported and left as it is.
        if (hasGroupFileHeader(lines)) {
            parseLines(lines, basicScore, tables, n - 1);
            tables.m_fileBytes[n - 1] = bytes;
        } else {
            unrecognised << path;
        }
    }
    return {LoadStatus::Loaded, {}, numOfClass, unrecognised};
}

QStringList save(const QString &scoreDir, RollCallTables &tables)
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
        return error.isEmpty();
    };
    writeFile(pathIn(scoreDir, summaryFileName()), summary);
    for (int g = 0; g < RollCallTables::kMaxGroups; ++g) {
        if (tables.m_bLoaded[g] && writeFile(pathIn(scoreDir, groupFileName(g + 1)), blocks.at(g)))
            tables.m_fileBytes[g] = blocks.at(g);
    }
    return failures;
}

QStringList changedSinceRead(const QString &scoreDir, const RollCallTables &tables)
{
    QStringList changed;
    for (int g = 0; g < RollCallTables::kMaxGroups; ++g) {
        if (!tables.m_bLoaded[g])
            continue;
        const QString path = pathIn(scoreDir, groupFileName(g + 1));
        QFile file(path);
        // A file gone loses nothing when written again; a pipe or a folder in its place is
        // the writer's to report.
        if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
            continue;
        if (file.readAll() != tables.m_fileBytes.at(g))
            changed << path;
    }
    return changed;
}

QString changedFilesQuestion(const QStringList &paths)
{
    return QStringLiteral("以下成绩文件在本节课中被修改过，和程序读入时不同：\n") + paths.join(u'\n')
        + QStringLiteral("\n是否用本节课的成绩覆盖这些文件？选“否”则不保存任何文件，本节课的成绩仍在窗口中。");
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

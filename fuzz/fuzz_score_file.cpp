// A group score file: load, save, reload. No student, total or kept line may be lost, and a
// second save writes the students and kept lines exactly as the first one did.
#include "FuzzCheck.h"

#include "app/core/GroupScoreFile.h"
#include "platform/base/TextCodec.h"

namespace {

// Line 1 and the student and kept lines of a written block; line 2 holds the lesson count
// and the group total, which each save recomputes.
QStringList withoutLine2(const QByteArray &written)
{
    QStringList lines = GroupScoreFile::readLines(written);
    if (lines.size() >= 2)
        lines.removeAt(1);
    return lines;
}

// Text as the code page gives it back: the old edition's private-use characters come back
// as the standard characters of their codes.
QString asWritten(const QString &text)
{
    return TextCodec::decodeGb18030(TextCodec::encodeGb18030(text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Base score 0, so that the totals read back as they were written.
    RollCallTables first;
    GroupScoreFile::parseGroup(fuzzBytes(data, size), 0, first, 0);
    FUZZ_CHECK(first.m_bLoaded[0]);
    FUZZ_CHECK(first.m_nGroupCount[0] == first.m_vecNames[0].size());
    const QByteArray saved = GroupScoreFile::encodeForFile(GroupScoreFile::groupBlock(first, 0));

    RollCallTables second;
    GroupScoreFile::parseGroup(saved, 0, second, 0);
    FUZZ_CHECK(second.m_nGroupCount[0] == first.m_nGroupCount[0]);
    FUZZ_CHECK(second.m_vecTotalScore[0] == first.m_vecTotalScore[0]);
    FUZZ_CHECK(second.m_vecKeptLines[0].size() == first.m_vecKeptLines[0].size());
    for (qsizetype i = 0; i < first.m_vecKeptLines[0].size(); ++i)
        FUZZ_CHECK(second.m_vecKeptLines[0].at(i) == asWritten(first.m_vecKeptLines[0].at(i)));
    FUZZ_CHECK(second.m_nLessonCount[0] == qMin<qint64>(qint64(first.m_nLessonCount[0]) + 1, 2147483647));
    FUZZ_CHECK(GroupScoreFile::readLines(saved).size() == 2 + first.m_nGroupCount[0] + first.m_vecKeptLines[0].size());
    for (int i = 0; i < first.m_nGroupCount[0]; ++i) {
        // The name is what the written line holds before its scores; nothing of it is lost.
        const QString &name = second.m_vecNames[0].at(i);
        FUZZ_CHECK(second.m_vecRawLines[0].at(i).startsWith(name + u'\t'));
        FUZZ_CHECK(asWritten(first.m_vecRawLines[0].at(i)).contains(name));
    }

    // A saved file whose lesson count reads 0 keeps each whole line before the new total, as
    // such files always have (the line grows, nothing is lost); every other one is stable.
    if (second.m_nLessonCount[0] != 0) {
        const QByteArray savedAgain = GroupScoreFile::encodeForFile(GroupScoreFile::groupBlock(second, 0));
        FUZZ_CHECK(withoutLine2(savedAgain) == withoutLine2(saved));
    }
    return 0;
}

// The settings file: read, write one key, re-read. The value written reads back, and every
// other line keeps its bytes: the write replaces or adds lines, gives the former last line
// a line end when one follows it, and puts the UTF-8 mark before a plain-ASCII file that
// receives other characters; nothing else changes.
#include "FuzzCheck.h"

#include "platform/base/ProfileFile.h"
#include "platform/base/TextCodec.h"

#include <QList>

namespace {

using TextCodec::Encoding;

// The file's lines with their line ends, after its mark.
QList<QByteArray> linesOf(const QByteArray &bytes, Encoding encoding, qsizetype markSize)
{
    QList<QByteArray> lines;
    const int unit = TextCodec::unitSize(encoding);
    const QByteArray newline = TextCodec::encode(QStringLiteral("\n"), encoding, false);
    qsizetype start = markSize;
    for (qsizetype i = markSize; i + unit <= bytes.size(); i += unit) {
        if (bytes.mid(i, unit) == newline) {
            lines.append(bytes.mid(start, i + unit - start));
            start = i + unit;
        }
    }
    if (start < bytes.size())
        lines.append(bytes.mid(start));
    return lines;
}

bool hasLineEnd(const QByteArray &line, Encoding encoding)
{
    return line.size() % TextCodec::unitSize(encoding) == 0
        && line.endsWith(TextCodec::encode(QStringLiteral("\n"), encoding, false));
}

// A value from a few of the input's bytes: ASCII, Chinese, accented and Cyrillic letters.
QString valueFrom(const QByteArray &bytes)
{
    static const QString alphabet = QStringLiteral("0123456789abcXYZ/:._-图片背景中José Фото毛");
    QString value;
    for (qsizetype i = 0; i < qMin<qsizetype>(bytes.size(), 12); ++i)
        value += alphabet.at(static_cast<unsigned char>(bytes.at(i)) % alphabet.size());
    return value.trimmed();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray all = fuzzBytes(data, size);
    const int split = static_cast<unsigned char>(all.at(0)) % 13;
    const QByteArray before = all.mid(1 + split);
    const QString value = valueFrom(all.mid(1, split));
    const QString section = QStringLiteral("Score");
    const QString key = QStringLiteral("BasicScore");

    (void)ProfileFile::readFrom(before, section, key);
    QString error;
    const std::optional<QByteArray> after = ProfileFile::writeInto(before, {{section, key, value}}, &error);
    if (!after) {
        // Refused only where the code page's file would no longer read as such.
        FUZZ_CHECK(TextCodec::detect(before) == Encoding::Gb18030);
        return 0;
    }
    FUZZ_CHECK(ProfileFile::readFrom(*after, section, key) == value);
    if (*after == before)
        return 0; // the key held the value already

    const Encoding encoding = TextCodec::detect(before);
    const qsizetype oldMark = TextCodec::markSize(before);
    const qsizetype newMark = TextCodec::markSize(*after);
    FUZZ_CHECK(after->left(oldMark) == before.left(oldMark));
    if (newMark != oldMark) {
        FUZZ_CHECK(oldMark == 0 && newMark == 3 && encoding == Encoding::Utf8);
        FUZZ_CHECK(after->startsWith("\xEF\xBB\xBF"));
    }
    const QList<QByteArray> oldLines = linesOf(before, encoding, oldMark);
    const QList<QByteArray> newLines = linesOf(*after, encoding, newMark);

    // The same lines before and after the one or two that the write set.
    qsizetype head = 0;
    while (head < oldLines.size() && head < newLines.size() && oldLines.at(head) == newLines.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < oldLines.size() - head && tail < newLines.size() - head
           && oldLines.at(oldLines.size() - 1 - tail) == newLines.at(newLines.size() - 1 - tail))
        ++tail;
    const qsizetype oldMiddle = oldLines.size() - head - tail;
    const qsizetype newMiddle = newLines.size() - head - tail;
    FUZZ_CHECK(oldMiddle <= 1);
    FUZZ_CHECK(newMiddle >= 1 && newMiddle <= 3);
    if (oldMiddle == 1) {
        // The key's own line, or the last line that only gained its line end.
        const QByteArray &old = oldLines.at(head);
        const QByteArray &changed = newLines.at(head);
        const bool gainedEnd = tail == 0 && head == oldLines.size() - 1 && changed.startsWith(old)
            && !hasLineEnd(old, encoding);
        const QByteArray keyPart = old.left(old.indexOf('='));
        FUZZ_CHECK(gainedEnd || (!keyPart.isEmpty() && changed.startsWith(keyPart)));
    }
    return 0;
}

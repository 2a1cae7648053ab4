// The roster reader: any bytes give one name per line that is not blank, none holding a
// line break, and the names written back in the roster's own encoding (with a mark where it
// had one) read back the same.
#include "FuzzCheck.h"

#include "platform/base/TextCodec.h"
#include "records/core/RosterFile.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const RosterFile roster = RosterFile::parse(bytes);
    const QString text = TextCodec::decodeDetected(bytes);
    // LF, CR LF (with CRs doubled before the LF) and a CR alone each end a line.
    static const QRegularExpression lineEnd(QStringLiteral("\r*\n|\r"));
    qsizetype lines = 0;
    for (const QString &line : text.split(lineEnd))
        lines += RosterFile::isBlank(line) ? 0 : 1;
    FUZZ_CHECK(roster.names.size() == lines);
    for (const QString &name : roster.names)
        FUZZ_CHECK(!name.contains(u'\n') && !name.contains(u'\r') && !RosterFile::isBlank(name));

    if (roster.encoding != TextCodec::Encoding::Gb18030) {
        QString lines;
        for (const QString &name : roster.names)
            lines += name + QStringLiteral("\r\n");
        const RosterFile again = RosterFile::parse(TextCodec::encode(lines, roster.encoding, true));
        FUZZ_CHECK(again.names == roster.names);
        FUZZ_CHECK(again.encoding == roster.encoding);
    }
    return 0;
}

// The roster reader: any bytes give one name per line that is not blank, none holding a
// line break, and the names written back in the roster's own encoding (with a mark where it
// had one) read back the same.
#include "FuzzCheck.h"

#include "platform/base/TextCodec.h"
#include "records/core/RosterFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const RosterFile roster = RosterFile::parse(bytes);
    const QString text = TextCodec::decodeDetected(bytes);
    qsizetype lines = 0;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        lines += RosterFile::isBlank(line) ? 0 : 1;
    }
    FUZZ_CHECK(roster.names.size() == lines);
    for (const QString &name : roster.names)
        FUZZ_CHECK(!name.contains(u'\n') && !RosterFile::isBlank(name));

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

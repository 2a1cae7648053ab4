// TextCodec: detection and decoding of any bytes never crash, and whatever text the program
// writes in any of its encodings reads back unchanged: with a mark by detection, in the code
// page by decoding it as such.
#include "FuzzCheck.h"

#include "platform/base/TextCodec.h"

#include <QList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using TextCodec::Encoding;
    const QByteArray bytes = fuzzBytes(data, size);
    const Encoding detected = TextCodec::detect(bytes);
    const QString text = TextCodec::decode(bytes, detected);
    FUZZ_CHECK(TextCodec::decodeDetected(bytes) == text);
    // Valid UTF-8 that the code page cannot read is UTF-8; and the reverse.
    if (TextCodec::isValidUtf8(bytes) && !TextCodec::isValidGb18030(bytes))
        FUZZ_CHECK(detected != Encoding::Gb18030);
    if (!TextCodec::isValidUtf8(bytes) && TextCodec::markSize(bytes) == 0)
        FUZZ_CHECK(detected == Encoding::Gb18030);

    for (const Encoding encoding : {Encoding::Utf16Le, Encoding::Utf16Be, Encoding::Utf8}) {
        const QByteArray written = TextCodec::encode(text, encoding, true);
        FUZZ_CHECK(TextCodec::detect(written) == encoding);
        FUZZ_CHECK(TextCodec::decodeDetected(written) == text);
    }
    // In the code page every character survives; the private-use characters of its old
    // edition come back as the standard characters their codes stand for now.
    const QByteArray gb = TextCodec::encodeGb18030(text);
    FUZZ_CHECK(TextCodec::isValidGb18030(gb));
    const QList<uint> written = text.toUcs4();
    const QList<uint> read = TextCodec::decodeGb18030(gb).toUcs4();
    FUZZ_CHECK(read.size() == written.size());
    for (qsizetype i = 0; i < read.size(); ++i)
        FUZZ_CHECK(read.at(i) == written.at(i) || (written.at(i) >= 0xE000 && written.at(i) <= 0xF8FF));
    return 0;
}

#include "TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace TextCodec {

namespace {

// glibc iconv, which every Linux system has, converts GB18030 completely.
QByteArray convert(const char *to, const char *from, const QByteArray &input)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    std::vector<char> out(static_cast<size_t>(input.size()) * 4 + 16);
    char *in = const_cast<char *>(input.constData());
    size_t inLeft = static_cast<size_t>(input.size());
    char *outPtr = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        const size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        if (r != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            const size_t used = out.size() - outLeft;
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // An invalid or truncated sequence: skip one byte rather than lose the rest.
        ++in;
        --inLeft;
    }
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    iconv_close(cd);
    return QByteArray(out.data(), static_cast<qsizetype>(out.size() - outLeft));
}

} // namespace

QString decodeGb18030(const QByteArray &bytes)
{
    const QByteArray utf8 = convert("UTF-8", "GB18030", bytes);
    return QString::fromUtf8(utf8);
}

QByteArray encodeGb18030(const QString &text)
{
    return convert("GB18030", "UTF-8", text.toUtf8());
}

bool hasUtf16LeMark(const QByteArray &bytes)
{
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF
        && static_cast<unsigned char>(bytes[1]) == 0xFE;
}

bool hasUtf8Mark(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

Encoding detect(const QByteArray &bytes)
{
    if (hasUtf16LeMark(bytes))
        return Encoding::Utf16Le;
    if (hasUtf8Mark(bytes) || isValidUtf8(bytes))
        return Encoding::Utf8;
    return Encoding::Gb18030;
}

QString decode(const QByteArray &bytes, Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf16Le: {
        QByteArray body = hasUtf16LeMark(bytes) ? bytes.mid(2) : bytes;
        QStringDecoder decoder(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
        return decoder.decode(body);
    }
    case Encoding::Utf8: {
        QByteArray body = hasUtf8Mark(bytes) ? bytes.mid(3) : bytes;
        return QString::fromUtf8(body);
    }
    case Encoding::Gb18030:
        return decodeGb18030(bytes);
    }
    return {};
}

QString decodeDetected(const QByteArray &bytes)
{
    return decode(bytes, detect(bytes));
}

QByteArray encode(const QString &text, Encoding encoding, bool withMark)
{
    switch (encoding) {
    case Encoding::Utf16Le: {
        QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::Stateless);
        QByteArray body = encoder.encode(text);
        return withMark ? QByteArray("\xFF\xFE", 2) + body : body;
    }
    case Encoding::Utf8: {
        QByteArray body = text.toUtf8();
        return withMark ? QByteArray("\xEF\xBB\xBF") + body : body;
    }
    case Encoding::Gb18030:
        return encodeGb18030(text);
    }
    return {};
}

} // namespace TextCodec

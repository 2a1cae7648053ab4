#include "TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace TextCodec {

namespace {

// glibc iconv, which every Linux system has, converts GB18030 completely.
// unknownByte gives the output for a byte that starts no valid sequence (nothing: skip it).
QByteArray convert(const char *to, const char *from, const QByteArray &input,
                   QByteArray (*unknownByte)(char) = nullptr)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    std::vector<char> out(static_cast<size_t>(input.size()) * 4 + 16);
    char *in = const_cast<char *>(input.constData());
    size_t inLeft = static_cast<size_t>(input.size());
    char *outPtr = out.data();
    size_t outLeft = out.size();
    auto grow = [&] {
        const size_t used = out.size() - outLeft;
        out.resize(out.size() * 2);
        outPtr = out.data() + used;
        outLeft = out.size() - used;
    };
    while (inLeft > 0) {
        const size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        if (r != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            grow();
            continue;
        }
        // An invalid or truncated sequence: replace or skip one byte rather than lose the rest.
        const QByteArray replacement = unknownByte ? unknownByte(*in) : QByteArray();
        while (outLeft < static_cast<size_t>(replacement.size()))
            grow();
        std::memcpy(outPtr, replacement.constData(), static_cast<size_t>(replacement.size()));
        outPtr += replacement.size();
        outLeft -= static_cast<size_t>(replacement.size());
        ++in;
        --inLeft;
    }
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    iconv_close(cd);
    return QByteArray(out.data(), static_cast<qsizetype>(out.size() - outLeft));
}

// Code page 936 has one single-byte character that GB18030 lacks: 0x80, the euro sign.
const char kCp936Euro = '\x80';
const char16_t kEuro = 0x20AC;

QByteArray cp936Euro(char byte)
{
    return byte == kCp936Euro ? QByteArray("\xE2\x82\xAC") : QByteArray();
}

} // namespace

QString decodeGb18030(const QByteArray &bytes)
{
    const QByteArray utf8 = convert("UTF-8", "GB18030", bytes, cp936Euro);
    return QString::fromUtf8(utf8);
}

QByteArray encodeGb18030(const QString &text)
{
    // The euro sign keeps its code page 936 byte, so such files stay byte-identical.
    QByteArray out;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype euro = text.indexOf(QChar(kEuro), start);
        if (euro < 0)
            euro = text.size();
        out += convert("GB18030", "UTF-8", QStringView(text).mid(start, euro - start).toUtf8());
        if (euro < text.size())
            out += kCp936Euro;
        start = euro + 1;
    }
    return out;
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
    if (hasUtf8Mark(bytes))
        return Encoding::Utf8;
    if (!isValidUtf8(bytes))
        return Encoding::Gb18030;
    // Many pairs of code page 936 bytes also form two-byte UTF-8 sequences ("图片" does),
    // while Chinese text in UTF-8 is made of three-byte sequences.
    qsizetype twoByte = 0;
    qsizetype longer = 0;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0xC0 && b < 0xE0)
            ++twoByte;
        else if (b >= 0xE0)
            ++longer;
    }
    return longer >= twoByte ? Encoding::Utf8 : Encoding::Gb18030;
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

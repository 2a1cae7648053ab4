#include "TextCodec.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

#include <iconv.h>

#include <algorithm>
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

// UTF-8 to text, a U+FEFF at the start being text like any other (QString::fromUtf8 drops it).
QString utf8Text(const QByteArray &utf8)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(utf8);
}

} // namespace

QString decodeGb18030(const QByteArray &bytes)
{
    return utf8Text(convert("UTF-8", "GB18030", bytes, cp936Euro));
}

namespace {

// The private-use characters that GB18030-2005 gave to codes which now stand for standard
// characters (vertical punctuation, a few ideographs). glibc no longer writes the private
// ones at all; written as their standard characters they keep their codes, and their glyphs.
struct PrivateUse
{
    char16_t privateUse;
    char32_t standard;
};
constexpr PrivateUse kPrivateUse[] = {
    {0xE78D, 0x0FE10}, {0xE78E, 0x0FE12}, {0xE78F, 0x0FE11}, {0xE790, 0x0FE13}, {0xE791, 0x0FE14},
    {0xE792, 0x0FE15}, {0xE793, 0x0FE16}, {0xE794, 0x0FE17}, {0xE795, 0x0FE18}, {0xE796, 0x0FE19},
    {0xE816, 0x20087}, {0xE817, 0x20089}, {0xE818, 0x200CC}, {0xE81E, 0x09FB4}, {0xE826, 0x09FB5},
    {0xE82B, 0x09FB6}, {0xE82C, 0x09FB7}, {0xE831, 0x215D7}, {0xE832, 0x09FB8}, {0xE83B, 0x2298F},
    {0xE843, 0x09FB9}, {0xE854, 0x09FBA}, {0xE855, 0x241FE}, {0xE864, 0x09FBB},
};

QString withStandardCharacters(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c.unicode() < 0xE78D || c.unicode() > 0xE864) {
            out += c;
            continue;
        }
        const auto *found = std::find_if(std::begin(kPrivateUse), std::end(kPrivateUse),
                                         [c](const PrivateUse &p) { return p.privateUse == c.unicode(); });
        if (found == std::end(kPrivateUse))
            out += c;
        else
            out += QString::fromUcs4(&found->standard, 1);
    }
    return out;
}

} // namespace

QByteArray encodeGb18030(const QString &original)
{
    const QString text = withStandardCharacters(original);
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

bool hasUtf16BeMark(const QByteArray &bytes)
{
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE
        && static_cast<unsigned char>(bytes[1]) == 0xFF;
}

qsizetype markSize(const QByteArray &bytes)
{
    if (hasUtf16LeMark(bytes) || hasUtf16BeMark(bytes))
        return 2;
    return hasUtf8Mark(bytes) ? 3 : 0;
}

int unitSize(Encoding encoding)
{
    return encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be ? 2 : 1;
}

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

bool isValidGb18030(const QByteArray &bytes)
{
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        if (b[i] <= 0x80) { // ASCII, and the code page's single-byte euro
            ++i;
            continue;
        }
        if (b[i] == 0xFF || i + 1 >= n)
            return false;
        const unsigned char second = b[i + 1];
        if ((second >= 0x40 && second <= 0x7E) || (second >= 0x80 && second <= 0xFE)) {
            i += 2;
            continue;
        }
        if (second < 0x30 || second > 0x39 || i + 3 >= n || b[i + 2] < 0x81 || b[i + 2] > 0xFE
            || b[i + 3] < 0x30 || b[i + 3] > 0x39)
            return false;
        i += 4;
    }
    return true;
}

namespace {

bool isAsciiLetter(char32_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Letters of the alphabets a teacher's paths and names use besides Chinese: Latin with
// accents, Greek, Cyrillic. Every other two-byte character (symbols, IPA, combining marks,
// rarer scripts) is what code page 936 text looks like when read as UTF-8.
int alphabet(char32_t c)
{
    if (c >= 0xC0 && c < 0x180 && c != 0xD7 && c != 0xF7)
        return 1;
    if (c >= 0x386 && c <= 0x3CE)
        return 2;
    if (c >= 0x400 && c <= 0x45F)
        return 3;
    return 0;
}

bool isCjk(char32_t c)
{
    return (c >= 0x3000 && c <= 0x303F) || (c >= 0x3040 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x4DBF)
        || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xFF00 && c <= 0xFFEF)
        || c >= 0x20000;
}

// How much the text looks like text when read as UTF-8: a letter of another alphabet counts
// fully inside a word (next to an ASCII letter, or in a run of three of its alphabet), a
// little when alone; a Chinese character counts fully; anything else counts against.
int utf8Score(const QString &text)
{
    const QList<uint> chars = text.toUcs4();
    int score = 0;
    for (qsizetype i = 0; i < chars.size(); ++i) {
        const char32_t c = chars.at(i);
        if (c < 0x80)
            continue;
        if (isCjk(c)) {
            score += 2;
            continue;
        }
        const int a = alphabet(c);
        if (a == 0) {
            score -= 2;
            continue;
        }
        const char32_t before = i > 0 ? chars.at(i - 1) : 0;
        const char32_t after = i + 1 < chars.size() ? chars.at(i + 1) : 0;
        qsizetype run = 1;
        for (qsizetype j = i - 1; j >= 0 && alphabet(chars.at(j)) == a; --j)
            ++run;
        for (qsizetype j = i + 1; j < chars.size() && alphabet(chars.at(j)) == a; ++j)
            ++run;
        score += isAsciiLetter(before) || isAsciiLetter(after) || run >= 3 ? 3 : 1;
    }
    return score;
}

// The same for the bytes read as the Chinese code page: the common characters of GB2312
// count fully, its rarer ones and symbols a little, the extensions not at all.
int gbScore(const QByteArray &bytes)
{
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.constData());
    int score = 0;
    for (qsizetype i = 0; i < bytes.size();) {
        if (b[i] < 0x80) {
            ++i;
            continue;
        }
        if (i + 1 < bytes.size() && b[i + 1] >= 0x30 && b[i + 1] <= 0x39) {
            i += 4; // a four-byte character: outside the code page
            continue;
        }
        const unsigned char lead = b[i];
        const unsigned char trail = i + 1 < bytes.size() ? b[i + 1] : 0;
        if (trail >= 0xA1 && trail <= 0xFE) {
            if (lead >= 0xB0 && lead <= 0xD7)
                score += 2;
            else if ((lead >= 0xD8 && lead <= 0xF7) || (lead >= 0xA1 && lead <= 0xA9))
                score += 1;
        }
        i += 2;
    }
    return score;
}

} // namespace

Encoding detect(const QByteArray &bytes)
{
    if (hasUtf16LeMark(bytes))
        return Encoding::Utf16Le;
    if (hasUtf16BeMark(bytes))
        return Encoding::Utf16Be;
    if (hasUtf8Mark(bytes))
        return Encoding::Utf8;
    if (!isValidUtf8(bytes))
        return Encoding::Gb18030;
    qsizetype twoByte = 0;
    qsizetype longer = 0;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0xC0 && b < 0xE0)
            ++twoByte;
        else if (b >= 0xE0)
            ++longer;
    }
    if (twoByte == 0 && longer == 0)
        return Encoding::Utf8; // plain ASCII reads the same either way
    if (!isValidGb18030(bytes))
        return Encoding::Utf8;
    // Chinese text in UTF-8 is made of three-byte sequences.
    if (longer >= twoByte)
        return Encoding::Utf8;
    // Many pairs of code page 936 bytes also form two-byte UTF-8 sequences ("图片" does):
    // the reading that looks more like text wins, the code page when they look alike.
    return utf8Score(QString::fromUtf8(bytes)) > gbScore(bytes) ? Encoding::Utf8 : Encoding::Gb18030;
}

namespace {

QString utf16Text(const QByteArray &body, QStringDecoder::Encoding byteOrder)
{
    // The file's one mark is gone; a second U+FEFF is text, not another mark.
    QStringDecoder decoder(byteOrder, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(body);
    // Half a surrogate pair is no character: as UTF-8 or the code page it would be
    // written as '?', so it reads as the replacement character from the start.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

QByteArray utf16Bytes(const QString &text, QStringEncoder::Encoding byteOrder, const QByteArray &mark)
{
    QStringEncoder encoder(byteOrder, QStringEncoder::Flag::Stateless);
    return mark + QByteArray(encoder.encode(text));
}

} // namespace

QString decode(const QByteArray &bytes, Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf16Le:
        return utf16Text(hasUtf16LeMark(bytes) ? bytes.mid(2) : bytes, QStringDecoder::Utf16LE);
    case Encoding::Utf16Be:
        return utf16Text(hasUtf16BeMark(bytes) ? bytes.mid(2) : bytes, QStringDecoder::Utf16BE);
    case Encoding::Utf8: {
        QByteArray body = hasUtf8Mark(bytes) ? bytes.mid(3) : bytes;
        return utf8Text(body);
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

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\n' && c != u'\r')
            continue;
        lines << text.mid(start, i - start);
        // CR LF, and CRs doubled before LF by a text written twice through a text mode, end
        // one line; a CR alone ends one too, so that no two lines run into one.
        if (c == u'\r') {
            qsizetype j = i;
            while (j < text.size() && text.at(j) == u'\r')
                ++j;
            if (j < text.size() && text.at(j) == u'\n')
                i = j;
        }
        start = i + 1;
    }
    // The line end of the last line starts no new line.
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

QByteArray encode(const QString &text, Encoding encoding, bool withMark)
{
    switch (encoding) {
    case Encoding::Utf16Le:
        return utf16Bytes(text, QStringEncoder::Utf16LE, withMark ? QByteArray("\xFF\xFE", 2) : QByteArray());
    case Encoding::Utf16Be:
        return utf16Bytes(text, QStringEncoder::Utf16BE, withMark ? QByteArray("\xFE\xFF", 2) : QByteArray());
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

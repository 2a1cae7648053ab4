#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text encodings of the classroom files. The Chinese code page is handled as GB18030,
// its superset: text that code page 936 can hold encodes to the same bytes, and every
// other character still round-trips instead of being lost. The code page's one byte that
// GB18030 lacks, 0x80 (the euro sign), is read and written as the code page has it.
namespace TextCodec {

enum class Encoding { Utf16Le, Utf16Be, Utf8, Gb18030 };

QString decodeGb18030(const QByteArray &bytes);
QByteArray encodeGb18030(const QString &text);

bool hasUtf16LeMark(const QByteArray &bytes);
bool hasUtf16BeMark(const QByteArray &bytes);
bool hasUtf8Mark(const QByteArray &bytes);
// The length of the byte-order mark that detect() tells the encoding by; 0 without one.
qsizetype markSize(const QByteArray &bytes);
// Bytes per code unit: 2 for UTF-16, 1 otherwise.
int unitSize(Encoding encoding);
bool isValidUtf8(const QByteArray &bytes);
// Every byte belongs to a one-, two- or four-byte GB18030 sequence (0x80 being the code
// page's euro sign).
bool isValidGb18030(const QByteArray &bytes);

// The one rule every reader uses. UTF-16 by its mark (FF FE little-endian, FE FF
// big-endian); UTF-8 by its mark. Otherwise text
// that is not valid UTF-8 is GB18030, and text that is not valid GB18030 is UTF-8 (plain
// ASCII too). Text valid as both is UTF-8 when made mostly of sequences of three bytes or
// more (Chinese in UTF-8); when two-byte sequences dominate (code page 936 text often passes
// as such), it is UTF-8 only if it reads more like text that way: letters of other alphabets
// inside words rather than symbols and rare characters.
Encoding detect(const QByteArray &bytes);

// Decodes by detect(); the byte-order mark, if any, is not part of the result.
QString decodeDetected(const QByteArray &bytes);
// Text as lines: LF, CR LF (CRs doubled before the LF included) and a CR alone each end a
// line, and a line end after the last line starts no new line.
QStringList splitLines(const QString &text);
QString decode(const QByteArray &bytes, Encoding encoding);

// Encodes with the encoding's byte-order mark when withMark is set (UTF-16, UTF-8).
QByteArray encode(const QString &text, Encoding encoding, bool withMark);

} // namespace TextCodec

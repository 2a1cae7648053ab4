#include "ProfileFile.h"

#include "AtomicTextFile.h"
#include "TextCodec.h"

#include <QFile>
#include <QFileInfo>

namespace {

using TextCodec::Encoding;

std::function<void(const QString &)> g_readObserver;

struct Line
{
    QByteArray bytes; // the line's own bytes, as they are in the file
    QByteArray end;   // its line end, empty for a last line without one
    QString text;     // decoded, to find sections and keys
};

// The file as lines of bytes, so that a rewrite changes only the lines it means to.
struct ProfileText
{
    Encoding encoding = Encoding::Utf8;
    QByteArray mark;
    QList<Line> lines;
    QByteArray lineEnd; // for lines that are added
    bool ascii = true;
};

QByteArray encoded(const QString &text, Encoding encoding)
{
    return TextCodec::encode(text, encoding, false);
}

// Where the first code unit of body at or after from that is the character c starts; -1
// when there is none. UTF-16 is searched by its 16-bit units, not its bytes.
qsizetype findUnit(const QByteArray &body, qsizetype from, char16_t c, Encoding encoding)
{
    const int unit = TextCodec::unitSize(encoding);
    if (unit == 1)
        return body.indexOf(static_cast<char>(c), from);
    const QByteArray wanted = encoded(QString(QChar(c)), encoding);
    for (qsizetype i = from; i + 1 < body.size(); i += 2) {
        if (body.at(i) == wanted.at(0) && body.at(i + 1) == wanted.at(1))
            return i;
    }
    return -1;
}

ProfileText parse(const QByteArray &bytes)
{
    ProfileText text;
    text.encoding = TextCodec::detect(bytes);
    text.mark = bytes.left(TextCodec::markSize(bytes));
    for (const char c : bytes)
        text.ascii = text.ascii && static_cast<unsigned char>(c) < 0x80;
    const QByteArray body = bytes.mid(text.mark.size());
    const int unit = TextCodec::unitSize(text.encoding);
    const QByteArray cr = encoded(QStringLiteral("\r"), text.encoding);

    qsizetype start = 0;
    while (start < body.size()) {
        const qsizetype newline = findUnit(body, start, u'\n', text.encoding);
        if (newline < 0) {
            const QByteArray rest = body.mid(start);
            text.lines.append({rest, {}, TextCodec::decode(rest, text.encoding)});
            break;
        }
        qsizetype lineEnd = newline;
        if (lineEnd - start >= unit && body.mid(lineEnd - unit, unit) == cr)
            lineEnd -= unit;
        const QByteArray lineBytes = body.mid(start, lineEnd - start);
        Line line{lineBytes, body.mid(lineEnd, newline + unit - lineEnd), TextCodec::decode(lineBytes, text.encoding)};
        if (text.lineEnd.isEmpty())
            text.lineEnd = line.end;
        text.lines.append(std::move(line));
        start = newline + unit;
    }
    if (text.lineEnd.isEmpty())
        text.lineEnd = encoded(QStringLiteral("\r\n"), text.encoding);
    return text;
}

// "[name]" with blanks around it.
bool isSectionLine(const QString &line, QString &name)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return false;
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0)
        return false;
    name = trimmed.mid(1, close - 1).trimmed();
    return true;
}

bool isKeyLine(const QString &line, const QString &key)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    return line.left(eq).trimmed().compare(key.trimmed(), Qt::CaseInsensitive) == 0;
}

QString valueOf(const QString &line)
{
    QString value = line.mid(line.indexOf(u'=') + 1).trimmed();
    if (value.size() >= 2 && ((value.startsWith(u'"') && value.endsWith(u'"'))
                              || (value.startsWith(u'\'') && value.endsWith(u'\''))))
        value = value.mid(1, value.size() - 2);
    return value;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

bool isAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// The bytes of the line up to and including its '=': the key keeps its stored spelling,
// blanks and bytes. No multi-byte character of the file's encodings contains the byte '='.
QByteArray keyPart(const Line &line, Encoding encoding)
{
    const qsizetype eq = findUnit(line.bytes, 0, u'=', encoding);
    return eq < 0 ? line.bytes : line.bytes.left(eq + TextCodec::unitSize(encoding));
}

void setEntry(ProfileText &text, const ProfileFile::Entry &entry)
{
    qsizetype sectionLine = -1;
    qsizetype lastEntry = -1; // the line the new key goes after
    qsizetype keyLine = -1;
    QString name;
    for (qsizetype i = 0; i < text.lines.size(); ++i) {
        const QString &line = text.lines.at(i).text;
        if (isSectionLine(line, name)) {
            if (sectionLine >= 0)
                break;
            if (sameName(name, entry.section))
                sectionLine = lastEntry = i;
            continue;
        }
        if (sectionLine < 0)
            continue;
        if (isKeyLine(line, entry.key)) {
            keyLine = i;
            break;
        }
        if (!line.trimmed().isEmpty())
            lastEntry = i;
    }

    auto insertAt = [&text](qsizetype position, const QString &lineText) {
        if (position > 0 && text.lines.at(position - 1).end.isEmpty()) {
            Line &last = text.lines[position - 1];
            // A UTF-16 file cut off in the middle of a unit: the lines after it must start
            // on a unit. 0xFF completes it as a character that is never a line break or '='.
            if (TextCodec::unitSize(text.encoding) == 2 && last.bytes.size() % 2 != 0)
                last.bytes += '\xFF';
            last.end = text.lineEnd;
        }
        text.lines.insert(position, Line{encoded(lineText, text.encoding), text.lineEnd, lineText});
    };
    if (keyLine >= 0) {
        Line &line = text.lines[keyLine];
        line.bytes = keyPart(line, text.encoding) + encoded(entry.value, text.encoding);
        line.text = line.text.left(line.text.indexOf(u'=') + 1) + entry.value;
    } else if (sectionLine >= 0) {
        insertAt(lastEntry + 1, entry.key + u'=' + entry.value);
    } else {
        insertAt(text.lines.size(), u'[' + entry.section + u']');
        insertAt(text.lines.size(), entry.key + u'=' + entry.value);
    }
}

QByteArray compose(const ProfileText &text, const QByteArray &mark)
{
    QByteArray out = mark;
    for (const Line &line : text.lines)
        out += line.bytes + line.end;
    return out;
}

// The file's bytes; missing is set for a file that is not there. False, with the reason,
// when it is there and cannot be read: a folder or a pipe is no settings file, and opening
// a pipe would wait for a writer.
bool readBytes(const QString &path, QByteArray &bytes, bool &missing, QString &reason)
{
    const QFileInfo info(path);
    missing = !info.exists();
    if (missing)
        return true;
    if (!info.isFile()) {
        reason = QStringLiteral("不是普通文件");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return false;
    }
    if (g_readObserver)
        g_readObserver(path);
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return false;
    }
    return true;
}

} // namespace

ProfileFile::ProfileFile(QString path)
    : m_path(std::move(path))
{
}

void ProfileFile::setReadObserver(std::function<void(const QString &path)> observer)
{
    g_readObserver = std::move(observer);
}

bool ProfileFile::exists() const
{
    return QFileInfo(m_path).isFile();
}

ProfileFile::Contents::Contents(QString path, bool exists, const QByteArray &bytes)
    : m_path(std::move(path))
    , m_exists(exists)
{
    const ProfileText text = parse(bytes);
    m_lines.reserve(text.lines.size());
    for (const Line &line : text.lines)
        m_lines.append(line.text);
}

QString ProfileFile::Contents::read(const QString &section, const QString &key) const
{
    bool inSection = false;
    QString name;
    for (const QString &line : m_lines) {
        if (isSectionLine(line, name)) {
            // Only the first section of the name counts, as for a write.
            if (inSection)
                break;
            inSection = sameName(name, section);
            continue;
        }
        if (inSection && isKeyLine(line, key)) {
            QString value = valueOf(line);
            if (value.size() > kMaxValueLength) {
                value.truncate(kMaxValueLength);
                if (value.back().isHighSurrogate())
                    value.chop(1); // never hand out half a character
            }
            return value;
        }
    }
    return {};
}

QString ProfileFile::readFrom(const QByteArray &bytes, const QString &section, const QString &key)
{
    return Contents({}, true, bytes).read(section, key);
}

std::optional<QByteArray> ProfileFile::writeInto(const QByteArray &bytes, const QList<Entry> &entries, QString *error)
{
    auto fail = [error](const QString &reason) -> std::optional<QByteArray> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    ProfileText text = parse(bytes);
    bool allAscii = true;
    for (const Entry &entry : entries) {
        for (const QString *part : {&entry.section, &entry.key, &entry.value}) {
            // A line break would cut the line in two and make a line of its own.
            if (part->contains(u'\n') || part->contains(u'\r'))
                return fail(QStringLiteral("设置值不能含有换行"));
            allAscii = allAscii && isAscii(*part);
        }
        setEntry(text, entry);
    }

    QByteArray mark = text.mark;
    QByteArray out = compose(text, mark);
    if (text.encoding == Encoding::Utf8 && mark.isEmpty()
        && ((text.ascii && !allAscii) || TextCodec::detect(out) != Encoding::Utf8)) {
        // Without the mark the new text could read back in the Chinese code page.
        mark = QByteArrayLiteral("\xEF\xBB\xBF");
        out = compose(text, mark);
    } else if (text.encoding == Encoding::Gb18030 && TextCodec::detect(out) != Encoding::Gb18030) {
        // The other lines would no longer read as they do: better no write than a file
        // that reads differently.
        return fail(QStringLiteral("写入后文件的编码无法辨认"));
    }
    return out;
}

QString ProfileFile::read(const QString &section, const QString &key) const
{
    return contents().read(section, key);
}

ProfileFile::Contents ProfileFile::contents() const
{
    QByteArray bytes;
    bool missing = false;
    QString reason;
    // A file that cannot be read reads as empty: its keys keep their defaults.
    const bool read = readBytes(m_path, bytes, missing, reason);
    return Contents(m_path, !missing && QFileInfo(m_path).isFile(), read ? bytes : QByteArray());
}

QString ProfileFile::write(const QString &section, const QString &key, const QString &value) const
{
    return write(QList<Entry>{{section, key, value}});
}

QString ProfileFile::write(const QList<Entry> &entries) const
{
    QByteArray bytes;
    bool missing = false;
    QString reason;
    // A file that could not be read is never replaced as if it were empty.
    if (!readBytes(m_path, bytes, missing, reason))
        return QStringLiteral("%1 读取失败（%2），设置未写入").arg(m_path, reason);
    const std::optional<QByteArray> out = writeInto(bytes, entries, &reason);
    if (!out)
        return QStringLiteral("%1：%2，设置未写入").arg(m_path, reason);
    return AtomicTextFile::write(m_path, *out);
}

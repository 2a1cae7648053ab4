#include "ProfileFile.h"

#include "AtomicTextFile.h"
#include "TextCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

namespace {

struct Line
{
    QString text;
    QString end; // "\r\n", "\n", or empty for a last line without a line end
};

// The file as lines, each keeping its own line end, so that a rewrite changes only the
// lines it means to change.
struct ProfileText
{
    QList<Line> lines;
    TextCodec::Encoding encoding = TextCodec::Encoding::Utf8;
    bool withMark = false;
    QString lineEnd = QStringLiteral("\r\n"); // for lines that are added
};

ProfileText loadText(const QString &path)
{
    ProfileText text;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return text;
    const QByteArray bytes = file.readAll();
    text.encoding = TextCodec::detect(bytes);
    text.withMark = TextCodec::hasUtf16LeMark(bytes) || TextCodec::hasUtf8Mark(bytes);
    const QString body = TextCodec::decode(bytes, text.encoding);
    qsizetype start = 0;
    bool lineEndSeen = false;
    while (start < body.size()) {
        const qsizetype newline = body.indexOf(u'\n', start);
        if (newline < 0) {
            text.lines.append({body.mid(start), QString()});
            break;
        }
        const bool crlf = newline > start && body.at(newline - 1) == u'\r';
        const qsizetype textEnd = crlf ? newline - 1 : newline;
        Line line{body.mid(start, textEnd - start), crlf ? QStringLiteral("\r\n") : QStringLiteral("\n")};
        if (!lineEndSeen) {
            text.lineEnd = line.end;
            lineEndSeen = true;
        }
        text.lines.append(std::move(line));
        start = newline + 1;
    }
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

} // namespace

ProfileFile::ProfileFile(QString path)
    : m_path(std::move(path))
{
}

bool ProfileFile::exists() const
{
    return QFileInfo(m_path).isFile();
}

QString ProfileFile::read(const QString &section, const QString &key) const
{
    const ProfileText text = loadText(m_path);
    bool inSection = false;
    QString name;
    for (const Line &line : text.lines) {
        if (isSectionLine(line.text, name)) {
            // Only the first section of the name counts, as for a write.
            if (inSection)
                break;
            inSection = sameName(name, section);
            continue;
        }
        if (inSection && isKeyLine(line.text, key)) {
            QString value = valueOf(line.text);
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

QString ProfileFile::write(const QString &section, const QString &key, const QString &value) const
{
    ProfileText text = loadText(m_path);

    qsizetype sectionLine = -1;
    qsizetype lastEntry = -1; // the line the new key goes after
    qsizetype keyLine = -1;
    QString name;
    for (qsizetype i = 0; i < text.lines.size(); ++i) {
        const QString &line = text.lines.at(i).text;
        if (isSectionLine(line, name)) {
            if (sectionLine >= 0)
                break;
            if (sameName(name, section))
                sectionLine = lastEntry = i;
            continue;
        }
        if (sectionLine < 0)
            continue;
        if (isKeyLine(line, key)) {
            keyLine = i;
            break;
        }
        if (!line.trimmed().isEmpty())
            lastEntry = i;
    }

    auto insertAt = [&text](qsizetype position, const QString &lineText) {
        if (position > 0 && text.lines.at(position - 1).end.isEmpty())
            text.lines[position - 1].end = text.lineEnd;
        text.lines.insert(position, Line{lineText, text.lineEnd});
    };
    if (keyLine >= 0) {
        // The stored spelling of the key and everything up to '=' stay as they are.
        Line &line = text.lines[keyLine];
        line.text = line.text.left(line.text.indexOf(u'=') + 1) + value;
    } else if (sectionLine >= 0) {
        insertAt(lastEntry + 1, key + u'=' + value);
    } else {
        insertAt(text.lines.size(), u'[' + section + u']');
        insertAt(text.lines.size(), key + u'=' + value);
    }

    QString body;
    for (const Line &line : std::as_const(text.lines))
        body += line.text + line.end;
    return AtomicTextFile::write(m_path, TextCodec::encode(body, text.encoding, text.withMark));
}

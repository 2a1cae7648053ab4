#include "ProfileFile.h"

#include "AtomicTextFile.h"
#include "TextCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

struct ProfileText
{
    QStringList lines;
    TextCodec::Encoding encoding = TextCodec::Encoding::Utf8;
    bool withMark = false;
    QString lineEnd = QStringLiteral("\r\n");
    bool endsWithLineEnd = true;
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
    QString body = TextCodec::decode(bytes, text.encoding);
    if (body.isEmpty())
        return text;
    if (!body.contains(QStringLiteral("\r\n")) && body.contains(u'\n'))
        text.lineEnd = QStringLiteral("\n");
    text.endsWithLineEnd = body.endsWith(u'\n');
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.lines = body.split(u'\n');
    if (text.endsWithLineEnd)
        text.lines.removeLast();
    return text;
}

// "[name]" with blanks around it; returns the name or a null string.
QString sectionName(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return {};
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0)
        return {};
    return trimmed.mid(1, close - 1).trimmed();
}

bool isKeyLine(const QString &line, const QString &key)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    return line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0;
}

QString valueOf(const QString &line)
{
    QString value = line.mid(line.indexOf(u'=') + 1).trimmed();
    if (value.size() >= 2 && ((value.startsWith(u'"') && value.endsWith(u'"'))
                              || (value.startsWith(u'\'') && value.endsWith(u'\''))))
        value = value.mid(1, value.size() - 2);
    return value;
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
    if (!m_loaded) {
        m_lines = loadText(m_path).lines;
        m_loaded = true;
    }
    bool inSection = false;
    for (const QString &line : std::as_const(m_lines)) {
        const QString name = sectionName(line);
        if (!name.isNull()) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (inSection && isKeyLine(line, key))
            return valueOf(line).left(kMaxValueLength);
    }
    return {};
}

QString ProfileFile::write(const QString &section, const QString &key, const QString &value) const
{
    ProfileText text = loadText(m_path);
    const QString entry = key + u'=' + value;

    qsizetype sectionStart = -1;
    qsizetype lastEntryInSection = -1;
    for (qsizetype i = 0; i < text.lines.size(); ++i) {
        const QString name = sectionName(text.lines.at(i));
        if (!name.isNull()) {
            if (sectionStart >= 0)
                break;
            if (name.compare(section, Qt::CaseInsensitive) == 0) {
                sectionStart = i;
                lastEntryInSection = i;
            }
            continue;
        }
        if (sectionStart < 0)
            continue;
        if (isKeyLine(text.lines.at(i), key)) {
            // Keep the stored spelling of the key so the file changes by its value only.
            const QString &line = text.lines.at(i);
            text.lines[i] = line.left(line.indexOf(u'=')).trimmed() + u'=' + value;
            lastEntryInSection = -2;
            break;
        }
        if (!text.lines.at(i).trimmed().isEmpty())
            lastEntryInSection = i;
    }
    if (sectionStart < 0) {
        text.lines << (u'[' + section + u']') << entry;
    } else if (lastEntryInSection >= 0) {
        text.lines.insert(lastEntryInSection + 1, entry);
    }

    QString body = text.lines.join(text.lineEnd);
    if (text.endsWithLineEnd)
        body += text.lineEnd;
    const QString error = AtomicTextFile::write(m_path, TextCodec::encode(body, text.encoding, text.withMark));
    m_loaded = false;
    return error;
}

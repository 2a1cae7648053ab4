#include "RosterFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

std::optional<RosterFile> RosterFile::read(const QString &path)
{
    // A folder or a pipe chosen by mistake would block the read or give nothing sensible.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parse(file.readAll());
}

bool RosterFile::isBlank(const QString &line)
{
    return std::all_of(line.cbegin(), line.cend(),
                       [](QChar c) { return c == u' ' || c == u'\t' || c == QChar(0x3000); });
}

RosterFile RosterFile::parse(const QByteArray &bytes)
{
    RosterFile roster;
    roster.encoding = TextCodec::detect(bytes);
    int lineNumber = 0;
    for (const QString &line : TextCodec::splitLines(TextCodec::decode(bytes, roster.encoding))) {
        ++lineNumber;
        if (!isBlank(line)) {
            roster.names << line;
            roster.lines << lineNumber;
        }
    }
    return roster;
}

std::optional<QString> RosterFile::gender() const
{
    if (TextCodec::unitSize(encoding) == 2)
        return QStringLiteral("男");
    return std::nullopt;
}

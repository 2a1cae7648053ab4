#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// A settings file of [section] headers and key=value lines. Sections and keys match
// without regard to case (the first section of a name is the one that counts); values
// are text. Every read looks at the file as it is on disk now, and every write replaces
// the file whole and atomically, keeping its encoding and the bytes of every line it does
// not set, even bytes that are not valid in that encoding.
class ProfileFile
{
public:
    static constexpr int kMaxValueLength = 254;

    struct Entry
    {
        QString section;
        QString key;
        QString value;
    };

    explicit ProfileFile(QString path);

    const QString &path() const { return m_path; }
    bool exists() const;

    // The value without surrounding blanks or quotes, at most kMaxValueLength characters.
    // Empty when the file, the section, the key or the value is missing, or when the file
    // cannot be read.
    QString read(const QString &section, const QString &key) const;

    // Creates the file, the section or the key as needed and replaces an existing value
    // in place; other lines keep their bytes and order. Returns an empty string on
    // success, otherwise the reason; a file that is there but cannot be read is never
    // replaced.
    QString write(const QString &section, const QString &key, const QString &value) const;
    // Sets every entry, in order, and replaces the file once.
    QString write(const QList<Entry> &entries) const;

    // The same on a file's bytes (empty for a new file). A plain-ASCII or new file that
    // receives other characters becomes UTF-8 with its byte-order mark, so that every
    // editor, and this reader, reads it back as written; a file with an encoding keeps it.
    static QString readFrom(const QByteArray &bytes, const QString &section, const QString &key);
    static std::optional<QByteArray> writeInto(const QByteArray &bytes, const QList<Entry> &entries,
                                               QString *error = nullptr);

private:
    QString m_path;
};

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
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

    // The file as it was when read, read and parsed once: its keys read as read() reads
    // them, however many are read.
    class Contents
    {
    public:
        Contents() = default;
        const QString &path() const { return m_path; }
        // A file was there (it may still have been unreadable: then every key reads empty).
        bool exists() const { return m_exists; }
        QString read(const QString &section, const QString &key) const;

    private:
        friend class ProfileFile;
        Contents(QString path, bool exists, const QByteArray &bytes);

        QString m_path;
        bool m_exists = false;
        QStringList m_lines;
    };

    explicit ProfileFile(QString path);

    const QString &path() const { return m_path; }
    bool exists() const;

    // The value without surrounding blanks or quotes, at most kMaxValueLength characters.
    // Empty when the file, the section, the key or the value is missing, or when the file
    // cannot be read.
    QString read(const QString &section, const QString &key) const;
    // One read of the file, for many keys.
    Contents contents() const;

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

    // Told the path of every file read from disk, so that tests can count the reads; an
    // empty function stops it.
    static void setReadObserver(std::function<void(const QString &path)> observer);

private:
    QString m_path;
};

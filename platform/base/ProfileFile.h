#pragma once

#include <QString>

// A settings file of [section] headers and key=value lines. Sections and keys match
// without regard to case (the first section of a name is the one that counts); values
// are text. Every read looks at the file as it is on disk now, and every write replaces
// the file whole and atomically, keeping its encoding and every other line byte for byte.
class ProfileFile
{
public:
    static constexpr int kMaxValueLength = 254;

    explicit ProfileFile(QString path);

    const QString &path() const { return m_path; }
    bool exists() const;

    // The value without surrounding blanks or quotes, at most kMaxValueLength characters.
    // Empty when the file, the section, the key or the value is missing.
    QString read(const QString &section, const QString &key) const;

    // Creates the file, the section or the key as needed and replaces an existing value
    // in place; other lines keep their text and order. Returns an empty string on
    // success, otherwise the reason.
    QString write(const QString &section, const QString &key, const QString &value) const;

private:
    QString m_path;
};

#pragma once

#include <QString>
#include <QStringList>

// A settings file of [section] headers and key=value lines. Sections and keys match
// without regard to case; values are text. An instance reads the file once, at its first
// read; every write replaces the file whole at once, keeping its encoding.
class ProfileFile
{
public:
    static constexpr int kMaxValueLength = 254;

    explicit ProfileFile(QString path);

    const QString &path() const { return m_path; }
    bool exists() const;

    // Empty when the file, the section, the key or the value is missing.
    QString read(const QString &section, const QString &key) const;

    // Creates the file, the section or the key as needed and replaces an existing value
    // in place; other lines keep their text and order. Returns an empty string on
    // success, otherwise the reason.
    QString write(const QString &section, const QString &key, const QString &value) const;

private:
    QString m_path;
    mutable QStringList m_lines;
    mutable bool m_loaded = false;
};

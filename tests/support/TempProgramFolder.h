#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A program folder of the test's own (res/, res/photo/, the score folder), made the
// program's folder while the fixture lives.
class TempProgramFolder
{
public:
    TempProgramFolder();
    ~TempProgramFolder();

    QString path() const;
    QString file(const QString &relative) const;
    QString scoreDir() const { return file(QStringLiteral("成绩")) + u'/'; }

    // Copies the program folder that the build lays out for the tests (never the one a
    // teacher runs the program in).
    void copyDemo();

    void writeFile(const QString &relative, const QByteArray &bytes) const;
    // Text in the Chinese code page, as the score files are.
    void writeGbText(const QString &relative, const QString &text) const;
    QByteArray readFile(const QString &relative) const;
    bool exists(const QString &relative) const;

private:
    QTemporaryDir m_dir;
};

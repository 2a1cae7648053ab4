#include "TempProgramFolder.h"

#include "platform/base/ProgramFolder.h"
#include "platform/base/TextCodec.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

TempProgramFolder::TempProgramFolder()
{
    QDir root(m_dir.path());
    root.mkpath(QStringLiteral("res/photo"));
    root.mkpath(QStringLiteral("成绩"));
    ProgramFolder::setExecutableFolder(m_dir.path());
}

TempProgramFolder::~TempProgramFolder()
{
    ProgramFolder::setExecutableFolder({});
}

QString TempProgramFolder::path() const
{
    return m_dir.path();
}

QString TempProgramFolder::file(const QString &relative) const
{
    return m_dir.path() + u'/' + relative;
}

void TempProgramFolder::copyDemo()
{
    const QString demo = QStringLiteral(PELLOR_TEST_PROGRAM_DIR);
    for (const QString &top : {QStringLiteral("res"), QStringLiteral("成绩")}) {
        QDirIterator it(demo + u'/' + top, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString target = file(source.mid(demo.size() + 1));
            QDir().mkpath(QFileInfo(target).path());
            QFile::remove(target);
            QFile::copy(source, target);
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        }
    }
}

void TempProgramFolder::writeFile(const QString &relative, const QByteArray &bytes) const
{
    const QString target = file(relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile f(target);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

void TempProgramFolder::writeGbText(const QString &relative, const QString &text) const
{
    writeFile(relative, TextCodec::encodeGb18030(text));
}

QByteArray TempProgramFolder::readFile(const QString &relative) const
{
    QFile f(file(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TempProgramFolder::exists(const QString &relative) const
{
    return QFileInfo::exists(file(relative));
}

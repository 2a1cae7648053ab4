#include "ProgramFolder.h"

#include <QCoreApplication>

namespace ProgramFolder {

namespace {
QString g_folder;
}

QString executableFolder()
{
    return g_folder.isEmpty() ? QCoreApplication::applicationDirPath() : g_folder;
}

void setExecutableFolder(const QString &folder)
{
    g_folder = folder;
    while (g_folder.size() > 1 && g_folder.endsWith(u'/'))
        g_folder.chop(1);
}

QString normalised(const QString &path)
{
    QString out = path;
    out.replace(u'\\', u'/');
    return out;
}

QString asFolder(const QString &path)
{
    if (path.isEmpty())
        return path;
    QString out = normalised(path);
    while (out.size() > 1 && out.endsWith(u'/') && out.at(out.size() - 2) == u'/')
        out.chop(1);
    if (!out.endsWith(u'/'))
        out += u'/';
    return out;
}

QString join(const QString &folder, const QString &relative)
{
    QString left = normalised(folder);
    QString right = normalised(relative);
    while (left.endsWith(u'/'))
        left.chop(1);
    while (right.startsWith(u'/'))
        right.remove(0, 1);
    return left + u'/' + right;
}

} // namespace ProgramFolder

#include "AtomicTextFile.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace AtomicTextFile {

namespace {
std::function<void(const QString &)> g_observer;
}

void setReplaceObserver(std::function<void(const QString &path)> observer)
{
    g_observer = std::move(observer);
}

QString write(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk) shows here: a buffered one is only
    // flushed at commit, where a short write goes unnoticed and the file would be replaced
    // by its first part.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.error() != QFileDevice::NoError ? file.errorString()
                                                                    : QStringLiteral("the disk is full");
        file.cancelWriting();
        return error;
    }
#ifdef Q_OS_UNIX
    // commit() syncs too but ignores a failure, which is where a delayed write error shows.
    if (::fsync(file.handle()) != 0) {
        const QString error = QString::fromLocal8Bit(std::strerror(errno));
        file.cancelWriting();
        return error;
    }
#endif
    if (!file.commit())
        return file.errorString();
    if (g_observer)
        g_observer(path);
    return {};
}

} // namespace AtomicTextFile

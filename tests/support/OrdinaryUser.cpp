#include "OrdinaryUser.h"

#include <QFile>

#include <cerrno>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace OrdinaryUser {

std::optional<QString> run(const std::function<QString()> &work)
{
    if (::geteuid() != 0)
        return work();
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        return std::nullopt;
    }
    if (child == 0) {
        ::close(pipeEnds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(1);
        const QByteArray result = work().toUtf8();
        const bool written = ::write(pipeEnds[1], result.constData(), static_cast<size_t>(result.size()))
            == static_cast<ssize_t>(result.size());
        // No destructor of the parent's objects runs in the child.
        ::_exit(written ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    QByteArray result;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) != 0;) {
        if (n > 0)
            result.append(buffer, n);
        else if (errno != EINTR)
            break;
    }
    ::close(pipeEnds[0]);
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return QString::fromUtf8(result);
}

bool give(const QString &path)
{
    return ::geteuid() != 0 || ::chown(QFile::encodeName(path).constData(), kNobody, kNobody) == 0;
}

} // namespace OrdinaryUser

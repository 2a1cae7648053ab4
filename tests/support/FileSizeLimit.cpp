#include "FileSizeLimit.h"

#include <csignal>

FileSizeLimit::FileSizeLimit(long long bytes)
{
    if (getrlimit(RLIMIT_FSIZE, &m_previous) != 0)
        return;
    // Without this the kernel ends the process instead of failing the write.
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = m_previous;
    limited.rlim_cur = static_cast<rlim_t>(bytes);
    m_active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    if (!m_active)
        std::signal(SIGXFSZ, m_previousHandler);
}

FileSizeLimit::~FileSizeLimit()
{
    if (!m_active)
        return;
    setrlimit(RLIMIT_FSIZE, &m_previous);
    std::signal(SIGXFSZ, m_previousHandler);
}

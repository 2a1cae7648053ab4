#include "BackgroundWorker.h"

namespace {
std::function<void(const BackgroundWorker::Job &)> g_runner;
}

BackgroundWorker::BackgroundWorker()
{
    m_pool.setMaxThreadCount(1);
}

BackgroundWorker::~BackgroundWorker()
{
    m_pool.clear();
    m_pool.waitForDone();
}

void BackgroundWorker::start(Job job)
{
    if (g_runner)
        g_runner(job);
    else
        m_pool.start(std::move(job));
}

void BackgroundWorker::setRunner(std::function<void(const Job &)> runner)
{
    g_runner = std::move(runner);
}

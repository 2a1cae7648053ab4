#include "BackgroundWorker.h"

namespace {
std::function<void(const BackgroundWorker::Job &)> g_runner;
}

BackgroundWorker::~BackgroundWorker()
{
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_jobs.clear();
        m_stopping = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void BackgroundWorker::start(Job job)
{
    if (g_runner) {
        g_runner(job);
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_jobs.push_back(std::move(job));
    }
    if (!m_thread.joinable())
        m_thread = std::thread(&BackgroundWorker::run, this);
    m_wake.notify_one();
}

void BackgroundWorker::run()
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_stopping)
            return;
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        lock.unlock();
        job();
        job = nullptr;
        lock.lock();
    }
}

void BackgroundWorker::setRunner(std::function<void(const Job &)> runner)
{
    g_runner = std::move(runner);
}

#include "Timer.h"

#include <chrono>

namespace {

Timer::SleepFunction &sleepFunction()
{
    static Timer::SleepFunction sleep;
    return sleep;
}

std::atomic<int> g_running{0};
std::atomic<int> g_peak{0};

} // namespace

Timer::Timer() = default;

Timer::~Timer()
{
    // A derived class has stopped its worker already; this only collects a worker that
    // ended by itself.
    Stop();
}

void Timer::setSleepFunction(SleepFunction sleep)
{
    sleepFunction() = std::move(sleep);
}

int Timer::runningWorkers()
{
    return g_running.load();
}

int Timer::peakWorkers()
{
    return g_peak.load();
}

void Timer::resetPeakWorkers()
{
    g_peak.store(g_running.load());
}

void Timer::joinWorker()
{
    if (m_worker.joinable())
        m_worker.join();
}

void Timer::Stop()
{
    m_bStop.store(true);
    joinWorker();
}

void Timer::Start()
{
    if (!m_bStop.load())
        return;
    // A worker that stopped itself at zero may not have left its loop yet; clearing the
    // flag before it has would keep it running beside the new one.
    joinWorker();
    m_bStop.store(false);
    m_worker = std::thread(&Timer::TimerThreadProc, this);
}

void Timer::TimerThreadProc(Timer *timer)
{
    const int running = ++g_running;
    int peak = g_peak.load();
    while (running > peak && !g_peak.compare_exchange_weak(peak, running)) {
    }
    while (!timer->m_bStop.load()) {
        if (const SleepFunction &sleep = sleepFunction())
            sleep(timer->m_nInterval, timer->m_bStop);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(timer->m_nInterval));
        timer->OnTick();
    }
    --g_running;
}

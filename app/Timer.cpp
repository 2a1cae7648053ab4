#include "Timer.h"

namespace {

Timer::WaitFunction &waitFunction()
{
    static Timer::WaitFunction wait;
    return wait;
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

void Timer::setWaitFunction(WaitFunction wait)
{
    waitFunction() = std::move(wait);
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

bool Timer::TickWait::waitFor(std::chrono::milliseconds time)
{
    std::unique_lock lock(m_timer.m_waitLock);
    return !m_timer.m_stopRequested.wait_for(lock, time, [this] { return m_timer.m_bStop.load(); });
}

void Timer::joinWorker()
{
    if (m_worker.joinable())
        m_worker.join();
}

void Timer::Stop()
{
    {
        const std::lock_guard lock(m_waitLock);
        m_bStop.store(true);
    }
    m_stopRequested.notify_all();
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
    // Counted as it begins, not once the scheduler first runs it: a count read right after
    // Start() never misses it.
    const int running = ++g_running;
    int peak = g_peak.load();
    while (running > peak && !g_peak.compare_exchange_weak(peak, running)) {
    }
    m_worker = std::thread(&Timer::TimerThreadProc, this);
}

void Timer::TimerThreadProc(Timer *timer)
{
    TickWait wait(*timer);
    const WaitFunction &waitFn = waitFunction();
    while (!timer->m_bStop.load()) {
        const bool due = waitFn ? waitFn(timer->m_nInterval, wait)
                                : wait.waitFor(std::chrono::milliseconds(timer->m_nInterval));
        // A stop asked for during the wait ends the count without a further tick.
        if (!due || timer->m_bStop.load())
            break;
        timer->OnTick();
    }
    --g_running;
}

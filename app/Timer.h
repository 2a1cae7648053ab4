#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// A worker thread that calls OnTick every m_nInterval milliseconds until it is stopped,
// or until a tick stops it by setting m_bStop. Between ticks the worker waits on the stop
// request, so a stop ends the wait at once and no tick follows it. At most one worker runs
// at a time: a new one begins only after the previous one has left its loop and ended.
class Timer
{
public:
    Timer();
    virtual ~Timer();

    Timer(const Timer &) = delete;
    Timer &operator=(const Timer &) = delete;

    // Milliseconds between ticks; -1 until the owner sets it.
    int m_nInterval = -1;
    // Stop request; also true whenever no worker runs.
    std::atomic<bool> m_bStop{true};

    // Begins a worker when none runs. User-interface thread only.
    void Start();
    // Asks the worker to end, wakes it from its wait and waits for it to end. User-interface
    // thread only; a derived class calls it before it goes.
    void Stop();

    // One tick, on the worker thread.
    virtual void OnTick() {}

    // The worker's wait before a tick, as the wait function is handed it.
    class TickWait
    {
    public:
        // True once the time is up; false, as soon as it is asked for, when a stop is.
        bool waitFor(std::chrono::milliseconds time);

    private:
        friend class Timer;
        explicit TickWait(Timer &timer) : m_timer(timer) {}
        Timer &m_timer;
    };

    // The wait between ticks: true when the next tick is due, false when the worker is to
    // end. Without one, TickWait::waitFor for the interval; tests set one before any worker
    // begins.
    using WaitFunction = std::function<bool(int milliseconds, TickWait &wait)>;
    static void setWaitFunction(WaitFunction wait);

    // Workers begun and not yet ended now, and the most there ever were at once since the
    // last reset.
    static int runningWorkers();
    static int peakWorkers();
    static void resetPeakWorkers();

private:
    static void TimerThreadProc(Timer *timer);
    // Waits for a worker that has been begun and not yet waited for.
    void joinWorker();

    std::thread m_worker;
    // The stop request is set under this lock and announced on this condition, so that a
    // worker about to wait either sees it or is woken by it.
    std::mutex m_waitLock;
    std::condition_variable m_stopRequested;
};

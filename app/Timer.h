#pragma once

#include <atomic>
#include <functional>
#include <thread>

// A worker thread that calls OnTick every m_nInterval milliseconds until it is stopped,
// or until a tick stops it by setting m_bStop. At most one worker runs at a time: a new
// one begins only after the previous one has left its loop and ended.
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
    // Asks the worker to end and waits for it: it finishes its current wait and one more
    // tick first. User-interface thread only; a derived class calls it before it goes.
    void Stop();

    // One tick, on the worker thread.
    virtual void OnTick() {}

    // The wait between ticks (the thread's sleep, which does not look at the stop request);
    // tests replace it before any worker begins.
    using SleepFunction = std::function<void(int milliseconds, const std::atomic<bool> &stop)>;
    static void setSleepFunction(SleepFunction sleep);

    // Workers inside their loop now, and the most there ever were at once since the last reset.
    static int runningWorkers();
    static int peakWorkers();
    static void resetPeakWorkers();

private:
    static void TimerThreadProc(Timer *timer);
    // Waits for a worker that has been begun and not yet waited for.
    void joinWorker();

    std::thread m_worker;
};

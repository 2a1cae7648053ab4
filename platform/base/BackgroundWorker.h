#pragma once

#include <QThreadPool>

#include <functional>

// A thread that runs jobs one after another away from the windows' thread, so that slow work
// (a phone's photo read and decoded) never holds up a click. Tests decide where every job
// runs instead: at once, or held until the test runs it, so that no test waits for a thread.
class BackgroundWorker
{
public:
    using Job = std::function<void()>;

    BackgroundWorker();
    // Drops the jobs not begun and waits for the one under way.
    ~BackgroundWorker();
    BackgroundWorker(const BackgroundWorker &) = delete;
    BackgroundWorker &operator=(const BackgroundWorker &) = delete;

    void start(Job job);

    // Where every worker's jobs run from now on; an empty function gives each its thread again.
    static void setRunner(std::function<void(const Job &)> runner);

private:
    QThreadPool m_pool;
};

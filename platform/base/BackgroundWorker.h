#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// A thread that runs jobs one after another away from the windows' thread, so that slow work
// (a phone's photo read and decoded) never holds up a click. Tests decide where every job
// runs instead: at once, or held until the test runs it, so that no test waits for a thread.
// Made of the standard library's thread and locks, which ThreadSanitizer sees through.
class BackgroundWorker
{
public:
    using Job = std::function<void()>;

    BackgroundWorker() = default;
    // Drops the jobs not begun and waits for the one under way.
    ~BackgroundWorker();
    BackgroundWorker(const BackgroundWorker &) = delete;
    BackgroundWorker &operator=(const BackgroundWorker &) = delete;

    void start(Job job);

    // Where every worker's jobs run from now on; an empty function gives each its thread again.
    static void setRunner(std::function<void(const Job &)> runner);

private:
    void run();

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::deque<Job> m_jobs;
    bool m_stopping = false;
    std::thread m_thread; // started with the first job
};

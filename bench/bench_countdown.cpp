// Choosing a new length while the countdown runs: how long the window is blocked from the
// choice until the new worker runs, beside a plain std::thread started and joined (the least
// a restart that ends one thread and begins another can cost), measured in the same run. The
// old worker is waiting for its next second, as it is in a lesson, and the new one has begun
// its wait when the time is taken. The choice must block the window well under 20 ms.
#include "app/CMyStatic.h"
#include "app/CTimeJishiDlg.h"
#include "app/Timer.h"
#include "bench/HeadlessEnvironment.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kTargetMs = 20.0;

std::unique_ptr<CTimeJishiDlg> g_dialog;
std::vector<double> g_restartTimes;
std::vector<double> g_threadTimes;

void choose(int index)
{
    g_dialog->m_comboMinutes->setCurrentIndex(index);
    emit g_dialog->m_comboMinutes->activated(index);
}

// Set by a worker as it begins to wait for its next tick, on the timer's own wait.
std::atomic<bool> g_waiting{false};

bool announcedWait(int milliseconds, Timer::TickWait &wait)
{
    g_waiting = true;
    return wait.waitFor(std::chrono::milliseconds(milliseconds));
}

// Until the worker begun last waits for its first second.
void waitForWorker()
{
    while (!g_waiting || Timer::runningWorkers() != 1)
        std::this_thread::yield();
    g_waiting = false;
}

void BM_CountdownRestart(benchmark::State &state)
{
    choose(0);
    waitForWorker();
    int index = 1;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        choose(index);
        waitForWorker();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        g_restartTimes.push_back(seconds);
        index = (index + 1) % 6;
    }
    g_dialog->m_staticTime->Stop();
}

void BM_ThreadStartAndJoin(benchmark::State &state)
{
    for (auto _ : state) {
        std::atomic<bool> running{false};
        const Clock::time_point start = Clock::now();
        std::thread worker([&running] { running = true; });
        while (!running)
            std::this_thread::yield();
        worker.join();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        g_threadTimes.push_back(seconds);
    }
}

BENCHMARK(BM_CountdownRestart)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_ThreadStartAndJoin)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double largest(const std::vector<double> &values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

} // namespace

int main(int argc, char **argv)
{
    const HeadlessEnvironment headless;
    QApplication app(argc, argv);
    Timer::setWaitFunction(announcedWait);
    g_dialog = std::make_unique<CTimeJishiDlg>();
    g_dialog->ShowCountdown();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_dialog.reset();

    const double restart = median(g_restartTimes) * 1000;
    const double thread = median(g_threadTimes) * 1000;
    if (restart > 0 && thread > 0) {
        std::printf("new length while counting, median: restart %.3f ms (longest %.3f ms), "
                    "std::thread start and join %.3f ms; ratio %.1f\n",
                    restart, largest(g_restartTimes) * 1000, thread, restart / thread);
        std::printf("the window is blocked %.3f ms at the median (target well under %.0f ms)\n", restart,
                    kTargetMs);
    }
    return 0;
}

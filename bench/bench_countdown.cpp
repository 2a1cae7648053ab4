// Choosing a new length while the countdown runs: how long the window is blocked from the
// choice until the new worker runs. The old worker is waiting for its next second, as it is
// in a lesson, and the new one has begun its wait when the time is taken. The choice must
// block the window well under 20 ms.
#include "app/CMyStatic.h"
#include "app/CTimeJishiDlg.h"
#include "app/Timer.h"
#include "bench/Comparisons.h"

#include <QComboBox>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kLimitMs = 20.0;

// Set by a worker as it begins to wait for its next tick, on the timer's own wait.
std::atomic<bool> g_waiting { false };

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

void choose(CTimeJishiDlg &dialog, int index)
{
    dialog.m_comboMinutes->setCurrentIndex(index);
    emit dialog.m_comboMinutes->activated(index);
}

// The countdown window, counting.
CTimeJishiDlg &countdown()
{
    static CTimeJishiDlg &dialog = *Bench::keep([] {
        Timer::setWaitFunction(announcedWait);
        auto made = std::make_unique<CTimeJishiDlg>();
        made->ShowCountdown();
        choose(*made, 0);
        waitForWorker();
        return made;
    }());
    return dialog;
}

void countdownRestart(benchmark::State &state)
{
    CTimeJishiDlg &dialog = countdown();
    static int index = 1;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        choose(dialog, index);
        waitForWorker();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        index = (index + 1) % 6;
    }
}

} // namespace

int main(int argc, char **argv)
{
    Bench::Comparison restart { "countdown: a new length while counting blocks the window", countdownRestart,
        {}, kLimitMs };
    restart.iterations = 50;
    restart.manualTime = true;
    return Bench::run(argc, argv, { restart });
}

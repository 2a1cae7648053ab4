#pragma once

#include <QString>

#include <atomic>

// Seconds counted by the running countdown; 0 when none runs. Counted by the countdown's
// worker, reset by the user-interface thread only while no worker runs.
extern std::atomic<int> g_nElapsedSeconds;
// The tool bar's record of whether the countdown window is shown.
extern int g_bCountdownVisible;

namespace Countdown {

// The lengths offered, in list order.
inline constexpr int kLengths[] = {5, 10, 20, 30, 40, 45};
inline constexpr int kLengthCount = 6;

// The length for a list position; any other position keeps the previous length.
int minutesForIndex(int index, int previousMinutes);

// The remaining time as minutes and seconds, at least two digits each ("04:59", "10:05").
QString timeText(int secondsLeft);

} // namespace Countdown

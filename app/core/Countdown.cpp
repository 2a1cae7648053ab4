#include "Countdown.h"

std::atomic<int> g_nElapsedSeconds{0};
int g_bCountdownVisible = 0;

namespace Countdown {

int minutesForIndex(int index, int previousMinutes)
{
    if (index < 0 || index >= kLengthCount)
        return previousMinutes;
    return kLengths[index];
}

QString timeText(int secondsLeft)
{
    const int m = secondsLeft / 60;
    const int s = secondsLeft % 60;
    const char *format = s >= 10 ? (m >= 10 ? "%d:%d" : "0%d:%d") : (m >= 10 ? "%d:0%d" : "0%d:0%d");
    return QString::asprintf(format, m, s);
}

} // namespace Countdown

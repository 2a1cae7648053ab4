#include "RandomSource.h"

#include "Clock.h"

#include <mutex>

namespace RandomSource {

namespace {

std::mutex g_mutex;
unsigned int g_state = 1;
std::function<int()> g_generator;

} // namespace

void seed(unsigned int value)
{
    std::lock_guard lock(g_mutex);
    g_state = value;
}

void seedFromClock()
{
    seed(static_cast<unsigned int>(Clock::secondsSinceEpoch()));
}

int next()
{
    std::lock_guard lock(g_mutex);
    if (g_generator)
        return g_generator();
    // The classic linear congruential generator of the C runtime, 15 bits wide.
    g_state = g_state * 214013u + 2531011u;
    return static_cast<int>((g_state >> 16) & kRandMax);
}

int oneTo(int n)
{
    return n > 0 ? next() % n + 1 : 1;
}

void setGenerator(std::function<int()> generator)
{
    std::lock_guard lock(g_mutex);
    g_generator = std::move(generator);
}

} // namespace RandomSource

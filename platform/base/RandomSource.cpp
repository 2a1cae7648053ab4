#include "RandomSource.h"

#include "Clock.h"

#include <QRandomGenerator>

#include <mutex>

namespace RandomSource {

namespace {

std::mutex g_mutex;
// Once from the system's entropy, so that two runs started in the same second differ.
unsigned int g_state = QRandomGenerator::system()->generate();
std::function<int()> g_generator;

// splitmix64's finaliser: every bit of the input moves about half the output bits.
quint64 mixed(quint64 x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

} // namespace

void seed(unsigned int value)
{
    std::lock_guard lock(g_mutex);
    g_state = value;
}

void seedFromClock()
{
    // Seeded from the clock alone, picks a second (or a fixed interval) apart would start
    // the generator at neighbouring states and draw in step; mixing the time into the state
    // the last pick left makes each pick a draw of its own.
    const auto micros = static_cast<quint64>(Clock::microsecondsSinceEpoch());
    std::lock_guard lock(g_mutex);
    g_state = static_cast<unsigned int>(mixed((static_cast<quint64>(g_state) << 32) ^ micros) >> 32);
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

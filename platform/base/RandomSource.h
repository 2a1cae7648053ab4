#pragma once

#include <functional>

// The program's one random generator, the C runtime's: seeded once from the system's
// entropy, and reseeded from the clock (mixed with its own state) when a pick or a clip
// choice begins. Tests put a fixed sequence in its place, or seed it and fix the clock.
namespace RandomSource {

constexpr int kRandMax = 0x7fff;

void seed(unsigned int value);
void seedFromClock();

// Next value in 0..kRandMax.
int next();

// A value from 1 to n: the next value modulo n, plus 1. n must be positive.
int oneTo(int n);

// Replaces the generator; an empty function restores the built-in one.
void setGenerator(std::function<int()> generator);

} // namespace RandomSource

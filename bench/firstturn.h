#ifndef FIRSTTURN_H
#define FIRSTTURN_H

#include <cstdio>
#include <ctime>

// Prints the CLOCK_MONOTONIC time in nanoseconds on standard output, where
// the process benchmark reads it: the moment the started program reached the
// first turn of its event loop.
// How long the started programs let their event loop run after loading
// before they quit, for the text displays to lay long texts out (they do so
// in steps on a timer).
constexpr int lingerMilliseconds = 200;

inline void reportFirstTurn()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    std::fflush(stdout);
}

#endif // FIRSTTURN_H

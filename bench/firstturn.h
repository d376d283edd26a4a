#ifndef FIRSTTURN_H
#define FIRSTTURN_H

#include <cstdio>
#include <ctime>

// How long the started programs let their event loop run after the first
// turn before they quit: for the window to be painted and, after a load, for
// the text displays to lay the long texts out (they do so in steps on a
// timer). The peak memory is taken over the whole run.
constexpr int lingerMilliseconds = 200;

// Prints the CLOCK_MONOTONIC time in nanoseconds on standard output, where
// the process benchmark reads it: the moment the started program reached the
// first turn of its event loop.
inline void reportFirstTurn()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    std::fflush(stdout);
}

#endif // FIRSTTURN_H

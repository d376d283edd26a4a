#ifndef PROCESSMETER_H
#define PROCESSMETER_H

// What this process uses, as Linux tells it: resident memory from
// /proc/self/status and the processor time it has taken. Shared by the
// question display's benchmark and its fuzzer, which hold each showing to
// the same bounds.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

// A field of /proc/self/status in kB: VmRSS, the resident size now, or
// VmHWM, its peak since the last resetPeak().
inline long statusKilobytes(const char *field)
{
    long kilobytes = 0;
    if (FILE *status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        const std::size_t length = std::strlen(field);
        while (std::fgets(line, sizeof line, status)) {
            if (std::strncmp(line, field, length) == 0 && line[length] == ':') {
                kilobytes = std::atol(line + length + 1);
                break;
            }
        }
        std::fclose(status);
    }
    return kilobytes;
}

// Lets VmHWM start again from the resident size now.
inline void resetPeak()
{
    if (FILE *clear = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", clear);
        std::fclose(clear);
    }
}

// The processor time this process has taken, in milliseconds.
inline double cpuMilliseconds()
{
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

#endif // PROCESSMETER_H

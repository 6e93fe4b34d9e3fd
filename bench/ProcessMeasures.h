#pragma once
// What the whole-process benchmarks read off the process: wall and CPU time, page faults of the
// calling thread, and the peak resident memory.
#include <sys/resource.h>

#include <chrono>
#include <ctime>

namespace rastrix::bench {

using Clock = std::chrono::steady_clock;

inline double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// CLOCK_THREAD_CPUTIME_ID or CLOCK_PROCESS_CPUTIME_ID, in milliseconds.
inline double CpuMs(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

inline long ThreadMinorFaults() {
    rusage u{};
    getrusage(RUSAGE_THREAD, &u);
    return u.ru_minflt;
}

inline double PeakMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

}  // namespace rastrix::bench

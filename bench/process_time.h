// Processor time of the whole process, for the frame benchmarks: every thread counts, the
// software rasteriser's included.
#pragma once

#include <sys/resource.h>

inline double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

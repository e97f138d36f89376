// What the benchmarks measure besides their own figures: wall time, the process's CPU time (the
// share of a wall time that does not depend on how busy the machine is) and its peak memory.
#pragma once

#include <sys/resource.h>

#include <chrono>

namespace vessaro::bench {

inline double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// User + system time of the whole process (all threads) so far.
inline double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

inline long PeakResidentKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace vessaro::bench

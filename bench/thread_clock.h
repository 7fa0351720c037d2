#pragma once
// The benchmarks time work in the CPU time of the calling thread: the game, SDL's software
// renderer and the decoders all run on it, and other work on the machine does not count.

#include <ctime>

inline double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

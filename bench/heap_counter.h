#pragma once
// Counts every request the program makes through the global operator new (the benchmark
// executable replaces it), so a benchmark can tell how many heap allocations a frame makes.

#include <cstddef>

struct HeapCount {
  std::size_t allocations = 0;  // calls of operator new since the program started
  std::size_t bytes = 0;        // bytes they asked for
};

HeapCount HeapCountNow();

#pragma once
// Turns the developer's trace (DRAKMOOR_DEBUG=1) on for the life of the object.

#include <cstdlib>

class ScopedDebugTrace {
 public:
  ScopedDebugTrace() { setenv("DRAKMOOR_DEBUG", "1", 1); }
  ~ScopedDebugTrace() { unsetenv("DRAKMOOR_DEBUG"); }
  ScopedDebugTrace(const ScopedDebugTrace&) = delete;
  ScopedDebugTrace& operator=(const ScopedDebugTrace&) = delete;
};

#pragma once
// Turns the developer's trace on (DRAKMOOR_DEBUG=1) for the life of the object, for tests that
// read the debug lines the game writes to standard error.

#include <cstdlib>

class ScopedDebugTrace {
 public:
  ScopedDebugTrace() { setenv("DRAKMOOR_DEBUG", "1", 1); }
  ~ScopedDebugTrace() { unsetenv("DRAKMOOR_DEBUG"); }
  ScopedDebugTrace(const ScopedDebugTrace&) = delete;
  ScopedDebugTrace& operator=(const ScopedDebugTrace&) = delete;
};

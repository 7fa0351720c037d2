#pragma once
// The framework's clock: application time that can be stopped, started and
// reset, read once per frame. Time spent stopped never counts.

#include <cstdint>

class cFrameworkTimer {
 public:
  // What one frame reads.
  struct Reading {
    double time = 0.0;          // seconds of application time since the last reset
    double absoluteTime = 0.0;  // seconds on the underlying counter
    float elapsed = 0.0f;       // seconds since the previous reading; never negative nor NaN
  };

  // Stop: time stands still until Start. Repeated calls change nothing.
  void Stop();
  // Start: time goes on from where it stopped. Repeated calls change nothing.
  void Start();
  // Reset: application time restarts at zero and the timer runs.
  void Reset();
  bool IsStopped() const { return stopped_; }

  // Reads time, absolute time and elapsed time; the next elapsed time counts
  // from this reading. While stopped, time stays constant and elapsed is 0.
  Reading Read();

  // The performance counter (false) or a counter that moves only through
  // AdvanceManualClock (true). Switching restarts application time at zero
  // and keeps the stopped state.
  void UseManualClock(bool manual);
  // Moves the manual counter on; negative or non-finite steps are ignored.
  void AdvanceManualClock(double seconds);

 private:
  std::int64_t Counter() const;  // the underlying counter, in ticks
  std::int64_t Now() const;      // the stop time while stopped, else the counter
  double TicksPerSecond() const;

  bool manual_ = false;
  std::int64_t manualTicks_ = 0;
  bool stopped_ = true;  // the timer is created stopped
  std::int64_t stopTime_ = 0;
  std::int64_t lastElapsedTime_ = 0;
  std::int64_t baseTime_ = 0;
};

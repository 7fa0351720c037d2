#include "platform/framework_timer.h"

#include <SDL.h>

#include <cmath>

namespace {

constexpr double kManualTicksPerSecond = 1e9;

}  // namespace

std::int64_t cFrameworkTimer::Counter() const {
  return manual_ ? manualTicks_ : static_cast<std::int64_t>(SDL_GetPerformanceCounter());
}

double cFrameworkTimer::TicksPerSecond() const {
  return manual_ ? kManualTicksPerSecond : static_cast<double>(SDL_GetPerformanceFrequency());
}

std::int64_t cFrameworkTimer::Now() const { return stopped_ ? stopTime_ : Counter(); }

void cFrameworkTimer::Stop() {
  if (stopped_) return;
  stopTime_ = lastElapsedTime_ = Counter();
  stopped_ = true;
}

void cFrameworkTimer::Start() {
  if (!stopped_) return;
  const std::int64_t counter = Counter();
  baseTime_ += counter - stopTime_;
  lastElapsedTime_ = counter;
  stopped_ = false;
}

void cFrameworkTimer::Reset() {
  // The timer runs from here on, so time counts from the live counter: taking the stop
  // time of a stopped timer would count the stopped interval after all.
  baseTime_ = lastElapsedTime_ = Counter();
  stopped_ = false;
}

cFrameworkTimer::Reading cFrameworkTimer::Read() {
  const std::int64_t now = Now();
  const double ticksPerSecond = TicksPerSecond();
  Reading reading;
  reading.time = static_cast<double>(now - baseTime_) / ticksPerSecond;
  reading.absoluteTime = static_cast<double>(now) / ticksPerSecond;
  reading.elapsed = static_cast<float>(static_cast<double>(now - lastElapsedTime_) / ticksPerSecond);
  if (!(reading.elapsed >= 0.0f)) reading.elapsed = 0.0f;  // also catches NaN
  lastElapsedTime_ = now;
  return reading;
}

void cFrameworkTimer::UseManualClock(bool manual) {
  manual_ = manual;
  manualTicks_ = 0;
  const std::int64_t counter = Counter();
  baseTime_ = lastElapsedTime_ = stopTime_ = counter;
}

void cFrameworkTimer::AdvanceManualClock(double seconds) {
  if (!std::isfinite(seconds) || seconds < 0.0) return;
  manualTicks_ += std::llround(seconds * kManualTicksPerSecond);
}

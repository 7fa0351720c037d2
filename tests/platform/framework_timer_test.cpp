#include "platform/framework_timer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/dxut.h"

namespace {

// A running timer on the manual clock, at application time zero.
cFrameworkTimer RunningManualTimer() {
  cFrameworkTimer timer;
  timer.UseManualClock(true);
  timer.Reset();
  return timer;
}

TEST(FrameworkTimer, StandsStillUntilResetThenFollowsTheClockBetweenReadings) {
  cFrameworkTimer timer;
  timer.UseManualClock(true);
  EXPECT_TRUE(timer.IsStopped());
  timer.AdvanceManualClock(2.0);
  EXPECT_EQ(timer.Read().time, 0.0);
  // Resetting a timer that stood still starts application time at zero, not at the time
  // it stood.
  timer.Reset();
  EXPECT_EQ(timer.Read().time, 0.0);
  EXPECT_EQ(timer.Read().elapsed, 0.0f);

  timer = RunningManualTimer();
  EXPECT_FALSE(timer.IsStopped());
  EXPECT_EQ(timer.Read().time, 0.0);
  timer.AdvanceManualClock(0.25);
  EXPECT_DOUBLE_EQ(timer.Read().time, 0.25);
  timer.AdvanceManualClock(0.5);
  const cFrameworkTimer::Reading reading = timer.Read();
  EXPECT_DOUBLE_EQ(reading.time, 0.75);
  EXPECT_FLOAT_EQ(reading.elapsed, 0.5f);
  EXPECT_DOUBLE_EQ(reading.absoluteTime, 0.75);
  EXPECT_EQ(timer.Read().elapsed, 0.0f) << "no time passed since the last reading";
}

TEST(FrameworkTimer, AStoppedIntervalIsExcludedFromTimeAndElapsedHoweverOftenStoppedOrStarted) {
  cFrameworkTimer timer = RunningManualTimer();
  timer.AdvanceManualClock(1.0);
  timer.Read();
  timer.AdvanceManualClock(0.5);
  timer.Stop();
  timer.AdvanceManualClock(5.0);
  timer.Stop();  // must not move the stop time
  timer.AdvanceManualClock(5.0);
  const cFrameworkTimer::Reading whileStopped = timer.Read();
  EXPECT_DOUBLE_EQ(whileStopped.time, 1.5);
  EXPECT_EQ(whileStopped.elapsed, 0.0f);

  timer.Start();
  timer.Start();  // must not move the base time again
  timer.AdvanceManualClock(0.25);
  const cFrameworkTimer::Reading afterStart = timer.Read();
  EXPECT_DOUBLE_EQ(afterStart.time, 1.75);
  EXPECT_FLOAT_EQ(afterStart.elapsed, 0.25f);
}

TEST(FrameworkTimer, BadManualStepsAreIgnoredSoElapsedStaysSane) {
  cFrameworkTimer timer = RunningManualTimer();
  timer.AdvanceManualClock(-1.0);
  timer.AdvanceManualClock(std::numeric_limits<double>::quiet_NaN());
  timer.AdvanceManualClock(std::numeric_limits<double>::infinity());
  const cFrameworkTimer::Reading reading = timer.Read();
  EXPECT_EQ(reading.time, 0.0);
  EXPECT_EQ(reading.elapsed, 0.0f);
}

TEST(FrameworkTimer, ThePerformanceCounterNeverRunsBackwards) {
  cFrameworkTimer timer;
  timer.Reset();
  for (int i = 0; i < 1000; ++i) {
    const float elapsed = timer.Read().elapsed;
    ASSERT_GE(elapsed, 0.0f);
    ASSERT_FALSE(std::isnan(elapsed));
  }
}

// The pause counters drive the same timer through the framework.
class PauseCounters : public ::testing::Test {
 protected:
  void SetUp() override {
    DXUTSetManualClock(true);
    DXUTInit(false, false, false, true);
  }
  void TearDown() override { DXUTShutdown(); }
};

TEST_F(PauseCounters, NestedPausesNeedAsManyResumesAndNeverGoBelowZero) {
  DXUTPause(true, false);
  DXUTPause(true, true);
  DXUTPause(false, false);
  EXPECT_TRUE(DXUTIsTimePaused());
  EXPECT_FALSE(DXUTIsRenderingPaused());
  DXUTPause(false, true);
  EXPECT_FALSE(DXUTIsTimePaused());
  EXPECT_TRUE(DXUTIsRenderingPaused());
  DXUTPause(false, false);
  DXUTPause(false, false);
  EXPECT_FALSE(DXUTIsRenderingPaused());
  DXUTPause(true, true);  // one pause after the extra resumes pauses at once
  EXPECT_TRUE(DXUTIsTimePaused());
  EXPECT_TRUE(DXUTIsRenderingPaused());
}

}  // namespace

// The frame times behind the F3 counter and the --stats report.

#include <gtest/gtest.h>

#include "platform/frame_times.h"

namespace {

// Frames of 10 ms, every 10th one of 40 ms, one of 300 ms at the end: the median stays at
// 10 ms, the 95th percentile sees the slow frames, the worst is exact.
TEST(FrameTimes, MedianPercentileAndWorstOfTheWholeRunAndOfTheLastSecond) {
  cFrameTimes times;
  double now = 0.0;
  for (int i = 1; i <= 199; ++i) {
    const double ms = i % 10 == 0 ? 40.0 : 10.0;
    now += ms / 1000.0;
    times.Add(now, ms, ms / 2.0);
  }
  now += 0.3;
  times.Add(now, 300.0, 2.0);

  const FrameTimeSummary run = times.WholeRun();
  EXPECT_EQ(run.frames, 200u);
  EXPECT_NEAR(run.median, 10.0, 0.1);
  EXPECT_NEAR(run.percentile95, 40.0, 0.1);
  EXPECT_DOUBLE_EQ(run.worst, 300.0);
  EXPECT_NEAR(times.WholeRunCpu().median, 5.0, 0.1);
  EXPECT_DOUBLE_EQ(times.WholeRunCpu().worst, 20.0);

  // The last second reaches back from the newest frame: 300 ms of it is the slow frame.
  const FrameTimeSummary second = times.LastSecond();
  EXPECT_GT(second.frames, 40u);
  EXPECT_LT(second.frames, 70u);
  EXPECT_NEAR(second.median, 10.0, 0.1);
  EXPECT_DOUBLE_EQ(second.worst, 300.0);
  EXPECT_EQ(cFrameTimes().LastSecond().frames, 0u);
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "built_sounds.h"

namespace {

// Level of frames [first, first + count) of one channel.
float WindowRms(const std::vector<float>& channel, std::size_t first, std::size_t count) {
  double sum = 0.0;
  for (std::size_t i = first; i < first + count; ++i) sum += double(channel[i]) * channel[i];
  return float(std::sqrt(sum / double(count)));
}

// The step between neighbouring samples that only one in a thousand
// steps of the channel exceeds.
float LargeStep(const std::vector<float>& channel) {
  std::vector<float> steps(channel.size() - 1);
  for (std::size_t i = 0; i + 1 < channel.size(); ++i)
    steps[i] = std::fabs(channel[i + 1] - channel[i]);
  const auto rank = steps.begin() + std::ptrdiff_t(steps.size() * 999 / 1000);
  std::nth_element(steps.begin(), rank, steps.end());
  return *rank;
}

class BuiltMusicLoop : public testing::TestWithParam<int> {
 protected:
  void SetUp() override { music = LoadBuiltSound(GetParam()); }
  std::size_t Frames(float seconds) const { return std::size_t(seconds * float(music.rate)); }
  cSound music;
};

// A loop of one to two minutes whose last sample runs on into the first without a jump, and
// whose reverb and ringing notes carry on across the seam, so it neither drops out nor swells.
TEST_P(BuiltMusicLoop, LastsOneToTwoMinutesAndJoinsItsEndsSeamlessly) {
  const float seconds = float(music.Frames()) / float(music.rate);
  EXPECT_GE(seconds, 60.0f);
  EXPECT_LE(seconds, 120.0f);
  const std::size_t window = Frames(0.05f);
  for (const auto& channel : music.channels) {
    EXPECT_LE(std::fabs(channel.front() - channel.back()), LargeStep(channel));
    const float before = WindowRms(channel, channel.size() - window, window);
    const float after = WindowRms(channel, 0, window);
    EXPECT_GT(after, 0.01f) << "the loop starts in silence";
    EXPECT_GT(after, before * 0.4f);
    EXPECT_LT(after, before * 2.5f);
  }
}

INSTANTIATE_TEST_SUITE_P(BothTunes, BuiltMusicLoop, testing::Values(kMenuMusic, kMatchMusic),
                         [](const testing::TestParamInfo<int>& info) {
                           return info.param == kMenuMusic ? std::string("Menu")
                                                           : std::string("Match");
                         });

}  // namespace

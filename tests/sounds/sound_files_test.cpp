// The sounds the build renders into ./sounds/ (relative to the build folder, the tests'
// working directory), as the player's ears expect them.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "synth/ogg_file.h"
#include "synth/sound.h"
#include "synth/wav_file.h"

namespace {

float Decibels(float level) { return 20.0f * std::log10(level); }

float WindowRms(const std::vector<float>& channel, std::size_t first, std::size_t count) {
  double sum = 0.0;
  for (std::size_t i = first; i < first + count; ++i) sum += double(channel[i]) * channel[i];
  return float(std::sqrt(sum / double(count)));
}

// Every sound is clearly audible on each channel and peaks near -1 dB without clipping. An
// effect is short and starts and ends without a click; a tune (Ogg) is a loop of one to two
// minutes whose end runs on into its start without a jump, a drop-out or a swell.
TEST(BuiltSounds, AreAudibleUnclippedAndStartEndOrLoopWithoutAClick) {
  int checked = 0;
  for (const auto& entry : std::filesystem::directory_iterator("./sounds")) {
    const auto& path = entry.path();
    const bool tune = path.extension() == ".ogg";
    if (!tune && path.extension() != ".wav") continue;
    SCOPED_TRACE(path.filename().string());
    ++checked;
    const cSound sound = tune ? ReadOgg(path.string()) : ReadWav(path.string());
    ASSERT_GT(sound.Frames(), 0u);
    const float peak = Decibels(Peak(sound));
    EXPECT_TRUE(peak < -0.5f && peak > (tune ? -3.0f : -1.2f)) << peak << " dB";
    const float seconds = float(sound.Frames()) / float(sound.rate);
    EXPECT_TRUE(tune ? seconds >= 60.0f && seconds <= 120.0f : seconds <= 3.05f) << seconds;
    const std::size_t window = std::size_t(0.05f * float(sound.rate));
    for (const auto& channel : sound.channels) {
      EXPECT_GT(Decibels(WindowRms(channel, 0, channel.size())), -36.0f) << "(nearly) silent";
      if (!tune) {
        EXPECT_TRUE(std::fabs(channel.front()) < 0.05f && std::fabs(channel.back()) < 0.01f);
        continue;
      }
      EXPECT_LT(std::fabs(channel.front() - channel.back()), 0.05f) << "the seam clicks";
      const float before = WindowRms(channel, channel.size() - window, window);
      const float after = WindowRms(channel, 0, window);
      EXPECT_TRUE(after > 0.01f && after > before * 0.4f && after < before * 2.5f);
    }
  }
  EXPECT_EQ(checked, 18) << "the game's 18 sounds";
}

}  // namespace

// The sounds the build renders into ./sounds/ (relative to the build folder, the tests'
// working directory), as the game's loader and the player's ears expect them.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "synth/ogg_file.h"
#include "synth/sound.h"
#include "synth/wav_file.h"

namespace {

struct Expected {
  int number;
  int channels;
  int rate;
};

constexpr Expected kSounds[] = {
    {127, 2, 44100}, {128, 2, 44100}, {129, 2, 48000}, {130, 2, 48000}, {131, 2, 48000},
    {132, 2, 48000}, {133, 1, 44100}, {134, 1, 44100}, {135, 1, 44100}, {136, 2, 44100},
    {137, 2, 44100}, {138, 2, 44100}, {139, 2, 44100}, {140, 2, 44100}, {141, 2, 48000},
    {142, 2, 48000}, {143, 2, 22050}, {144, 2, 44100},
};

float Decibels(float level) { return 20.0f * std::log10(level); }

// Level of frames [first, first + count) of one channel.
float WindowRms(const std::vector<float>& channel, std::size_t first, std::size_t count) {
  double sum = 0.0;
  for (std::size_t i = first; i < first + count; ++i) sum += double(channel[i]) * channel[i];
  return float(std::sqrt(sum / double(count)));
}

class BuiltSound : public testing::TestWithParam<Expected> {
 protected:
  void SetUp() override {
    const std::string path = "./sounds/" + std::to_string(GetParam().number);
    sound = music ? ReadOgg(path + ".ogg") : ReadWav(path + ".wav");
  }
  const bool music = GetParam().number <= 128;  // the menu and match tunes
  cSound sound;
};

// Decodes with the channels and rate the game's loader expects, is clearly audible on every
// channel and peaks near -1 dB without clipping. An effect is short and starts and ends
// without a click; a tune is a loop of one to two minutes whose last sample runs on into the
// first without a jump, and whose reverb and ringing notes carry on across the seam, so it
// neither drops out nor swells.
TEST_P(BuiltSound, HasTheFormatLevelsAndEndsTheGameExpects) {
  EXPECT_EQ(sound.ChannelCount(), GetParam().channels);
  EXPECT_EQ(sound.rate, GetParam().rate);
  ASSERT_GT(sound.Frames(), 0u);
  EXPECT_GT(Decibels(Rms(sound)), -30.0f);
  const float peak = Decibels(Peak(sound));
  EXPECT_LT(peak, -0.5f);
  // Lossy coding wanders a little around the level the music was rendered at.
  EXPECT_GT(peak, music ? -3.0f : -1.2f);

  const float seconds = float(sound.Frames()) / float(sound.rate);
  EXPECT_GE(seconds, music ? 60.0f : 0.2f);
  EXPECT_LE(seconds, music ? 120.0f : 3.05f);
  const std::size_t window = std::size_t(0.05f * float(sound.rate));
  for (const auto& channel : sound.channels) {
    EXPECT_GT(Decibels(WindowRms(channel, 0, channel.size())), -36.0f) << "(nearly) silent";
    if (!music) {
      EXPECT_LT(std::fabs(channel.front()), 0.05f) << "starts on a click";
      EXPECT_LT(std::fabs(channel.back()), 0.01f) << "stops on a click";
      continue;
    }
    EXPECT_LT(std::fabs(channel.front() - channel.back()), 0.05f) << "the seam clicks";
    const float before = WindowRms(channel, channel.size() - window, window);
    const float after = WindowRms(channel, 0, window);
    EXPECT_GT(after, 0.01f) << "the loop starts in silence";
    EXPECT_GT(after, before * 0.4f);
    EXPECT_LT(after, before * 2.5f);
  }
}

INSTANTIATE_TEST_SUITE_P(EverySoundOfTheGame, BuiltSound, testing::ValuesIn(kSounds),
                         [](const testing::TestParamInfo<Expected>& info) {
                           return "Sound" + std::to_string(info.param.number);
                         });

}  // namespace

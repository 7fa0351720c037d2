#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "built_sounds.h"

namespace {

// What the game's loader expects of each resource.
struct Expected {
  int number;
  int channels;
  int rate;
};

void PrintTo(const Expected& e, std::ostream* out) { *out << e.number; }

constexpr Expected kSounds[] = {
    {127, 2, 44100}, {128, 2, 44100}, {129, 2, 48000}, {130, 2, 48000}, {131, 2, 48000},
    {132, 2, 48000}, {133, 1, 44100}, {134, 1, 44100}, {135, 1, 44100}, {136, 2, 44100},
    {137, 2, 44100}, {138, 2, 44100}, {139, 2, 44100}, {140, 2, 44100}, {141, 2, 48000},
    {142, 2, 48000}, {143, 2, 22050}, {144, 2, 44100},
};

float Seconds(const cSound& sound) { return float(sound.Frames()) / float(sound.rate); }

float Decibels(float level) { return 20.0f * std::log10(level); }

class BuiltSound : public testing::TestWithParam<Expected> {
 protected:
  void SetUp() override { sound = LoadBuiltSound(GetParam().number); }
  cSound sound;
};

// Decodes with the channels and rate the game's loader expects, is clearly audible on every
// channel, peaks near -1 dB without clipping, and (an effect) is short and ends in silence.
TEST_P(BuiltSound, HasTheFormatAndLevelsTheGameExpects) {
  EXPECT_EQ(sound.ChannelCount(), GetParam().channels);
  EXPECT_EQ(sound.rate, GetParam().rate);
  ASSERT_GT(sound.Frames(), 0u);

  EXPECT_GT(Decibels(Rms(sound)), -30.0f);
  for (const auto& channel : sound.channels) {
    double sum = 0.0;
    for (float s : channel) sum += double(s) * s;
    EXPECT_GT(Decibels(float(std::sqrt(sum / double(channel.size())))), -36.0f)
        << "a channel is (nearly) silent";
  }

  const float peak = Decibels(Peak(sound));
  EXPECT_LT(peak, -0.5f);
  // Lossy coding wanders a little around the level the music was rendered at.
  EXPECT_GT(peak, IsMusic(GetParam().number) ? -3.0f : -1.2f);

  if (IsMusic(GetParam().number)) return;  // the music loops; its seam is checked on its own
  EXPECT_GE(Seconds(sound), 0.2f);
  EXPECT_LE(Seconds(sound), 3.05f);
  for (const auto& channel : sound.channels) {
    EXPECT_LT(std::fabs(channel.front()), 0.05f) << "starts on a click";
    EXPECT_LT(std::fabs(channel.back()), 0.01f) << "stops on a click";
  }
}

INSTANTIATE_TEST_SUITE_P(EverySoundOfTheGame, BuiltSound, testing::ValuesIn(kSounds),
                         [](const testing::TestParamInfo<Expected>& info) {
                           return "Sound" + std::to_string(info.param.number);
                         });

}  // namespace

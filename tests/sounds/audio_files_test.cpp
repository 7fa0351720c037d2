#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "synth/effects/effects.h"
#include "synth/ogg_file.h"
#include "synth/wav_file.h"
#include "support/temp_dir.h"

namespace {

// Each test writes its files into a fresh working folder of its own.
class SoundFileFormats : public testing::Test {
 protected:
  ScopedTempDir folder;
};

cSound Ramp(int rate, int channels, std::size_t frames) {
  cSound sound(rate, channels, frames);
  for (int c = 0; c < channels; ++c)
    for (std::size_t i = 0; i < frames; ++i)
      sound.channels[c][i] = 0.8f * std::sin(float(i) * 0.01f * float(c + 1));
  return sound;
}

TEST_F(SoundFileFormats, WavKeepsFormatAndSamplesTo16BitsAndClampsBeyondFullScale) {
  const cSound original = Ramp(22050, 2, 1000);
  WriteWav("a.wav", original);
  const cSound read = ReadWav("a.wav");
  ASSERT_EQ(read.ChannelCount(), 2);
  EXPECT_EQ(read.rate, 22050);
  ASSERT_EQ(read.Frames(), 1000u);
  for (int c = 0; c < 2; ++c)
    for (std::size_t i = 0; i < 1000; i += 37)
      EXPECT_NEAR(read.channels[c][i], original.channels[c][i], 0.5f / 32767);

  cSound loud(44100, 1, 2);
  loud.channels[0] = {1.5f, -1.5f};
  WriteWav("loud.wav", loud);
  const cSound clamped = ReadWav("loud.wav");
  EXPECT_GT(clamped.channels[0][0], 0.99f) << "wrapped round instead of clamped";
  EXPECT_LT(clamped.channels[0][1], -0.99f);
}

TEST_F(SoundFileFormats, ReadingSomethingElseThanWavFails) {
  WriteOgg("x.ogg", Ramp(44100, 1, 4410), 0.3f);
  EXPECT_THROW(ReadWav("x.ogg"), std::runtime_error);
  EXPECT_THROW(ReadWav("missing.wav"), std::runtime_error);
  EXPECT_THROW(ReadOgg("missing.ogg"), std::runtime_error);
}

TEST_F(SoundFileFormats, OggKeepsTheExactLengthSoLoopsStayInTime) {
  for (std::size_t frames : {44100u, 44100u + 333u}) {
    WriteOgg("loop.ogg", Ramp(44100, 2, frames), 0.35f);
    const cSound read = ReadOgg("loop.ogg");
    EXPECT_EQ(read.ChannelCount(), 2);
    EXPECT_EQ(read.rate, 44100);
    EXPECT_EQ(read.Frames(), frames);
  }
}

TEST(SoundEffectTable, KnowsWhichEffectsAreSpoken) {
  EXPECT_TRUE(IsSpoken(138));
  EXPECT_TRUE(IsSpoken(140));
  EXPECT_FALSE(IsSpoken(143));
  EXPECT_THROW(MakeEffect(139), std::invalid_argument);
  EXPECT_THROW(MakeEffect(127), std::invalid_argument);
  EXPECT_THROW(MakeTaunt(133, cSound(22050, 1, 100)), std::invalid_argument);
}

}  // namespace

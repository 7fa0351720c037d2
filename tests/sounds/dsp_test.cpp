#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "synth/dsp.h"

namespace {

constexpr int kRate = 44100;

std::vector<float> Sine(float frequency, float seconds) {
  std::vector<float> out(std::size_t(seconds * kRate));
  for (std::size_t n = 0; n < out.size(); ++n)
    out[n] = std::sin(kTwoPi * frequency * float(n) / kRate);
  return out;
}

float Rms(const std::vector<float>& samples, std::size_t from) {
  double sum = 0.0;
  for (std::size_t i = from; i < samples.size(); ++i) sum += double(samples[i]) * samples[i];
  return float(std::sqrt(sum / double(samples.size() - from)));
}

// The period in samples with the strongest self-similarity between
// `shortest` and `longest`.
int StrongestPeriod(const std::vector<float>& samples, int shortest, int longest) {
  int best = shortest;
  double bestScore = -1e30;
  for (int lag = shortest; lag <= longest; ++lag) {
    double score = 0.0;
    for (std::size_t i = 0; i + lag < samples.size(); ++i)
      score += double(samples[i]) * samples[i + lag];
    if (score > bestScore) bestScore = score, best = lag;
  }
  return best;
}

TEST(SynthPitch, TunesToConcertPitch) {
  EXPECT_FLOAT_EQ(NoteToHz(69.0f), 440.0f);
  EXPECT_NEAR(NoteToHz(60.0f), 261.63f, 0.01f);
  EXPECT_NEAR(NoteToHz(81.0f), 880.0f, 1e-3f);
}

TEST(SynthPluckedString, SoundsAtTheRequestedPitch) {
  // 441 Hz is a period of exactly 100 samples; 196 Hz (G3) is 225.
  for (const auto& [frequency, period] : {std::pair{441.0f, 100}, std::pair{196.0f, 225}}) {
    const auto string = PluckedString(kRate, frequency, 0.5f, 0.5f, 1.0f, 7u);
    EXPECT_EQ(StrongestPeriod(string, period * 3 / 4, period * 5 / 4), period)
        << frequency << " Hz";
  }
}

TEST(SynthPluckedString, DiesAwayOverItsDecayTime) {
  const auto string = PluckedString(kRate, 220.0f, 1.0f, 0.5f, 0.2f, 3u);
  const std::vector<float> early(string.begin() + kRate / 20, string.begin() + kRate / 10);
  const std::vector<float> late(string.begin() + kRate * 9 / 20, string.begin() + kRate / 2);
  // 0.4 s apart at a 0.2 s decay: e^-2, about 0.14, with room for the treble loss.
  EXPECT_LT(Rms(late, 0), 0.2f * Rms(early, 0));
  EXPECT_GT(Rms(late, 0), 0.02f * Rms(early, 0));
}

TEST(SynthFilter, SeparatesLowsFromHighs) {
  for (float frequency : {100.0f, 8000.0f}) {
    const auto tone = Sine(frequency, 0.2f);
    cFilter low(kRate, 1000.0f, 0.707f), high(kRate, 1000.0f, 0.707f);
    std::vector<float> lows, highs;
    for (float s : tone) lows.push_back(low.Low(s)), highs.push_back(high.High(s));
    const bool passesLow = frequency < 1000.0f;
    EXPECT_NEAR(Rms(passesLow ? lows : highs, 2000), Rms(tone, 2000), 0.03f) << frequency << " Hz";
    EXPECT_LT(Rms(passesLow ? highs : lows, 2000), 0.03f) << frequency << " Hz";
  }
}

TEST(SynthResample, HalvingTheStepDoublesTheLengthAndHalvesThePitch) {
  const auto tone = Sine(441.0f, 0.1f);
  const auto slow = Resample(tone, 0.5);
  EXPECT_NEAR(double(slow.size()), 2.0 * double(tone.size()), 2.0);
  EXPECT_EQ(StrongestPeriod(slow, 150, 250), 200);
  EXPECT_NEAR(Rms(slow, 0), Rms(tone, 0), 0.01f);
}

TEST(SynthPan, KeepsThePowerConstantAcrossTheField) {
  for (float position : {-1.0f, -0.3f, 0.0f, 0.8f}) {
    const PanGains gains = Pan(position);
    EXPECT_NEAR(gains.left * gains.left + gains.right * gains.right, 1.0f, 1e-5f);
  }
  EXPECT_NEAR(Pan(-1.0f).right, 0.0f, 1e-6f);
  EXPECT_NEAR(Pan(1.0f).left, 0.0f, 1e-6f);
}

TEST(SynthFadeOut, EndsEverySoundInSilenceWithoutTouchingItsStart) {
  cSound sound(kRate, 2, kRate / 10);
  for (auto& channel : sound.channels) channel.assign(channel.size(), 0.5f);
  FadeOut(sound, 0.05f);
  for (const auto& channel : sound.channels) {
    EXPECT_FLOAT_EQ(channel.front(), 0.5f);
    EXPECT_LT(std::fabs(channel.back()), 1e-3f);
  }
}

TEST(SynthNormalize, ScalesTheLoudestSampleToTheTargetAndLeavesSilenceAlone) {
  cSound sound(kRate, 2, 4);
  sound.channels[1][2] = -0.25f;
  sound.channels[0][1] = 0.1f;
  NormalizePeak(sound, kTargetPeak);
  EXPECT_FLOAT_EQ(sound.channels[1][2], -kTargetPeak);
  EXPECT_FLOAT_EQ(sound.channels[0][1], 0.4f * kTargetPeak);

  cSound silence(kRate, 1, 4);
  NormalizePeak(silence, kTargetPeak);
  EXPECT_EQ(Peak(silence), 0.0f);
}

}  // namespace

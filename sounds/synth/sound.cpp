#include "synth/sound.h"

#include <algorithm>
#include <cmath>

cSound::cSound(int rate, int channelCount, std::size_t frames)
    : rate(rate), channels(channelCount, std::vector<float>(frames, 0.0f)) {}

float Peak(const cSound& sound) {
  float peak = 0.0f;
  for (const auto& channel : sound.channels)
    for (float s : channel) peak = std::max(peak, std::fabs(s));
  return peak;
}

float Rms(const cSound& sound) {
  double sum = 0.0;
  std::size_t count = 0;
  for (const auto& channel : sound.channels) {
    for (float s : channel) sum += double(s) * s;
    count += channel.size();
  }
  return count == 0 ? 0.0f : float(std::sqrt(sum / double(count)));
}

void NormalizePeak(cSound& sound, float target) {
  const float peak = Peak(sound);
  if (peak <= 0.0f) return;
  const float gain = target / peak;
  for (auto& channel : sound.channels)
    for (float& s : channel) s *= gain;
}

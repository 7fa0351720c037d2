#include "synth/dsp.h"

#include <algorithm>

void cFilter::Tune(float cutoff, float q) {
  const float nyquistSafe = std::clamp(cutoff, 10.0f, 0.49f * float(rate));
  g = std::tan(std::numbers::pi_v<float> * nyquistSafe / float(rate));
  k = 1.0f / std::max(q, 0.05f);
  a1 = 1.0f / (1.0f + g * (g + k));
  a2 = g * a1;
  a3 = g * a2;
}

cFilter::Outputs cFilter::Process(float x) {
  const float v3 = x - ic2;
  const float v1 = a1 * ic1 + a2 * v3;
  const float v2 = ic2 + a2 * ic1 + a3 * v3;
  ic1 = 2.0f * v1 - ic1;
  ic2 = 2.0f * v2 - ic2;
  return {v2, v1, x - k * v1 - v2};
}

std::vector<float> Resample(const std::vector<float>& in, double step) {
  if (in.empty()) return {};
  const auto at = [&](std::ptrdiff_t i) {
    return in[std::size_t(std::clamp<std::ptrdiff_t>(i, 0, std::ptrdiff_t(in.size()) - 1))];
  };
  const std::size_t frames = std::size_t(double(in.size() - 1) / step) + 1;
  std::vector<float> out(frames);
  for (std::size_t n = 0; n < frames; ++n) {
    const double position = double(n) * step;
    const auto i = std::ptrdiff_t(position);
    const float f = float(position - double(i));
    const float y0 = at(i - 1), y1 = at(i), y2 = at(i + 1), y3 = at(i + 2);
    // Catmull-Rom spline through the four neighbours.
    out[n] =
        y1 + 0.5f * f *
                 (y2 - y0 +
                  f * (2.0f * y0 - 5.0f * y1 + 4.0f * y2 - y3 + f * (3.0f * (y1 - y2) + y3 - y0)));
  }
  return out;
}

void MixIn(cSound& out, const std::vector<float>& mono, std::size_t at, float gain, float pan) {
  const PanGains gains = Pan(pan);
  const std::size_t frames = out.Frames();
  for (int c = 0; c < out.ChannelCount(); ++c) {
    const float g = gain * (out.ChannelCount() == 1 ? 1.0f : (c == 0 ? gains.left : gains.right));
    auto& channel = out.channels[c];
    for (std::size_t i = 0; i < mono.size() && at + i < frames; ++i) channel[at + i] += g * mono[i];
  }
}

void FadeOut(cSound& sound, float seconds) {
  const std::size_t length = std::min(sound.Frames(), std::size_t(seconds * float(sound.rate)));
  const std::size_t start = sound.Frames() - length;
  for (auto& channel : sound.channels)
    for (std::size_t i = 0; i < length; ++i)
      channel[start + i] *=
          0.5f + 0.5f * std::cos(std::numbers::pi_v<float> * float(i) / float(length));
}

std::vector<float> PluckedString(int rate, float frequency, float seconds, float brightness,
                                 float decay, std::uint32_t seed) {
  const float period = float(rate) / frequency;
  // The two-point average in the loop adds half a sample of delay.
  const float readDelay = period - 0.5f;
  const float loss = std::exp(-period / (float(rate) * decay));
  std::vector<float> out(std::size_t(seconds * float(rate)), 0.0f);

  cNoise noise(seed);
  std::vector<float> burst(std::size_t(std::ceil(period)));
  float smooth = 0.0f, mean = 0.0f;
  for (float& s : burst) {
    smooth += (noise.Next() - smooth) * (0.05f + 0.9f * brightness * brightness);
    s = smooth;
    mean += s;
  }
  mean /= float(burst.size());

  const auto past = [&](float delay, std::size_t n) {
    const float position = float(n) - delay;
    if (position < 1.0f) return 0.0f;
    const auto i = std::size_t(position);
    const float f = position - float(i);
    return out[i] * (1.0f - f) + out[i + 1 < n ? i + 1 : i] * f;
  };
  for (std::size_t n = 0; n < out.size(); ++n) {
    const float excitation = n < burst.size() ? burst[n] - mean : 0.0f;
    out[n] = excitation + loss * 0.5f * (past(readDelay, n) + past(readDelay + 1.0f, n));
  }
  return out;
}

#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <vector>

#include "synth/sound.h"

// Building blocks shared by the effect recipes and the music instruments.

inline constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

// White noise in -1..1 from a small xorshift generator, so every build
// renders the same samples.
class cNoise {
 public:
  explicit cNoise(std::uint32_t seed) : state(seed * 2654435761u + 1u) {}
  float Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return float(state) / 2147483648.0f - 1.0f;
  }

 private:
  std::uint32_t state;
};

// State-variable filter (trapezoidal form) giving low, band and high pass
// outputs at once; it stays stable while its cutoff moves every sample.
class cFilter {
 public:
  struct Outputs {
    float low, band, high;
  };

  cFilter(int rate, float cutoff, float q) : rate(rate) { Tune(cutoff, q); }
  void Tune(float cutoff, float q);
  Outputs Process(float x);
  float Low(float x) { return Process(x).low; }
  float Band(float x) { return Process(x).band; }
  float High(float x) { return Process(x).high; }

 private:
  int rate;
  float g = 0.0f, k = 1.0f, a1 = 0.0f, a2 = 0.0f, a3 = 0.0f;
  float ic1 = 0.0f, ic2 = 0.0f;
};

// Level that rises linearly over `attack` seconds, then falls away
// exponentially with time constant `decay`.
inline float AttackDecay(float t, float attack, float decay) {
  if (t < 0.0f) return 0.0f;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / decay);
}

// Smooth 0..1..0 bump over `length` seconds (one period of a raised cosine).
inline float Bump(float t, float length) {
  if (t <= 0.0f || t >= length) return 0.0f;
  return 0.5f - 0.5f * std::cos(kTwoPi * t / length);
}

// Soft clipping that keeps a full-scale input at full scale.
inline float Saturate(float x, float drive) { return std::tanh(x * drive) / std::tanh(drive); }

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
inline float NoteToHz(float note) { return 440.0f * std::exp2((note - 69.0f) / 12.0f); }

// Equal-power gains for a pan position from -1 (left) to 1 (right).
struct PanGains {
  float left, right;
};
inline PanGains Pan(float position) {
  const float angle = (position + 1.0f) * std::numbers::pi_v<float> * 0.25f;
  return {std::cos(angle), std::sin(angle)};
}

// Band-limited sawtooth (-1..1) at `phase` 0..1 advancing `step` per
// sample; the polynomial step correction keeps high notes from aliasing.
inline float Saw(float phase, float step) {
  float saw = 2.0f * phase - 1.0f;
  if (phase < step) {
    const float t = phase / step;
    saw -= t + t - t * t - 1.0f;
  } else if (phase > 1.0f - step) {
    const float t = (phase - 1.0f) / step;
    saw -= t * t + t + t + 1.0f;
  }
  return saw;
}

// Plucked string (Karplus-Strong): a burst of noise circulating in a delay
// line one period long that loses a little treble on every pass.
// `brightness` 0..1 colours the pluck, `decay` is the time in seconds over
// which the level falls to 1/e.
std::vector<float> PluckedString(int rate, float frequency, float seconds, float brightness,
                                 float decay, std::uint32_t seed);

// Reads `in` at `step` input samples per output sample with cubic
// interpolation: a step below 1 lengthens the sound and lowers its pitch.
std::vector<float> Resample(const std::vector<float>& in, double step);

// Adds `mono` into every channel of `out` from frame `at` on, with a pan
// position for stereo output; samples past the end are dropped.
void MixIn(cSound& out, const std::vector<float>& mono, std::size_t at, float gain,
           float pan = 0.0f);

// Fades the last `seconds` of every channel out with a raised cosine so a
// sound never stops on a click.
void FadeOut(cSound& sound, float seconds);

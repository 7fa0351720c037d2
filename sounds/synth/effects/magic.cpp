// The wizard's magic: the cast of a spell and the burst of a charged one.

#include <algorithm>

#include "synth/dsp.h"
#include "synth/effects/recipes.h"
#include "synth/reverb.h"

namespace {

// A struck bell by two-operator frequency modulation: the inharmonic
// modulator ratio gives the metallic, glassy colour, and the modulation
// fades faster than the tone so the strike mellows as it rings. The bell
// lasts five decay times, the last of them faded to silence.
std::vector<float> Bell(int rate, float frequency, float decay) {
  const float seconds = 5.0f * decay;
  std::vector<float> out(std::size_t(seconds * float(rate)));
  for (std::size_t n = 0; n < out.size(); ++n) {
    const float t = float(n) / float(rate);
    const float ending = std::min(1.0f, (seconds - t) / decay);
    const float index = 2.5f * std::exp(-t / (0.3f * decay));
    const float modulator = std::sin(kTwoPi * 3.53f * frequency * t);
    out[n] = std::sin(kTwoPi * frequency * t + index * modulator) * AttackDecay(t, 0.003f, decay) *
             ending;
  }
  return out;
}

}  // namespace

cSound WizardCast(const EffectFormat& format) {
  const int rate = format.rate;
  cSound sound = Blank(format, 1.2f);

  // A quick rising run of chimes, thrown from side to side.
  const float run[] = {71.0f, 75.0f, 78.0f, 82.0f, 87.0f, 90.0f};
  for (int i = 0; i < 6; ++i) {
    const auto bell = Bell(rate, NoteToHz(run[i]), 0.18f);
    MixIn(sound, bell, std::size_t(0.055f * float(i) * float(rate)), 0.35f,
          i % 2 == 0 ? -0.6f : 0.6f);
  }

  // The swish of the staff: noise swept upwards.
  for (int side = 0; side < 2; ++side) {
    cNoise noise(701u + side);
    cFilter sweep(rate, 500.0f, 3.0f);
    auto& channel = sound.channels[side];
    for (std::size_t n = 0; n < channel.size(); ++n) {
      const float t = float(n) / float(rate);
      if (n % 16 == 0) sweep.Tune(500.0f * std::exp2(t / 0.09f), 3.0f);
      channel[n] += 0.5f * sweep.Band(noise.Next()) * Bump(t, 0.45f);
    }
  }
  AddRoom(sound, {.size = 0.7f, .damping = 0.3f, .wet = 0.35f}, 0.3f);
  return sound;
}

cSound SpellBurst(const EffectFormat& format) {
  const int rate = format.rate;
  cSound sound = Blank(format, 1.8f);

  // The blast: a falling zap over a low boom and a rush of noise closing down.
  for (int side = 0; side < 2; ++side) {
    cNoise noise(801u + side);
    cFilter rush(rate, 8000.0f, 0.8f);
    float zap = 0.0f, boom = 0.0f;
    auto& channel = sound.channels[side];
    for (std::size_t n = 0; n < channel.size(); ++n) {
      const float t = float(n) / float(rate);
      zap += (180.0f + 2200.0f * std::exp(-t / 0.05f)) / float(rate);
      boom += (35.0f + 60.0f * std::exp(-t / 0.08f)) / float(rate);
      zap -= std::floor(zap);
      boom -= std::floor(boom);
      if (n % 16 == 0) rush.Tune(250.0f + 8000.0f * std::exp(-t / 0.12f), 0.8f);
      channel[n] += 0.5f * std::sin(kTwoPi * zap) * AttackDecay(t, 0.002f, 0.09f);
      channel[n] += 1.1f * std::sin(kTwoPi * boom) * AttackDecay(t, 0.005f, 0.25f);
      channel[n] += 0.9f * rush.Low(noise.Next()) * AttackDecay(t, 0.003f, 0.22f);
    }
  }

  // The released charge: a shimmering cluster of bells scattered across.
  const float cluster[] = {74.0f, 79.0f, 80.0f, 86.0f, 91.0f};
  for (int i = 0; i < 5; ++i) {
    const auto bell = Bell(rate, NoteToHz(cluster[i]), 0.35f);
    MixIn(sound, bell, std::size_t(0.012f * float(i) * float(rate)), 0.22f, float(i) / 2.0f - 1.0f);
  }
  AddRoom(sound, {.size = 0.8f, .damping = 0.3f, .wet = 0.45f}, 0.5f);
  return sound;
}

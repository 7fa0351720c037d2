// The archer's bow: the string's release and the arrow passing by.

#include "synth/dsp.h"
#include "synth/effects/recipes.h"

cSound BowShot(const EffectFormat& format, int variant) {
  const float seconds = 0.45f;
  cSound sound = Blank(format, seconds);
  const int rate = format.rate;

  // The string: a low, quickly damped twang over the thump of the limbs
  // snapping forward.
  const float stringPitch = variant == 0 ? 98.0f : 112.0f;
  auto twang = PluckedString(rate, stringPitch, seconds, 0.9f, 0.12f, 11u + variant);
  cFilter chest(rate, 1200.0f, 0.7f);
  float phase = 0.0f;
  for (std::size_t n = 0; n < twang.size(); ++n) {
    const float t = float(n) / float(rate);
    phase += stringPitch * (1.0f + 1.2f * std::exp(-t / 0.015f)) / float(rate);
    phase -= std::floor(phase);
    twang[n] = 4.0f * chest.Low(twang[n]) +
               0.8f * std::sin(kTwoPi * phase) * AttackDecay(t, 0.002f, 0.05f);
  }
  MixIn(sound, twang, 0, 1.0f, variant == 0 ? -0.15f : 0.15f);

  // The string slapping the bracer, and the arrow leaving the rest.
  for (int side = 0; side < format.channels; ++side) {
    cNoise noise(101u + 7u * side + 13u * variant);
    cFilter slap(rate, variant == 0 ? 1900.0f : 2300.0f, 2.5f);
    cFilter swish(rate, 3500.0f, 1.0f);
    auto& channel = sound.channels[side];
    for (std::size_t n = 0; n < channel.size(); ++n) {
      const float t = float(n) / float(rate);
      if (n % 32 == 0) swish.Tune(3500.0f - 2200.0f * std::min(1.0f, t / 0.25f), 1.0f);
      const float white = noise.Next();
      channel[n] += 0.9f * slap.Band(white) * AttackDecay(t, 0.001f, 0.012f);
      channel[n] += 0.25f * swish.Band(white) * Bump(t - 0.01f, 0.22f);
    }
  }
  FadeOut(sound, 0.05f);
  return sound;
}

cSound ArrowWhoosh(const EffectFormat& format, int variant) {
  const float seconds = 0.6f;
  const int rate = format.rate;
  cSound sound = Blank(format, seconds);
  cNoise noise(201u + variant);
  cFilter air(rate, 1000.0f, 1.8f);
  const float direction = variant == 0 ? 1.0f : -1.0f;
  const float whistle = variant == 0 ? 1450.0f : 1250.0f;
  float phase = 0.0f;
  for (std::size_t n = 0; n < sound.Frames(); ++n) {
    const float t = float(n) / float(rate);
    const float pass = t / seconds;  // 0 arriving .. 1 gone
    // The pitch falls as the arrow passes the listener.
    const float doppler = 1.25f - 0.5f * pass;
    if (n % 16 == 0) air.Tune(900.0f + 1800.0f * Bump(t, seconds) * doppler, 1.8f);
    phase += whistle * doppler / float(rate);
    phase -= std::floor(phase);
    const float flutter = 0.6f + 0.4f * std::sin(kTwoPi * 38.0f * t);
    const float level = std::pow(Bump(t, seconds), 1.5f);
    const float sample =
        level * (air.Band(noise.Next()) + 0.08f * flutter * std::sin(kTwoPi * phase));
    const PanGains gains = Pan(direction * (1.6f * pass - 0.8f));
    sound.channels[0][n] = sample * gains.left;
    sound.channels[1][n] = sample * gains.right;
  }
  return sound;
}

// The dragon spitting a fireball: a thump in the chest and a burst of flame
// that flies off to one side.

#include "synth/dsp.h"
#include "synth/effects/recipes.h"

cSound FireballLaunch(const EffectFormat& format, int variant) {
  const int rate = format.rate;
  const float seconds = 0.95f;
  cSound sound = Blank(format, seconds);
  const float thumpPitch = variant == 0 ? 120.0f : 95.0f;
  const float flare = variant == 0 ? 0.07f : 0.1f;  // seconds until the flame is brightest
  const float flight = variant == 0 ? 1.0f : -1.0f;

  cNoise noise(601u + variant);
  cFilter flame(rate, 400.0f, 1.1f);
  cFilter crackle(rate, 2600.0f, 3.0f);
  float phase = 0.0f;
  for (std::size_t n = 0; n < sound.Frames(); ++n) {
    const float t = float(n) / float(rate);
    phase += (40.0f + (thumpPitch - 40.0f) * std::exp(-t / 0.05f)) / float(rate);
    phase -= std::floor(phase);
    const float thump = std::sin(kTwoPi * phase) * AttackDecay(t, 0.004f, 0.11f);

    if (n % 16 == 0) {
      const float brightness = t < flare ? t / flare : std::exp(-(t - flare) / 0.25f);
      flame.Tune(300.0f + 3200.0f * brightness, 1.1f);
    }
    const float white = noise.Next();
    const float whoosh = flame.Low(white) * AttackDecay(t, flare, 0.3f);
    const float spark = noise.Next() > 0.996f ? 3.0f * AttackDecay(t, 0.05f, 0.3f) : 0.0f;

    const float sample = Saturate(1.2f * thump + 1.4f * whoosh + crackle.Band(spark), 1.5f);
    // The flame leaves the centre and flies off to one side.
    const PanGains gains = Pan(flight * 0.7f * std::min(1.0f, t / 0.6f));
    sound.channels[0][n] = sample * gains.left;
    sound.channels[1][n] = sample * gains.right;
  }
  FadeOut(sound, 0.1f);
  return sound;
}

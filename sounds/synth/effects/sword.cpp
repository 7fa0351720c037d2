// The hero flinging a fan of swords: blades ringing as they leave the hand
// and the air they cut.

#include "synth/dsp.h"
#include "synth/effects/recipes.h"

namespace {

// Partials of a struck steel blade relative to its lowest mode (a free bar's
// ratios), with their levels and how fast each dies away.
struct Partial {
  float ratio, level, decay;
};
constexpr Partial kBlade[] = {
    {1.0f, 0.5f, 0.35f},
    {2.76f, 0.8f, 0.25f},
    {5.40f, 0.5f, 0.16f},
    {8.93f, 0.3f, 0.1f},
};

}  // namespace

cSound SwordSlash(const EffectFormat& format) {
  const int rate = format.rate;
  const float seconds = 0.75f;
  cSound sound = Blank(format, seconds);
  const float blade = 1020.0f;
  for (int side = 0; side < 2; ++side) {
    // The sides ring a hair apart, which makes the steel shimmer.
    const float detune = side == 0 ? 0.997f : 1.003f;
    cNoise noise(901u + side);
    cFilter air(rate, 800.0f, 1.4f);
    cFilter scrape(rate, 6000.0f, 2.0f);
    auto& channel = sound.channels[side];
    for (std::size_t n = 0; n < channel.size(); ++n) {
      const float t = float(n) / float(rate);
      float ring = 0.0f;
      for (const Partial& p : kBlade)
        ring += p.level * std::sin(kTwoPi * blade * detune * p.ratio * t) *
                AttackDecay(t - 0.03f, 0.002f, p.decay);
      const float white = noise.Next();
      const float draw = scrape.Band(white) * AttackDecay(t, 0.01f, 0.035f);
      if (n % 16 == 0) air.Tune(700.0f + 2500.0f * Bump(t, 0.4f), 1.4f);
      // The cut air travels from left to right with the swords.
      const PanGains flight = Pan(-0.6f + 1.2f * t / seconds);
      const float swish =
          air.Band(white) * Bump(t - 0.02f, 0.4f) * (side == 0 ? flight.left : flight.right);
      channel[n] = 0.35f * ring + 0.8f * draw + 1.5f * swish;
    }
  }
  FadeOut(sound, 0.1f);
  return sound;
}

// A zeppelin hitting the ground: the blast of its gas, the boom, and the
// wreck breaking up.

#include "synth/dsp.h"
#include "synth/effects/recipes.h"
#include "synth/reverb.h"

namespace {

// One piece of wreckage landing: a short knock of filtered noise.
struct Debris {
  float at, pitch, pan, level;
};
constexpr Debris kDebris[] = {
    {0.09f, 900.0f, -0.5f, 0.6f},   {0.17f, 1400.0f, 0.6f, 0.5f},  {0.26f, 600.0f, 0.1f, 0.7f},
    {0.34f, 2200.0f, -0.8f, 0.35f}, {0.45f, 1100.0f, 0.8f, 0.45f}, {0.58f, 750.0f, -0.2f, 0.5f},
    {0.71f, 1800.0f, 0.4f, 0.3f},   {0.86f, 950.0f, -0.6f, 0.35f}, {1.05f, 1300.0f, 0.2f, 0.25f},
    {1.3f, 700.0f, 0.7f, 0.2f},
};

}  // namespace

cSound ZeppelinCrash(const EffectFormat& format) {
  const int rate = format.rate;
  cSound sound = Blank(format, 2.0f);

  for (int side = 0; side < 2; ++side) {
    cNoise noise(1001u + side);
    cFilter blast(rate, 5000.0f, 0.7f);
    cFilter rumble(rate, 110.0f, 0.8f);
    float boom = 0.0f;
    auto& channel = sound.channels[side];
    for (std::size_t n = 0; n < channel.size(); ++n) {
      const float t = float(n) / float(rate);
      boom += (28.0f + 50.0f * std::exp(-t / 0.15f)) / float(rate);
      boom -= std::floor(boom);
      if (n % 16 == 0) blast.Tune(180.0f + 5000.0f * std::exp(-t / 0.15f), 0.7f);
      const float white = noise.Next();
      const float sample = 1.3f * std::sin(kTwoPi * boom) * AttackDecay(t, 0.004f, 0.5f) +
                           1.2f * blast.Low(white) * AttackDecay(t, 0.003f, 0.35f) +
                           2.5f * rumble.Low(white) * AttackDecay(t, 0.05f, 0.8f);
      channel[n] = Saturate(sample, 2.0f);
    }
  }

  std::uint32_t seed = 1100u;
  for (const Debris& piece : kDebris) {
    std::vector<float> knock(std::size_t(0.12f * float(rate)));
    cNoise noise(seed++);
    cFilter wood(rate, piece.pitch, 4.0f);
    for (std::size_t n = 0; n < knock.size(); ++n)
      knock[n] = wood.Band(noise.Next()) * AttackDecay(float(n) / float(rate), 0.002f, 0.025f);
    MixIn(sound, knock, std::size_t(piece.at * float(rate)), 1.4f * piece.level, piece.pan);
  }

  AddRoom(sound, {.size = 0.65f, .damping = 0.5f, .wet = 0.3f}, 0.5f);
  return sound;
}

// The dragon's voice: its fire breath and its two bellows.

#include <algorithm>
#include <functional>

#include "synth/dsp.h"
#include "synth/effects/recipes.h"
#include "synth/reverb.h"

namespace {

// How a bellow moves over time; every function takes seconds from its start.
struct Bellow {
  float seconds;
  std::function<float(float)> pitch;      // Hz of the voice
  std::function<float(float)> level;      // 0..1
  std::function<float(float)> openness;   // 0 closed "oh" .. 1 open "ah"
  std::function<float(float)> roughness;  // 0 clean .. 1 rattling
};

// A huge throat: a buzzing pulse with jittering pitch and a subharmonic
// rattle, breath noise, and three vocal-tract resonances set far lower than
// a man's.
std::vector<float> Throat(int rate, const Bellow& bellow, std::uint32_t seed) {
  std::vector<float> out(std::size_t(bellow.seconds * float(rate)));
  cNoise noise(seed);
  cFilter jitter(rate, 18.0f, 0.7f);
  cFilter formants[3] = {{rate, 400.0f, 4.0f}, {rate, 800.0f, 5.0f}, {rate, 1700.0f, 6.0f}};
  cFilter chest(rate, 180.0f, 0.7f);
  float phase = 0.0f, halfPhase = 0.0f;
  for (std::size_t n = 0; n < out.size(); ++n) {
    const float t = float(n) / float(rate);
    const float wobble = 1.0f + 0.6f * jitter.Low(noise.Next());
    const float frequency = bellow.pitch(t) * wobble;
    phase += frequency / float(rate);
    halfPhase += 0.5f * frequency / float(rate);
    phase -= std::floor(phase);
    halfPhase -= std::floor(halfPhase);

    const float pulse = Saw(phase, frequency / float(rate));
    const float rattle = 1.0f + bellow.roughness(t) * std::sin(kTwoPi * halfPhase);
    const float source = pulse * rattle + 0.35f * noise.Next();

    if (n % 32 == 0) {
      const float open = bellow.openness(t);
      formants[0].Tune(260.0f + 200.0f * open, 4.0f);
      formants[1].Tune(520.0f + 420.0f * open, 5.0f);
      formants[2].Tune(1500.0f + 400.0f * open, 6.0f);
    }
    const float voiced = formants[0].Band(source) + 0.7f * formants[1].Band(source) +
                         0.35f * formants[2].Band(source) + 0.8f * chest.Low(source);
    out[n] = bellow.level(t) * Saturate(voiced, 2.0f);
  }
  return out;
}

cSound FromMono(const EffectFormat& format, const std::vector<float>& mono) {
  cSound sound = Blank(format, float(mono.size()) / float(format.rate));
  MixIn(sound, mono, 0, 1.0f);
  return sound;
}

}  // namespace

cSound BreathRoar(const EffectFormat& format) {
  const int rate = format.rate;
  const float seconds = 1.6f;
  // A low growl under the roaring flame.
  const Bellow growl{
      seconds,
      [](float t) { return 62.0f + 8.0f * std::sin(kTwoPi * 1.3f * t); },
      [](float t) { return 0.35f * AttackDecay(t, 0.1f, 0.6f); },
      [](float) { return 0.3f; },
      [](float) { return 0.8f; },
  };
  auto mono = Throat(rate, growl, 301u);

  cNoise noise(302u);
  cFilter roar(rate, 700.0f, 0.9f);
  cFilter body(rate, 260.0f, 1.5f);
  cFilter flicker(rate, 14.0f, 0.7f);
  cFilter crackle(rate, 3000.0f, 3.0f);
  for (std::size_t n = 0; n < mono.size(); ++n) {
    const float t = float(n) / float(rate);
    const float envelope =
        std::min(1.0f, t / 0.08f) * (t < 1.0f ? 1.0f : std::exp(-(t - 1.0f) / 0.18f));
    if (n % 32 == 0) roar.Tune(500.0f + 900.0f * std::exp(-t / 0.3f), 0.9f);
    const float white = noise.Next();
    const float flame = roar.Low(white) + 1.2f * body.Band(white);
    const float wave = 0.75f + 0.25f * std::clamp(8.0f * flicker.Low(noise.Next()), -1.0f, 1.0f);
    const float spark = noise.Next() > 0.997f ? 4.0f : 0.0f;
    mono[n] += envelope * (wave * flame + crackle.Band(spark));
  }
  cSound sound = FromMono(format, mono);
  FadeOut(sound, 0.1f);
  return sound;
}

cSound DragonDeathBellow(const EffectFormat& format) {
  const float seconds = 2.6f;
  const Bellow dying{
      seconds,
      [](float t) { return 55.0f + 150.0f * std::exp(-t / 0.9f); },
      [](float t) {
        const float gurgle = t > 1.8f ? 0.7f + 0.3f * std::sin(kTwoPi * 9.0f * t) : 1.0f;
        return gurgle * AttackDecay(t, 0.06f, 1.1f);
      },
      [](float t) { return std::max(0.0f, 1.0f - t / 2.2f); },
      [](float t) { return std::min(1.0f, 0.3f + 0.4f * t); },
  };
  cSound sound = FromMono(format, Throat(format.rate, dying, 401u));
  AddRoom(sound, {.size = 0.75f, .damping = 0.5f, .wet = 0.5f}, 0.4f);
  return sound;
}

cSound DragonStartBellow(const EffectFormat& format) {
  const float seconds = 2.5f;
  const Bellow waking{
      seconds,
      [](float t) {
        const float rise = 85.0f + 55.0f * std::min(1.0f, t / 0.45f);
        const float sag = t > 1.8f ? (t - 1.8f) * 50.0f : 0.0f;
        return rise - sag + 3.0f * std::sin(kTwoPi * 5.5f * t);
      },
      [](float t) {
        return std::min(1.0f, t / 0.12f) * (t < 1.7f ? 1.0f : std::exp(-(t - 1.7f) / 0.3f));
      },
      [](float t) { return std::min(1.0f, 0.4f + t / 0.4f); },
      [](float t) { return 0.5f + 0.2f * std::sin(kTwoPi * 0.7f * t); },
  };
  cSound sound = FromMono(format, Throat(format.rate, waking, 501u));
  AddRoom(sound, {.size = 0.85f, .damping = 0.35f, .wet = 0.6f}, 0.5f);
  return sound;
}

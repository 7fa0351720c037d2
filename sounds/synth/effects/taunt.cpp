// The hero's taunts: a speech synthesiser's reading, deepened and driven
// into a battle cry.

#include <algorithm>

#include "synth/dsp.h"
#include "synth/effects/recipes.h"
#include "synth/reverb.h"

namespace {

// How far the voice is lowered: output samples per input sample at the
// same rate (the words also slow down by as much, which adds weight).
constexpr double kDeepen = 0.8;
// Where the read voice starts and ends: the synthesiser pads with silence.
constexpr float kSilence = 0.01f;
// Quiet samples kept before and after the words, so the shout neither
// starts nor stops on a jump.
constexpr std::ptrdiff_t kMargin = 200;

std::vector<float> Trimmed(const std::vector<float>& speech) {
  const auto loud = [](float s) { return std::fabs(s) > kSilence; };
  const auto first = std::find_if(speech.begin(), speech.end(), loud);
  const auto last = std::find_if(speech.rbegin(), speech.rend(), loud).base();
  if (first >= last) return {};
  return std::vector<float>(first - std::min(kMargin, first - speech.begin()),
                            last + std::min(kMargin, speech.end() - last));
}

// Strains the voice the way a shout does: thin lows, a hard presence peak
// and saturation.
std::vector<float> Shouted(std::vector<float> voice, int rate) {
  cFilter rumble(rate, 110.0f, 0.7f);
  cFilter presence(rate, 1700.0f, 0.9f);
  const float peak =
      std::max(1e-6f, std::fabs(*std::max_element(voice.begin(), voice.end(), [](float a, float b) {
                 return std::fabs(a) < std::fabs(b);
               })));
  for (float& s : voice) {
    const float clean = rumble.High(s / peak);
    s = Saturate(clean + 1.2f * presence.Band(clean), 2.5f);
  }
  return voice;
}

}  // namespace

cSound ShoutedTaunt(const EffectFormat& format, const cSound& speech, int variant) {
  const double step = double(speech.rate) / double(format.rate) * kDeepen;
  const auto voice = Shouted(Resample(Trimmed(speech.channels[0]), step), format.rate);
  // A second, slightly higher and later take thickens the cry.
  const auto doubled = Shouted(Resample(Trimmed(speech.channels[0]), step * 1.012), format.rate);

  const std::size_t lag = std::size_t(0.017f * float(format.rate));
  cSound sound =
      Blank(format, float(std::max(voice.size(), doubled.size() + lag)) / float(format.rate));
  const float lean = variant % 2 == 0 ? -0.15f : 0.15f;
  MixIn(sound, voice, 0, 1.0f, lean);
  MixIn(sound, doubled, lag, 0.45f, -3.0f * lean);
  AddRoom(sound, {.size = 0.55f, .damping = 0.45f, .wet = 0.3f}, 0.35f);
  return sound;
}

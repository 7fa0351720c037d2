#include "synth/effects/effects.h"

#include <functional>
#include <map>
#include <stdexcept>
#include <string>

#include "synth/effects/recipes.h"

namespace {

struct EffectEntry {
  EffectFormat format;
  std::function<cSound(const EffectFormat&)> make;  // empty for spoken taunts
};

const std::map<int, EffectEntry>& Table() {
  static const std::map<int, EffectEntry> table = {
      {129, {{2, 48000}, [](const EffectFormat& f) { return BowShot(f, 0); }}},
      {130, {{2, 48000}, [](const EffectFormat& f) { return BowShot(f, 1); }}},
      {131, {{2, 48000}, [](const EffectFormat& f) { return ArrowWhoosh(f, 0); }}},
      {132, {{2, 48000}, [](const EffectFormat& f) { return ArrowWhoosh(f, 1); }}},
      {133, {{1, 44100}, BreathRoar}},
      {134, {{1, 44100}, DragonDeathBellow}},
      {135, {{1, 44100}, DragonStartBellow}},
      {136, {{2, 44100}, [](const EffectFormat& f) { return FireballLaunch(f, 0); }}},
      {137, {{2, 44100}, [](const EffectFormat& f) { return FireballLaunch(f, 1); }}},
      {138, {{2, 44100}, {}}},
      {139, {{2, 44100}, {}}},
      {140, {{2, 44100}, {}}},
      {141, {{2, 48000}, WizardCast}},
      {142, {{2, 48000}, SpellBurst}},
      {143, {{2, 22050}, SwordSlash}},
      {144, {{2, 44100}, ZeppelinCrash}},
  };
  return table;
}

const EffectEntry& Entry(int number) {
  const auto entry = Table().find(number);
  if (entry == Table().end())
    throw std::invalid_argument("no effect numbered " + std::to_string(number));
  return entry->second;
}

}  // namespace

bool IsSpoken(int number) { return !Entry(number).make; }

cSound MakeEffect(int number) {
  const EffectEntry& entry = Entry(number);
  if (!entry.make) throw std::invalid_argument("effect " + std::to_string(number) + " is spoken");
  cSound sound = entry.make(entry.format);
  NormalizePeak(sound, kTargetPeak);
  return sound;
}

cSound MakeTaunt(int number, const cSound& speech) {
  if (!IsSpoken(number))
    throw std::invalid_argument("effect " + std::to_string(number) + " is not spoken");
  cSound sound = ShoutedTaunt(Entry(number).format, speech, number);
  NormalizePeak(sound, kTargetPeak);
  return sound;
}

cSound Blank(const EffectFormat& format, float seconds) {
  return cSound(format.rate, format.channels, std::size_t(seconds * float(format.rate)));
}

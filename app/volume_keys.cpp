// The player's master volume keys, by the character they type.

#include <algorithm>
#include <cmath>

#include "app/game.h"

namespace {

constexpr float kVolumeStep = 0.1f;
constexpr float kIndicatorSeconds = 1.0f;
// Steps land on whole tenths: a stored 0.55 goes up to 0.6 and down to 0.5.
constexpr float kStepsPerUnit = 1.0f / kVolumeStep;
constexpr float kOnATenth = 1e-3f;

float StepUp(float volume) {
  return std::min(1.0f, (std::floor(volume * kStepsPerUnit + kOnATenth) + 1.0f) / kStepsPerUnit);
}

float StepDown(float volume) {
  return std::max(0.0f, (std::ceil(volume * kStepsPerUnit - kOnATenth) - 1.0f) / kStepsPerUnit);
}

}  // namespace

bool cGame::ApplyVolumeCharacter(wchar_t character, bool repeated) {
  if (state != kStateScreens && state != kStateMatch) return false;
  if (state == kStateScreens && TypingName()) return false;

  const bool louder = character == L'+' || character == L'=';
  const bool quieter = character == L'-';
  if (character == L'm' || character == L'M') {
    if (!repeated) soundSystem.SetMuted(!soundSystem.Muted());
  } else if (louder || quieter) {
    settings.volume = louder ? StepUp(settings.volume) : StepDown(settings.volume);
    soundSystem.SetMasterVolume(settings.volume);
    soundSystem.SetMuted(false);
  } else {
    return false;
  }
  volumeShownFor = kIndicatorSeconds;
  return true;
}

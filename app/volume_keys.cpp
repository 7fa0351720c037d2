// The player's master volume keys.

#include <algorithm>
#include <cmath>

#include "app/game.h"
#include "platform/virtual_keys.h"

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

bool cGame::ApplyVolumeKey(unsigned key, bool keyDown) {
  if (state != kStateScreens && state != kStateMatch) return false;
  if (state == kStateScreens && screen == kScreenHallOfFame && nameEntryActive != 0) return false;

  const bool louder = key == VK_OEM_PLUS || key == VK_ADD;
  const bool quieter = key == VK_OEM_MINUS || key == VK_SUBTRACT;
  if (key == 'M') {
    if (!keyDown) soundSystem.SetMuted(!soundSystem.Muted());
  } else if (louder || quieter) {
    if (!keyDown) return true;
    settings.volume = louder ? StepUp(settings.volume) : StepDown(settings.volume);
    soundSystem.SetMasterVolume(settings.volume);
    soundSystem.SetMuted(false);
  } else {
    return false;
  }
  volumeShownFor = kIndicatorSeconds;
  return true;
}

#include "audio/master_bus.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSpeakers = 2;

// The per-sample coefficient of a one-pole glide with time constant `seconds`.
float GlideCoefficient(float seconds, int sampleRate) {
  return 1.0f - std::exp(-1.0f / (seconds * static_cast<float>(sampleRate)));
}

}  // namespace

cMasterBus::cMasterBus(int sampleRate)
    : appliedGain(TargetGain()),
      glideCoefficient(GlideCoefficient(kVolumeGlideSeconds, sampleRate)),
      releaseCoefficient(GlideCoefficient(kReleaseSeconds, sampleRate)) {}

float cMasterBus::VolumeGain(float volume) {
  if (!(volume > 0.0f)) return 0.0f;  // NaN too
  const float clamped = std::min(volume, 1.0f);
  return clamped * clamped;
}

float cMasterBus::DecibelGain(float decibels) { return std::pow(10.0f, decibels / 20.0f); }

float cMasterBus::TargetGain() const {
  return muted.load() ? 0.0f : VolumeGain(volume.load()) * DecibelGain(kHeadroomDb);
}

void cMasterBus::Reset() {
  appliedGain = TargetGain();
  limiterGain = 1.0f;
}

void cMasterBus::Process(std::int16_t* samples, std::size_t count) {
  const float target = TargetGain();
  for (std::size_t first = 0; first < count; first += kSpeakers) {
    const std::size_t speakers = std::min<std::size_t>(kSpeakers, count - first);
    appliedGain += (target - appliedGain) * glideCoefficient;
    // Close enough to land: a mute ends in true silence.
    if (std::fabs(target - appliedGain) < 1e-6f) appliedGain = target;

    float frame[kSpeakers];
    float peak = 0.0f;
    for (std::size_t s = 0; s < speakers; ++s) {
      frame[s] = static_cast<float>(samples[first + s]) * appliedGain;
      peak = std::max(peak, std::fabs(frame[s]));
    }
    // The gain this frame allows, then the limiter's: down at once, up slowly, never above
    // what keeps the frame under the ceiling.
    const float allowed = peak > kCeiling ? kCeiling / peak : 1.0f;
    limiterGain = std::min(allowed, limiterGain + (1.0f - limiterGain) * releaseCoefficient);
    for (std::size_t s = 0; s < speakers; ++s) {
      samples[first + s] = static_cast<std::int16_t>(std::lround(frame[s] * limiterGain));
    }
  }
}

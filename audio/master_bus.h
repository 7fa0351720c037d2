#pragma once
// The last stage of the game's sound, between the mixer's sum and the speakers: the master
// volume and a peak limiter, so that the mix never reaches full scale however many sounds play.
//
// Every sound enters the mixer kHeadroomDb below its mix level (see mix_levels.h). The mixer
// sums in 16 bits and clips at full scale, so that headroom lets several loud sounds pile up
// before the sum would clip; the bus gives the headroom back, applies the master volume and
// then limits. The limiter holds every sample at or below kCeiling: it lowers its gain at once
// when a peak would pass the ceiling and lets it recover over kReleaseSeconds, so a single
// sound, whose peaks stay below the ceiling, passes through untouched.

#include <atomic>
#include <cstddef>
#include <cstdint>

class cMasterBus {
 public:
  static constexpr float kHeadroomDb = 12.0f;
  // 1 dB below full scale (32767).
  static constexpr float kCeiling = 29204.0f;
  static constexpr float kReleaseSeconds = 0.15f;
  // Volume changes glide over about this long, so a step or a mute does not click.
  static constexpr float kVolumeGlideSeconds = 0.01f;

  explicit cMasterBus(int sampleRate = 44100);

  // The gain of the player's volume: the volume squared, so that how loud the game sounds
  // follows the volume about in proportion (0.5 is 12 dB down, 0.1 is 40 dB down); 0 and below
  // are silent, 1 and above full.
  static float VolumeGain(float volume);
  // The gain of a level in decibels.
  static float DecibelGain(float decibels);

  // Safe from any thread while the audio thread runs Process.
  void SetVolume(float newVolume) { volume.store(newVolume); }
  float Volume() const { return volume.load(); }
  void SetMuted(bool mute) { muted.store(mute); }
  bool Muted() const { return muted.load(); }

  // Runs the bus over `count` interleaved 16-bit stereo samples, in place (the audio thread).
  void Process(std::int16_t* samples, std::size_t count);

  // Forgets the limiter's state and takes the current volume at once (for a new device).
  void Reset();

 private:
  float TargetGain() const;

  std::atomic<float> volume{1.0f};
  std::atomic<bool> muted{false};
  // The audio thread's own state.
  float appliedGain;  // the volume gain on its glide towards TargetGain
  float limiterGain = 1.0f;
  float glideCoefficient;
  float releaseCoefficient;
};

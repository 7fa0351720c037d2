#pragma once

#include <cstddef>
#include <vector>

// Audio held as one float array per channel. Values are nominally within
// -1..1; nothing clamps them until a file is written.
struct cSound {
  int rate = 44100;
  std::vector<std::vector<float>> channels;

  cSound() = default;
  cSound(int rate, int channelCount, std::size_t frames);

  std::size_t Frames() const { return channels.empty() ? 0 : channels[0].size(); }
  int ChannelCount() const { return static_cast<int>(channels.size()); }
};

// Largest magnitude over all channels.
float Peak(const cSound& sound);

// Root mean square over all channels.
float Rms(const cSound& sound);

// Scales the sound so that its peak equals `target` (a silent sound stays silent).
void NormalizePeak(cSound& sound, float target);

// Peak level that every shipped sound is normalised to: -1 dBFS.
inline constexpr float kTargetPeak = 0.891f;

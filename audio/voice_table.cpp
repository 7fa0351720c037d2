#include "audio/voice_table.h"

#include <algorithm>

namespace {

constexpr int kChannelBits = 12;  // room for kMaxChannels + 1
constexpr std::uint32_t kChannelMask = (1u << kChannelBits) - 1;

}  // namespace

void cVoiceTable::Resize(int count) {
  const int clamped = std::min(count, kMaxChannels);
  if (clamped > Count()) voices.resize(static_cast<std::size_t>(clamped));
}

int cVoiceTable::PickChannel(std::uint32_t sample, int limit,
                             const std::function<bool(int)>& sounding) const {
  int firstSilent = -1;
  int quietest = -1;
  int playsOfSample = 0;
  for (int channel = 0; channel < Count(); ++channel) {
    if (!sounding(channel)) {
      if (firstSilent < 0) firstSilent = channel;
      continue;
    }
    const Voice& voice = voices[channel];
    if (voice.sample != sample) continue;
    ++playsOfSample;
    if (quietest < 0 || voice.volume < voices[quietest].volume ||
        (voice.volume == voices[quietest].volume &&
         voice.startOrder < voices[quietest].startOrder)) {
      quietest = channel;
    }
  }
  return playsOfSample < limit ? firstSilent : quietest;
}

std::uint32_t cVoiceTable::Start(int channel, std::uint32_t sample, int volume) {
  Voice& voice = voices[channel];
  voice.sample = sample;
  voice.volume = volume;
  voice.startOrder = nextStartOrder++;
  voice.generation = (voice.generation + 1) & (~0u >> kChannelBits);
  return voice.generation << kChannelBits | static_cast<std::uint32_t>(channel + 1);
}

int cVoiceTable::ChannelOf(std::uint32_t handle) const {
  const int channel = static_cast<int>(handle & kChannelMask) - 1;
  if (channel < 0 || channel >= Count()) return -1;
  return voices[channel].generation == handle >> kChannelBits ? channel : -1;
}

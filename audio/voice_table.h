#pragma once
// Which playback holds which mixer channel. Picks the channel for a new play under the
// per-sample limit and turns channels into handles that go stale once the channel is reused,
// so a handle kept for an old sound never reaches the sound that took its channel over.

#include <cstdint>
#include <functional>
#include <vector>

class cVoiceTable {
 public:
  // A handle holds the channel + 1 in its low bits, so that no channel gives handle 0.
  static constexpr int kMaxChannels = 4095;

  // Makes room for `count` channels (at most kMaxChannels); never shrinks.
  void Resize(int count);
  int Count() const { return static_cast<int>(voices.size()); }

  // The channel a new play of `sample` should take, given which channels are `sounding`: a
  // silent channel while the sample has fewer than `limit` sounding plays, otherwise the
  // quietest of its own plays (the oldest among equally quiet ones). -1 when none is free.
  int PickChannel(std::uint32_t sample, int limit, const std::function<bool(int)>& sounding) const;

  // Records that `channel` now plays `sample` at `volume` (0..100) and returns the new
  // handle of the channel (never 0); earlier handles of the channel go stale.
  std::uint32_t Start(int channel, std::uint32_t sample, int volume);

  // The channel that `handle` names; -1 when the handle is 0, out of range or stale.
  int ChannelOf(std::uint32_t handle) const;

  // Records a new volume (0..100) for the playback on `channel`.
  void SetVolume(int channel, int volume) { voices[channel].volume = volume; }

 private:
  struct Voice {
    std::uint32_t sample = 0;
    int volume = 0;
    std::uint64_t startOrder = 0;
    std::uint32_t generation = 0;
  };

  std::vector<Voice> voices;
  std::uint64_t nextStartOrder = 1;
};

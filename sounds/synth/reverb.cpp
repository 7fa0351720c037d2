#include "synth/reverb.h"

#include "synth/dsp.h"

namespace {

// Delay lengths in samples at 44100 Hz, mutually prime so the echoes do not
// pile up on one period.
constexpr int kCombLengths[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr int kAllpassLengths[] = {556, 441, 341, 225};
constexpr int kStereoSpread = 23;
constexpr float kAllpassGain = 0.5f;
constexpr float kInputGain = 0.015f;

std::size_t Scaled(int length, int rate) { return std::size_t(double(length) * rate / 44100.0); }

}  // namespace

cReverb::cReverb(int rate, const Settings& settings)
    : settings(settings), feedback(0.7f + 0.28f * settings.size) {
  for (int side = 0; side < 2; ++side) {
    const int spread = side * kStereoSpread;
    for (int length : kCombLengths)
      sides[side].combs.push_back({std::vector<float>(Scaled(length + spread, rate))});
    for (int length : kAllpassLengths)
      sides[side].allpasses.push_back({std::vector<float>(Scaled(length + spread, rate))});
  }
}

float cReverb::Run(Side& side, float input) {
  float out = 0.0f;
  for (Delay& comb : side.combs) {
    const float delayed = comb.line[comb.at];
    comb.store = delayed * (1.0f - settings.damping) + comb.store * settings.damping;
    comb.line[comb.at] = input + comb.store * feedback;
    comb.at = (comb.at + 1) % comb.line.size();
    out += delayed;
  }
  for (Delay& allpass : side.allpasses) {
    const float delayed = allpass.line[allpass.at];
    allpass.line[allpass.at] = out + delayed * kAllpassGain;
    allpass.at = (allpass.at + 1) % allpass.line.size();
    out = delayed - out;
  }
  return out;
}

void cReverb::Process(cSound& sound) {
  const bool stereo = sound.ChannelCount() == 2;
  for (std::size_t i = 0; i < sound.Frames(); ++i) {
    const float left = sound.channels[0][i];
    const float right = stereo ? sound.channels[1][i] : left;
    const float input = (left + right) * kInputGain;
    const float wetLeft = Run(sides[0], input) * settings.wet;
    const float wetRight = Run(sides[1], input) * settings.wet;
    if (stereo) {
      sound.channels[0][i] += wetLeft;
      sound.channels[1][i] += wetRight;
    } else {
      sound.channels[0][i] += 0.5f * (wetLeft + wetRight);
    }
  }
}

void AddRoom(cSound& sound, const cReverb::Settings& settings, float tailSeconds) {
  for (auto& channel : sound.channels)
    channel.resize(channel.size() + std::size_t(tailSeconds * float(sound.rate)));
  cReverb(sound.rate, settings).Process(sound);
  FadeOut(sound, tailSeconds * 0.5f);
}

#include "synth/wav_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace {

void PutU16(std::vector<char>& out, std::uint16_t v) {
  out.push_back(char(v & 0xff));
  out.push_back(char(v >> 8));
}

void PutU32(std::vector<char>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xff));
}

void PutTag(std::vector<char>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

std::uint32_t GetU32(const std::vector<char>& in, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | std::uint8_t(in[at + i]);
  return v;
}

std::uint16_t GetU16(const std::vector<char>& in, std::size_t at) {
  return std::uint16_t(std::uint8_t(in[at]) | (std::uint8_t(in[at + 1]) << 8));
}

// Full scale maps to ±32767 both ways, so a write and a read give back the
// samples to within half a step.
constexpr float kFullScale = 32767.0f;

std::int16_t ToPcm(float s) {
  const float scaled = std::round(std::clamp(s, -1.0f, 1.0f) * kFullScale);
  return std::int16_t(scaled);
}

}  // namespace

void WriteWav(const std::string& path, const cSound& sound) {
  const std::uint16_t channels = std::uint16_t(sound.ChannelCount());
  const std::uint32_t dataBytes = std::uint32_t(sound.Frames() * channels * 2);
  std::vector<char> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  PutU32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutU32(out, 16);
  PutU16(out, 1);  // integer PCM
  PutU16(out, channels);
  PutU32(out, std::uint32_t(sound.rate));
  PutU32(out, std::uint32_t(sound.rate) * channels * 2);
  PutU16(out, std::uint16_t(channels * 2));
  PutU16(out, 16);
  PutTag(out, "data");
  PutU32(out, dataBytes);
  for (std::size_t i = 0; i < sound.Frames(); ++i)
    for (const auto& channel : sound.channels) PutU16(out, std::uint16_t(ToPcm(channel[i])));

  std::ofstream file(path, std::ios::binary);
  file.write(out.data(), std::streamsize(out.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

cSound ReadWav(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<char> in{std::istreambuf_iterator<char>(file),
                             std::istreambuf_iterator<char>()};
  if (in.size() < 12 || std::memcmp(in.data(), "RIFF", 4) != 0 ||
      std::memcmp(in.data() + 8, "WAVE", 4) != 0)
    throw std::runtime_error(path + " is not a WAV file");

  int channels = 0;
  int rate = 0;
  std::size_t at = 12;
  while (at + 8 <= in.size()) {
    const std::uint32_t size = GetU32(in, at + 4);
    const std::size_t body = at + 8;
    if (std::memcmp(in.data() + at, "fmt ", 4) == 0 && body + 16 <= in.size()) {
      if (GetU16(in, body) != 1 || GetU16(in, body + 14) != 16)
        throw std::runtime_error(path + " is not 16-bit PCM");
      channels = GetU16(in, body + 2);
      rate = int(GetU32(in, body + 4));
    } else if (std::memcmp(in.data() + at, "data", 4) == 0) {
      if (channels == 0) throw std::runtime_error(path + " has data before its format");
      // Streaming writers leave the size open; take what the file holds.
      const std::size_t bytes = std::min<std::size_t>(size, in.size() - body);
      const std::size_t frames = bytes / (2 * std::size_t(channels));
      cSound sound(rate, channels, frames);
      for (std::size_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
          sound.channels[c][i] =
              float(std::int16_t(GetU16(in, body + 2 * (i * channels + c)))) / kFullScale;
      return sound;
    }
    at = body + size + (size & 1);
  }
  throw std::runtime_error(path + " has no audio data");
}

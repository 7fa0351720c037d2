#pragma once
// Small sounds made by the tests themselves and registered as resources of the executable.

#include <cmath>
#include <cstdint>
#include <numbers>
#include <span>
#include <vector>

#include "platform/resources.h"

namespace test_sounds {

// A 16-bit PCM WAV file of a 440 Hz sine, `seconds` long.
inline std::vector<unsigned char> SineWav(double seconds, int speakers = 2, int rate = 44100) {
  const auto frames = static_cast<std::uint32_t>(seconds * rate);
  const std::uint32_t dataBytes = frames * static_cast<std::uint32_t>(speakers) * 2;
  std::vector<unsigned char> wav;
  wav.reserve(44 + dataBytes);
  auto text = [&wav](const char* four) {
    for (int i = 0; i < 4; ++i) wav.push_back(static_cast<unsigned char>(four[i]));
  };
  auto u32 = [&wav](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) wav.push_back(static_cast<unsigned char>(v >> (8 * i)));
  };
  auto u16 = [&wav](std::uint32_t v) {
    for (int i = 0; i < 2; ++i) wav.push_back(static_cast<unsigned char>(v >> (8 * i)));
  };
  text("RIFF");
  u32(36 + dataBytes);
  text("WAVE");
  text("fmt ");
  u32(16);
  u16(1);  // PCM
  u16(static_cast<std::uint32_t>(speakers));
  u32(static_cast<std::uint32_t>(rate));
  u32(static_cast<std::uint32_t>(rate * speakers * 2));
  u16(static_cast<std::uint32_t>(speakers * 2));
  u16(16);
  text("data");
  u32(dataBytes);
  for (std::uint32_t frame = 0; frame < frames; ++frame) {
    const double phase = 2.0 * std::numbers::pi * 440.0 * frame / rate;
    const auto sample = static_cast<std::int16_t>(std::lround(8000.0 * std::sin(phase)));
    for (int s = 0; s < speakers; ++s) u16(static_cast<std::uint16_t>(sample));
  }
  return wav;
}

// Registers `bytes` under `id`. The resource table does not copy, so the bytes are kept for
// the rest of the process: a later test of the same run may still look the id up.
inline void Register(int id, std::vector<unsigned char> bytes) {
  static std::vector<std::vector<unsigned char>> kept;
  kept.push_back(std::move(bytes));
  RegisterResource(id, std::span<const unsigned char>(kept.back()));
}

}  // namespace test_sounds

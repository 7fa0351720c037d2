#pragma once
// Small sounds made by the tests themselves and registered as resources of the executable.

#include <cmath>
#include <cstdint>
#include <numbers>
#include <span>
#include <string_view>
#include <vector>

#include "platform/resources.h"

namespace test_sounds {

// A 16-bit stereo PCM WAV file at 44.1 kHz of a 440 Hz sine, `seconds` long.
inline std::vector<unsigned char> SineWav(double seconds) {
  constexpr std::uint32_t kRate = 44100;
  constexpr std::uint32_t kFrameBytes = 4;
  const auto frames = static_cast<std::uint32_t>(seconds * kRate);
  std::vector<unsigned char> wav;
  auto text = [&wav](std::string_view four) { wav.insert(wav.end(), four.begin(), four.end()); };
  // Little-endian, as WAV files store their numbers.
  auto number = [&wav](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) wav.push_back(static_cast<unsigned char>(value >> (8 * i)));
  };
  text("RIFF");
  number(36 + frames * kFrameBytes, 4);
  text("WAVEfmt ");
  number(16, 4);
  number(1, 2);  // PCM
  number(2, 2);  // speakers
  number(kRate, 4);
  number(kRate * kFrameBytes, 4);
  number(kFrameBytes, 2);
  number(16, 2);  // bits a sample
  text("data");
  number(frames * kFrameBytes, 4);
  for (std::uint32_t frame = 0; frame < frames; ++frame) {
    const double phase = 2.0 * std::numbers::pi * 440.0 * frame / kRate;
    const auto sample = static_cast<std::uint16_t>(std::lround(8000.0 * std::sin(phase)));
    number(sample, 2);
    number(sample, 2);
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

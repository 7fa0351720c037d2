#pragma once
// Small sounds made by the tests themselves and registered as resources of the executable.

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <span>
#include <string>
#include <vector>

#include "platform/resources.h"
#include "synth/wav_file.h"

namespace test_sounds {

// A 16-bit stereo WAV at 44.1 kHz of a 440 Hz sine at a quarter of full scale, `seconds` long.
inline std::vector<unsigned char> SineWav(double seconds) {
  cSound sine(44100, 2, static_cast<std::size_t>(seconds * 44100));
  for (auto& channel : sine.channels) {
    for (std::size_t i = 0; i < channel.size(); ++i)
      channel[i] = 0.25f * static_cast<float>(std::sin(2.0 * std::numbers::pi * 440.0 * i / 44100));
  }
  const auto path = std::filesystem::temp_directory_path() /
                    ("drakmoor-sine-" + std::to_string(::getpid()) + ".wav");
  WriteWav(path.string(), sine);
  std::ifstream file(path, std::ios::binary);
  std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), {}};
  std::filesystem::remove(path);
  return bytes;
}

// Registers `bytes` under `id`, kept for the rest of the process: the resource table does not copy.
inline void Register(int id, std::vector<unsigned char> bytes) {
  static std::vector<std::vector<unsigned char>> kept;
  kept.push_back(std::move(bytes));
  RegisterResource(id, std::span<const unsigned char>(kept.back()));
}

}  // namespace test_sounds

#pragma once

#include <string>

#include "synth/ogg_file.h"
#include "synth/sound.h"
#include "synth/wav_file.h"

// The sounds that the build renders into ./sounds/ (relative to the build
// folder, the tests' working directory).
inline constexpr int kMenuMusic = 127;
inline constexpr int kMatchMusic = 128;

inline bool IsMusic(int number) { return number == kMenuMusic || number == kMatchMusic; }

inline std::string BuiltSoundPath(int number) {
  return "./sounds/" + std::to_string(number) + (IsMusic(number) ? ".ogg" : ".wav");
}

inline cSound LoadBuiltSound(int number) {
  return IsMusic(number) ? ReadOgg(BuiltSoundPath(number)) : ReadWav(BuiltSoundPath(number));
}

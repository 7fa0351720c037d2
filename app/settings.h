#pragma once
// The player's settings that survive between runs, kept in the player's file "settings"
// (platform/game_folders.h says where); the default path is the working folder's.

#include "platform/status.h"

inline constexpr const char* kSettingsPath = "./data/settings";

class cSettings {
 public:
  int audio = 1;        // output device for the sound system; 0 is the silent device
  float volume = 1.0f;  // master volume of every sound, 0 silent .. 1 full
  int difficulty = 1;   // 1 easy, 2 hard, 3 nightmare

  // Reads the file; a missing file fails and keeps every field. The lines are read in order
  // and reading stops at the first line that does not match: that field and those after it
  // keep their values, except that the difficulty then becomes 1, as does one outside 1..3.
  // A volume below 0 or above 1 is clamped into 0..1; one that is not a number becomes 1.
  HRESULT Load(const char* path = kSettingsPath);
  // Replaces the file as a whole: a crash mid-write leaves the previous file intact.
  HRESULT Save(const char* path = kSettingsPath) const;
};

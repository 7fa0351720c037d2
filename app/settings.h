#pragma once
// The player's settings that survive between runs, kept in the player's file "settings"
// (platform/game_folders.h says where); the default path is the working folder's.

#include "platform/status.h"

inline constexpr const char* kSettingsPath = "./data/settings";

class cSettings {
 public:
  int audio = 1;        // output device for the sound system; 0 is the silent device
  float volume = 1.0f;  // stored and written back, applied nowhere
  int difficulty = 1;   // 1 easy, 2 hard, 3 nightmare

  // Reads the file; a missing file fails and keeps every field. A line that does not match
  // keeps its field; a difficulty outside 1..3 (or unreadable) becomes 1.
  HRESULT Load(const char* path = kSettingsPath);
  // Replaces the file as a whole: a crash mid-write leaves the previous file intact.
  HRESULT Save(const char* path = kSettingsPath) const;
};

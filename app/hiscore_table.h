#pragma once
// The hall of fame: the ten best scores, best first, kept in the player's file "hiscore"
// (platform/game_folders.h says where); the default path is the working folder's.

#include <cstdint>
#include <string_view>

inline constexpr const char* kHiscorePath = "./data/hiscore";
inline constexpr int kHiscoreEntries = 10;
inline constexpr int kHiscoreNameLength = 32;  // 31 characters and the terminator

struct cHiscoreEntry {
  wchar_t name[kHiscoreNameLength] = {};
  std::uint32_t score = 0;
};

class cHiscoreTable {
 public:
  cHiscoreTable() { Reset(); }

  // Every entry becomes "noname" with score 0.
  void Reset();
  // Resets, then reads the records present. False when the file cannot be opened. A damaged
  // file never breaks the table: reading stops at the first record that is not a word and a
  // decimal score, over-long words are cut to 31 characters, and records out of order are
  // sorted back into order of merit.
  bool Load(const char* path = kHiscorePath);
  // Writes the ten records as "name\nscore\n", replacing the file as a whole. An empty name
  // is written as "-" (a name line cannot be blank) and read back as empty.
  bool Save(const char* path = kHiscorePath) const;

  // The place 0..9 a score would take (below equal scores), or -1 if it does not enter.
  int PlaceOf(std::uint32_t score) const;
  // Puts the entry at its place; the former last entry drops out. Names are cut to 31
  // characters.
  void Insert(std::wstring_view name, std::uint32_t score);

  const cHiscoreEntry& Entry(int index) const { return entries_[index]; }

 private:
  cHiscoreEntry entries_[kHiscoreEntries];
};

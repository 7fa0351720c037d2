#include "app/hiscore_table.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "app/safe_file.h"
#include "platform/utf8.h"

namespace {

// Stands for an empty name in the file, where a blank line would be skipped by the reader.
constexpr std::string_view kEmptyNameMark = "-";

void SetName(cHiscoreEntry& entry, std::wstring_view name) {
  const std::size_t length = std::min<std::size_t>(name.size(), kHiscoreNameLength - 1);
  std::copy_n(name.begin(), length, entry.name);
  entry.name[length] = L'\0';
}

// A score is a plain decimal number that fits 32 bits; anything else marks a damaged file.
bool ParseScore(const std::string& word, std::uint32_t& score) {
  if (word.empty() || word.size() > 10) return false;
  std::uint64_t value = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (value > UINT32_MAX) return false;
  score = static_cast<std::uint32_t>(value);
  return true;
}

}  // namespace

void cHiscoreTable::Reset() {
  for (cHiscoreEntry& entry : entries_) {
    SetName(entry, L"noname");
    entry.score = 0;
  }
}

bool cHiscoreTable::Load(const char* path) {
  Reset();
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;

  // Names end at the first white space, like every word of the file.
  std::string nameWord;
  std::string scoreWord;
  for (cHiscoreEntry& entry : entries_) {
    std::uint32_t score = 0;
    if (!(file >> nameWord >> scoreWord) || !ParseScore(scoreWord, score)) break;
    // A zero byte would end the name early in memory: the name is what comes before it.
    nameWord.resize(std::min(nameWord.size(), nameWord.find('\0')));
    SetName(entry, nameWord == kEmptyNameMark ? std::wstring() : Utf8ToWide(nameWord));
    entry.score = score;
  }

  std::stable_sort(std::begin(entries_), std::end(entries_),
                   [](const cHiscoreEntry& a, const cHiscoreEntry& b) { return a.score > b.score; });
  return true;
}

bool cHiscoreTable::Save(const char* path) const {
  std::string text;
  for (const cHiscoreEntry& entry : entries_) {
    const std::string name = WideToUtf8(entry.name);
    text += name.empty() ? std::string(kEmptyNameMark) : name;
    text += '\n';
    text += std::to_string(entry.score);
    text += '\n';
  }
  return SUCCEEDED(ReplaceFileContents(path, text));
}

int cHiscoreTable::PlaceOf(std::uint32_t score) const {
  for (int i = 0; i < kHiscoreEntries; ++i) {
    if (score > entries_[i].score) return i;
  }
  return -1;
}

void cHiscoreTable::Insert(std::wstring_view name, std::uint32_t score) {
  const int place = PlaceOf(score);
  if (place < 0) return;
  for (int j = kHiscoreEntries - 1; j > place; --j) entries_[j] = entries_[j - 1];
  SetName(entries_[place], name);
  entries_[place].score = score;
}

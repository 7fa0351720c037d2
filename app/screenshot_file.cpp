#include "app/screenshot_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kNameStart = "screenshot";
constexpr std::string_view kNameEnd = ".png";
constexpr std::size_t kMaxNumberDigits = 9;  // larger numbers are not the game's
constexpr int kClaimAttempts = 1000;

std::string ScreenshotName(int number) {
  char name[32];
  std::snprintf(name, sizeof name, "screenshot%02d.png", number);
  return name;
}

// The number of a screenshot's file name, or -1 for any other name.
int NumberOf(std::string_view name) {
  if (!name.starts_with(kNameStart) || !name.ends_with(kNameEnd)) return -1;
  const std::string_view digits =
      name.substr(kNameStart.size(), name.size() - kNameStart.size() - kNameEnd.size());
  if (digits.empty() || digits.size() > kMaxNumberDigits) return -1;
  int number = 0;
  for (const char digit : digits) {
    if (digit < '0' || digit > '9') return -1;
    number = number * 10 + (digit - '0');
  }
  return number;
}

int HighestNumberIn(const fs::path& folder) {
  int highest = -1;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    highest = std::max(highest, NumberOf(entry.path().filename().native()));
  }
  return highest;
}

}  // namespace

ScreenshotFile ClaimScreenshotFile(const std::string& folder, int atLeast) {
  ScreenshotFile file;
  file.number = atLeast;
  file.path = ScreenshotName(file.number);
  if (folder.empty()) {
    file.problem = "there is no pictures folder without a home folder";
    return file;
  }
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) {
    file.path = (fs::path(folder) / file.path).string();
    file.problem = error.message();
    return file;
  }
  file.number = std::max(atLeast, HighestNumberIn(folder) + 1);
  for (int attempt = 0; attempt < kClaimAttempts; ++attempt, ++file.number) {
    file.path = (fs::path(folder) / ScreenshotName(file.number)).string();
    const int claimed = ::open(file.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (claimed >= 0) {
      ::close(claimed);
      return file;
    }
    // Another picture took the name since the folder was read: try the next one.
    if (errno != EEXIST) break;
  }
  file.problem = std::strerror(errno);
  return file;
}

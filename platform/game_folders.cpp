#include "platform/game_folders.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <utility>

#include <SDL.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kInstalledName = "drakmoor";     // share/<name> and the per-user folder
constexpr const char* kScreenshotFolder = "Drakmoor";  // inside the pictures folder
constexpr std::string_view kDataPrefix = "./data/";
constexpr std::string_view kPicturesKey = "XDG_PICTURES_DIR=";

GameFolders& Current() {
  static GameFolders folders;
  return folders;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

// An SDL folder name without its trailing slash; empty for null.
fs::path TakeSdlFolder(char* name) {
  if (name == nullptr) return {};
  const fs::path folder = fs::path(name).parent_path();
  SDL_free(name);
  return folder;
}

// The value of a user-dirs.dirs line, "$HOME/..." or an absolute path in double quotes with
// backslash escapes; empty when the line holds anything else.
std::string UserDirValue(std::string_view quoted, const std::string& home) {
  if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') return {};
  std::string value;
  for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
    if (quoted[i] == '\\' && i + 2 < quoted.size()) ++i;
    value += quoted[i];
  }
  if (value == "$HOME" || value.starts_with("$HOME/")) return home + value.substr(5);
  return value.starts_with('/') ? value : std::string();
}

// The player's per-user folder, created when missing; empty, with `problem` told, when it
// cannot be.
std::string PerUserFolder(std::string& problem) {
  const fs::path folder = TakeSdlFolder(SDL_GetPrefPath("", kInstalledName));
  if (folder.empty()) problem = SDL_GetError();
  return folder.string();
}

std::string ScreenshotFolder() {
  const std::string home = Environment("HOME");
  if (home.empty()) return {};
  std::string configHome = Environment("XDG_CONFIG_HOME");
  if (!configHome.starts_with('/')) configHome = home + "/.config";
  return (fs::path(PicturesFolder(home, configHome)) / kScreenshotFolder).string();
}

}  // namespace

GameFolders LocateGameFolders() {
  GameFolders folders;
  const fs::path executable = TakeSdlFolder(SDL_GetBasePath());
  if (executable.empty()) return folders;

  const fs::path installed = (executable / ".." / "share" / kInstalledName).lexically_normal();
  std::string problem;
  if (IsFolder(executable / "data")) {
    folders.data = folders.playerFiles = (executable / "data").string();
    folders.screenshots = (executable / "screenshots").string();
  } else if (IsFolder(installed)) {
    folders.data = installed.string();
    folders.playerFiles = PerUserFolder(problem);
    folders.screenshots = ScreenshotFolder();
  } else {
    return folders;
  }

  if (problem.empty() && ::access(folders.playerFiles.c_str(), W_OK) != 0) {
    problem = folders.playerFiles + ": " + std::strerror(errno);
  }
  if (!problem.empty()) {
    std::fprintf(stderr,
                 "Drakmoor cannot save the settings and the hall of fame (%s); the game plays "
                 "on without saving.\n",
                 problem.c_str());
    folders.playerFiles.clear();
  }
  return folders;
}

void UseGameFolders(GameFolders folders) { Current() = std::move(folders); }

const GameFolders& CurrentGameFolders() { return Current(); }

std::string DataPath(std::string_view gamePath) {
  if (!gamePath.starts_with(kDataPrefix)) return std::string(gamePath);
  return Current().data + "/" + std::string(gamePath.substr(kDataPrefix.size()));
}

std::string PlayerFilePath(std::string_view name) {
  if (Current().playerFiles.empty()) return {};
  return Current().playerFiles + "/" + std::string(name);
}

std::string PicturesFolder(const std::string& home, const std::string& configHome) {
  std::ifstream dirs(configHome + "/user-dirs.dirs");
  std::string found;
  std::string line;
  // Read as the shell reads it: the last assignment wins.
  while (std::getline(dirs, line)) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) {
      line.pop_back();
    }
    if (!line.starts_with(kPicturesKey)) continue;
    if (std::string value = UserDirValue(std::string_view(line).substr(kPicturesKey.size()), home);
        !value.empty()) {
      found = std::move(value);
    }
  }
  return found.empty() ? home + "/Pictures" : found;
}

#include "platform/game_folders.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <utility>

#include <SDL.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/dxut.h"

namespace fs = std::filesystem;

namespace {

// The installed data as the install rules placed it: relative to the executable's folder, or
// absolute when the packager gave absolute folders.
constexpr const char* kInstalledData = DRAKMOOR_INSTALLED_DATA;
constexpr const char* kPlayerFolderName = "drakmoor";  // in the player's XDG data folder
constexpr const char* kApartFolderName = "player";     // when that is the installed data
constexpr const char* kScreenshotFolder = "Drakmoor";  // inside the pictures folder
constexpr std::string_view kDataPrefix = "./data/";
constexpr std::string_view kPicturesKey = "XDG_PICTURES_DIR=";
constexpr const char* kXdgBaseFolders[] = {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"};

GameFolders& Current() {
  static GameFolders folders;
  return folders;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// An XDG base folder as the XDG rules take it: only an absolute path counts; empty otherwise.
std::string XdgFolder(const char* name) {
  std::string value = Environment(name);
  return value.starts_with('/') ? value : std::string();
}

// The player's home: $HOME when it is an absolute path, else the account's own; empty when
// neither is.
std::string HomeFolder() {
  if (std::string home = Environment("HOME"); home.starts_with('/')) return home;
  const passwd* account = ::getpwuid(::getuid());
  if (account != nullptr && account->pw_dir != nullptr && account->pw_dir[0] == '/') {
    return account->pw_dir;
  }
  return {};
}

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

// SDL's folder name without its trailing slash; empty for null.
fs::path TakeSdlFolder(char* name) {
  if (name == nullptr) return {};
  const fs::path folder = fs::path(name).parent_path();
  SDL_free(name);
  return folder;
}

// Creates `folder` and its missing parents, readable by the player alone as the XDG rules ask.
// Empty when the folder is there and can be written, otherwise the reason.
std::string MakeWritableFolder(const fs::path& folder) {
  fs::path partial;
  for (const fs::path& part : folder) {
    partial /= part;
    if (::mkdir(partial.c_str(), 0700) != 0 && !IsFolder(partial)) {
      return partial.string() + ": " + std::strerror(errno);
    }
  }
  if (::access(folder.c_str(), W_OK) != 0) return folder.string() + ": " + std::strerror(errno);
  return {};
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

std::string ScreenshotFolder() {
  const std::string home = HomeFolder();
  if (home.empty()) return {};
  std::string configHome = XdgFolder("XDG_CONFIG_HOME");
  if (configHome.empty()) configHome = home + "/.config";
  return (fs::path(PicturesFolder(home, configHome)) / kScreenshotFolder).string();
}

}  // namespace

GameFolders LocateGameFolders() {
  for (const char* name : kXdgBaseFolders) {
    if (XdgFolder(name).empty()) ::unsetenv(name);
  }
  GameFolders folders;
  const fs::path executable = TakeSdlFolder(SDL_GetBasePath());
  if (executable.empty()) return folders;

  const fs::path installed = (executable / kInstalledData).lexically_normal();
  if (IsFolder(executable / "data")) {
    folders.data = folders.playerFiles = (executable / "data").string();
    folders.screenshots = (executable / "screenshots").string();
  } else if (IsFolder(installed)) {
    folders.data = installed.string();
    folders.playerFiles = PlayerFolder(folders.data);
    folders.screenshots = ScreenshotFolder();
  } else {
    return folders;
  }

  const std::string problem = folders.playerFiles.empty()
                                  ? std::string("no home folder: HOME is not an absolute path")
                                  : MakeWritableFolder(folders.playerFiles);
  if (!problem.empty()) {
    DXUTOutputPlayerNotice(
        L"Drakmoor cannot save the settings and the hall of fame (%s); the game plays on "
        L"without saving.",
        problem.c_str());
    folders.savesPlayerFiles = false;
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

std::string PlayerFolder(const std::string& installedData) {
  fs::path dataHome = XdgFolder("XDG_DATA_HOME");
  if (dataHome.empty()) {
    const std::string home = HomeFolder();
    if (home.empty()) return {};
    dataHome = fs::path(home) / ".local" / "share";
  }
  fs::path folder = dataHome / kPlayerFolderName;
  std::error_code error;
  if (fs::equivalent(folder, installedData, error)) folder /= kApartFolderName;
  return folder.string();
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

#pragma once
// What every reader's fuzz target shares: a scratch file that holds the current input for
// readers that take a path, and the check that stops the run when a reader breaks a promise.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include <unistd.h>

// Stops the run when `holds` is false: libFuzzer keeps the input that got here as a crash.
inline void Require(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "reader broke its promise: %s\n", promise);
  __builtin_trap();
}

// A file of this process's own, in memory-backed /dev/shm when there is one, so that a
// reader that opens a path sees each input at the speed of memory. Removed (with the ".new"
// that the game's safe writer leaves beside it on failure) when the process ends.
class cScratchFile {
 public:
  explicit cScratchFile(const char* name) {
    std::error_code error;
    std::filesystem::path folder = "/dev/shm";
    if (!std::filesystem::is_directory(folder, error)) {
      folder = std::filesystem::temp_directory_path();
    }
    path_ = (folder / ("drakmoor-fuzz-" + std::to_string(::getpid()) + "-" + name)).string();
  }
  ~cScratchFile() {
    std::remove(path_.c_str());
    std::remove((path_ + ".new").c_str());
  }
  cScratchFile(const cScratchFile&) = delete;
  cScratchFile& operator=(const cScratchFile&) = delete;

  const char* Path() const { return path_.c_str(); }

  // Replaces the file's contents with the bytes given.
  void Write(const std::uint8_t* data, std::size_t size) const {
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    Require(file != nullptr, "the scratch file can be written");
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    Require(std::fclose(file) == 0 && written, "the scratch file holds the whole input");
  }

 private:
  std::string path_;
};

#pragma once
// Puts a test in a fresh working folder of its own, since the game reads and writes ./data
// and tests run in parallel. The folder and everything in it go away with the object.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

class ScopedTempDir {
 public:
  ScopedTempDir() : previous_(std::filesystem::current_path()) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "drakmoor-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
    std::filesystem::current_path(path_);
  }
  ~ScopedTempDir() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The build folder the test started in, where the built data lives.
  const std::filesystem::path& buildDir() const { return previous_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

// The whole of a file the game wrote; empty when there is none.
inline std::string FileText(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

#include "app/settings.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

void WriteFile(const char* path, const char* text) { std::ofstream(path) << text; }

std::string ReadFile(const char* path) {
  std::ostringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directory("data"); }
  ScopedTempDir dir;
};

TEST_F(SettingsFile, MissingFileKeepsDefaultsAndSaveCreatesIt) {
  cSettings settings;
  EXPECT_TRUE(FAILED(settings.Load()));
  EXPECT_EQ(settings.audio, 1);
  EXPECT_EQ(settings.volume, 1.0f);
  EXPECT_EQ(settings.difficulty, 1);

  ASSERT_TRUE(SUCCEEDED(settings.Save()));
  EXPECT_EQ(ReadFile(kSettingsPath), "audio: 1\nvolume: 1.000000\ndifficulty: 1\n");
}

TEST_F(SettingsFile, RoundTripsEveryField) {
  cSettings written;
  written.audio = 3;
  written.volume = 0.25f;
  written.difficulty = 3;
  ASSERT_TRUE(SUCCEEDED(written.Save()));

  cSettings read;
  ASSERT_TRUE(SUCCEEDED(read.Load()));
  EXPECT_EQ(read.audio, 3);
  EXPECT_EQ(read.volume, 0.25f);
  EXPECT_EQ(read.difficulty, 3);
}

TEST_F(SettingsFile, DifficultyOutsideOneToThreeBecomesEasy) {
  for (const char* line : {"difficulty: 7\n", "difficulty: 0\n", "difficulty: x\n", ""}) {
    WriteFile(kSettingsPath, (std::string("audio: 2\nvolume: 0.5\n") + line).c_str());
    cSettings settings;
    settings.difficulty = 2;
    ASSERT_TRUE(SUCCEEDED(settings.Load()));
    EXPECT_EQ(settings.difficulty, 1) << "line: " << line;
    EXPECT_EQ(settings.audio, 2);
  }
}

TEST_F(SettingsFile, DamagedLineKeepsItsFieldOnly) {
  WriteFile(kSettingsPath, "audio: loud\nvolume: 0.5\ndifficulty: 2\n");
  cSettings settings;
  ASSERT_TRUE(SUCCEEDED(settings.Load()));
  EXPECT_EQ(settings.audio, 1);
  // The reader stops matching at the damaged line, as the format's reader always has.
  EXPECT_EQ(settings.difficulty, 1);
}

TEST_F(SettingsFile, UnwritableFolderFailsAndLeavesNoPartialFile) {
  std::filesystem::remove("data");
  cSettings settings;
  EXPECT_TRUE(FAILED(settings.Save()));
  EXPECT_FALSE(std::filesystem::exists(kSettingsPath));
}

}  // namespace

// The player's files and the terrain file: what each reads back from good, damaged and
// missing files, that a failed save never costs the player the file they had, and which
// pictures folder an installed game's screenshots go to.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

#include "app/hiscore_table.h"
#include "app/map_file.h"
#include "app/settings.h"
#include "platform/game_folders.h"
#include "support/temp_dir.h"

#include <unistd.h>

namespace {

class PlayerFiles : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directory("data"); }
  static void Write(const char* path, const std::string& text) { std::ofstream(path) << text; }
  static std::string Read(const char* path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
  }
  // A table holding scores 100, 90, ..., 10.
  static cHiscoreTable Descending() {
    cHiscoreTable table;
    for (int i = 0; i < kHiscoreEntries; ++i) table.Insert(L"p" + std::to_wstring(i), 100 - 10 * i);
    return table;
  }
  ScopedTempDir dir;
};

TEST_F(PlayerFiles, SettingsRoundTripAndDamagedOnesGiveEasyAndTheFieldsBeforeTheDamage) {
  cSettings written;
  EXPECT_TRUE(FAILED(written.Load())) << "no file yet: the defaults stay";
  written.audio = 3;
  written.volume = 0.25f;
  written.difficulty = 3;
  ASSERT_TRUE(SUCCEEDED(written.Save()));
  EXPECT_EQ(Read(kSettingsPath), "audio: 3\nvolume: 0.250000\ndifficulty: 3\n");
  cSettings read;
  ASSERT_TRUE(SUCCEEDED(read.Load()));
  EXPECT_EQ((std::tuple{read.audio, read.volume, read.difficulty}), (std::tuple{3, 0.25f, 3}));

  // Reading stops at the first damaged line: the fields after it keep their values.
  const std::tuple<const char*, int, float> damaged[] = {
      {"audio: 2\nvolume: 0.5\ndifficulty: 7\n", 2, 0.5f},
      {"audio: 2\nvolume: 0.5\ndifficulty: 0\n", 2, 0.5f},
      {"audio: 2\nvolume: 0.5\n", 2, 0.5f},
      {"audio: loud\nvolume: 0.5\ndifficulty: 2\n", 1, 1.0f}};
  for (const auto& [text, audio, volume] : damaged) {
    Write(kSettingsPath, text);
    cSettings settings;
    settings.difficulty = 2;
    ASSERT_TRUE(SUCCEEDED(settings.Load()));
    EXPECT_EQ(settings.difficulty, 1) << text;
    EXPECT_EQ(settings.audio, audio) << text;
    EXPECT_EQ(settings.volume, volume) << text;
  }
}

// A volume out of 0..1 is clamped as it is read, and written back so that it reads the same.
TEST_F(PlayerFiles, AStoredVolumeOutOfRangeIsClampedAndStaysReadable) {
  const std::pair<const char*, float> volumes[] = {{"-0.5", 0.0f}, {"7", 1.0f},    {"nan", 1.0f},
                                                   {"inf", 1.0f},  {"-inf", 0.0f}, {"1e30", 1.0f}};
  for (const auto& [stored, clamped] : volumes) {
    Write(kSettingsPath, std::string("audio: 2\nvolume: ") + stored + "\ndifficulty: 3\n");
    cSettings settings;
    ASSERT_TRUE(SUCCEEDED(settings.Load()));
    EXPECT_EQ(std::tuple(settings.volume, settings.difficulty), std::tuple(clamped, 3)) << stored;
    ASSERT_TRUE(SUCCEEDED(settings.Save()));
    cSettings again;
    ASSERT_TRUE(SUCCEEDED(again.Load()));
    EXPECT_EQ(again.volume, clamped) << Read(kSettingsPath);
  }
}

TEST_F(PlayerFiles, ScoresArePlacedBelowEqualOnesAndANewBestMovesEveryoneDown) {
  cHiscoreTable table = Descending();
  EXPECT_EQ(table.PlaceOf(10), -1) << "equal to the tenth: stays out";
  EXPECT_EQ(table.PlaceOf(11), 9);
  EXPECT_EQ(table.PlaceOf(100), 1);
  EXPECT_EQ(table.PlaceOf(101), 0);
  EXPECT_EQ(cHiscoreTable().PlaceOf(0), -1);
  table.Insert(L"best", 500);
  EXPECT_STREQ(table.Entry(0).name, L"best");
  EXPECT_STREQ(table.Entry(1).name, L"p0");
  EXPECT_EQ(table.Entry(9).score, 20u);
}

TEST_F(PlayerFiles, TheHallOfFameRoundTripsAnEmptyNameAndAMissingFileGivesNonames) {
  cHiscoreTable missing;
  EXPECT_FALSE(missing.Load());
  EXPECT_STREQ(missing.Entry(9).name, L"noname");
  cHiscoreTable table = Descending();
  table.Insert(L"", 55);
  ASSERT_TRUE(table.Save());
  EXPECT_EQ(Read(kHiscorePath).substr(0, 9), "p0\n100\np1");
  cHiscoreTable read;
  ASSERT_TRUE(read.Load());
  for (int i = 0; i < kHiscoreEntries; ++i) {
    EXPECT_STREQ(read.Entry(i).name, table.Entry(i).name) << i;
    EXPECT_EQ(read.Entry(i).score, table.Entry(i).score) << i;
  }
}

TEST_F(PlayerFiles, ADamagedHallOfFameIsRepairedShortLongAndOutOfOrder) {
  Write(kHiscorePath, std::string(200, 'w') + "\n50\nhigh\n900\nmid\n40\nzed\n-4\nlost\n3\n");
  cHiscoreTable table;
  ASSERT_TRUE(table.Load());
  EXPECT_STREQ(table.Entry(0).name, L"high");
  EXPECT_EQ(std::wstring(table.Entry(1).name), std::wstring(kHiscoreNameLength - 1, L'w'));
  EXPECT_STREQ(table.Entry(2).name, L"mid");
  EXPECT_STREQ(table.Entry(3).name, L"noname") << "reading stops at the damaged score";
  for (int i = 1; i < kHiscoreEntries; ++i)
    EXPECT_LE(table.Entry(i).score, table.Entry(i - 1).score);
}

TEST_F(PlayerFiles, AFailedSaveKeepsThePreviousFileAndLeavesNoPartialOne) {
  Write(kHiscorePath, "anna\n300\n");
  std::filesystem::create_directory(std::string(kHiscorePath) + ".new");  // blocks the temp file
  EXPECT_FALSE(Descending().Save());
  EXPECT_EQ(Read(kHiscorePath), "anna\n300\n");

  // A game started with its standard input closed still saves: the file may open as 0.
  std::filesystem::remove(std::string(kHiscorePath) + ".new");
  const int input = ::dup(0);
  ::close(0);
  EXPECT_TRUE(Descending().Save());
  ::dup2(input, 0);
  ::close(input);

  std::filesystem::remove(kHiscorePath);
  std::filesystem::remove(std::string(kHiscorePath) + ".new");
  std::filesystem::remove("data");
  EXPECT_TRUE(FAILED(cSettings().Save()));
  EXPECT_FALSE(std::filesystem::exists(kSettingsPath));
}

// For the user-dirs.dirs a desktop leaves behind (null: none at all).
TEST_F(PlayerFiles, ScreenshotsGoToTheDesktopsPicturesFolderOrElsePictures) {
  struct Case {
    const char* userDirs;
    const char* expected;
  };
  const Case cases[] = {
      {nullptr, "/home/ann/Pictures"},
      {"XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n",
       "/home/ann/Bilder"},
      {"XDG_PICTURES_DIR=\"/srv/shared pictures\"\r\n", "/srv/shared pictures"},
      {"XDG_PICTURES_DIR=\"$HOME/My \\\"best\\\" shots\"\n", "/home/ann/My \"best\" shots"},
      {"XDG_PICTURES_DIR=\"$HOME/Old\"\nXDG_PICTURES_DIR=\"$HOME/New\"\n", "/home/ann/New"},
      // Neither under $HOME nor absolute, commented out, or unquoted: not a folder to use.
      {"XDG_PICTURES_DIR=\"Pictures2\"\n# XDG_PICTURES_DIR=\"/tmp\"\nXDG_PICTURES_DIR=/tmp\n",
       "/home/ann/Pictures"},
  };
  const std::string config = dir.path().string();
  for (const Case& c : cases) {
    std::filesystem::remove("user-dirs.dirs");
    if (c.userDirs != nullptr) Write("user-dirs.dirs", c.userDirs);
    EXPECT_EQ(PicturesFolder("/home/ann", config), c.expected)
        << (c.userDirs ? c.userDirs : "(no user-dirs.dirs)");
  }
}

TEST(MapText, ReadsThePointsItHoldsSortedByXAndNeverAnUndefinedOne) {
  const struct {
    const char* text;
    std::vector<Vec2> points;
  } cases[] = {
      {"3\n-400 900\n0.5 1000.25\n6000 700\n", {{-400, 900}, {0.5f, 1000.25f}, {6000, 700}}},
      {"4\n5 10\n1 20\n3 30\n3 40\n", {{1, 20}, {3, 30}, {3, 40}, {5, 10}}},
      {"1 2 3 4 5 garbage", {{2, 3}}},
      {"1000000 0 1 2 3", {{0, 1}, {2, 3}}},
      {"3 0 1 x 5 6 7", {{0, 1}}},
      {"3 0 1 nan 2 5 5", {{0, 1}}},
      {"2 0 1 2 1e99", {{0, 1}}},
      {"0", {}},
      {"abc 1 2", {}},
      {"-5 1 2", {}},
      {"99999999999999999999 1 2", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseMap(c.text), c.points) << c.text;

  std::mt19937 random(5);
  const std::string alphabet = "0123456789 \n\t.-+eExanif";
  for (int round = 0; round < 2000; ++round) {
    std::string text = round % 3 == 0 ? std::to_string(random() % 50) + " " : "";
    for (int i = static_cast<int>(random() % 40); i > 0; --i)
      text += alphabet[random() % alphabet.size()];
    for (const Vec2 p : ParseMap(text))
      ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << text;
  }
}

TEST(MapFile, ReadsAFileAndAMissingOneLeavesThePointsAlone) {
  ScopedTempDir dir;
  std::vector<Vec2> points{{1.0f, 2.0f}};
  EXPECT_FALSE(ReadMapFile("./data/map.hm", points));
  EXPECT_EQ(points.size(), 1u);
  std::ofstream("map.hm") << "2\n0 10\n100 20\n";
  ASSERT_TRUE(ReadMapFile("map.hm", points));
  EXPECT_EQ(points, (std::vector<Vec2>{{0.0f, 10.0f}, {100.0f, 20.0f}}));
}

}  // namespace

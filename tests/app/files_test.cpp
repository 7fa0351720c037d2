// The player's files: good, damaged and missing ones, failed saves that keep the old file,
// unwritable folders, where an installed game keeps them, screenshots that replace none.

#include <SDL.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <utility>

#include "app/hiscore_table.h"
#include "app/settings.h"
#include "platform/game_folders.h"
#include "support/game_fixture.h"
#include "support/temp_dir.h"

#include <sys/resource.h>
#include <unistd.h>

namespace {

class PlayerFiles : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directory("data"); }
  static void Write(const char* path, const std::string& text) { std::ofstream(path) << text; }
  // A table holding scores 100, 90, ..., 10.
  static cHiscoreTable Descending() {
    cHiscoreTable table;
    for (int i = 0; i < kHiscoreEntries; ++i) table.Insert(L"p" + std::to_wstring(i), 100 - 10 * i);
    return table;
  }
  ScopedTempDir dir;
};

TEST_F(PlayerFiles, SettingsRoundTripAndDamagedOnesGiveEasyAndTheFieldsBeforeTheDamage) {
  EXPECT_TRUE(FAILED(cSettings().Load())) << "no file yet: the defaults stay";
  // Reading stops at the first damaged line; a volume out of 0..1 is clamped as it is read.
  const std::tuple<const char*, int, float, int> files[] = {
      {"audio: 3\nvolume: 0.250000\ndifficulty: 3\n", 3, 0.25f, 3},
      {"audio: 2\nvolume: 0.5\ndifficulty: 7\n", 2, 0.5f, 1},
      {"audio: 2\nvolume: 0.5\ndifficulty: 0\n", 2, 0.5f, 1},
      {"audio: 2\nvolume: 0.5\n", 2, 0.5f, 1},
      {"audio: loud\nvolume: 0.5\ndifficulty: 2\n", 1, 1.0f, 1},
      {"audio: 2\nvolume: -0.5\ndifficulty: 3\n", 2, 0.0f, 3},
      {"audio: 2\nvolume: 7\ndifficulty: 3\n", 2, 1.0f, 3},
      {"audio: 2\nvolume: nan\ndifficulty: 3\n", 2, 1.0f, 3},
  };
  for (const auto& [text, audio, volume, difficulty] : files) {
    Write(kSettingsPath, text);
    cSettings settings;
    settings.difficulty = 2;
    ASSERT_TRUE(SUCCEEDED(settings.Load()));
    EXPECT_EQ(std::tuple(settings.audio, settings.volume, settings.difficulty),
              std::tuple(audio, volume, difficulty))
        << text;
    ASSERT_TRUE(SUCCEEDED(settings.Save()));
    EXPECT_EQ(FileText(kSettingsPath), "audio: " + std::to_string(audio) +
                                           "\nvolume: " + std::to_string(volume) +
                                           "\ndifficulty: " + std::to_string(difficulty) + "\n");
  }
}

// A score equal to one in the table goes below it; an empty name is kept; a missing file gives
// a table of nonames, a damaged one is repaired.
TEST_F(PlayerFiles, ScoresArePlacedBelowEqualOnesAndTheHallOfFameRoundTripsOrIsRepaired) {
  cHiscoreTable table;
  EXPECT_FALSE(table.Load());
  EXPECT_STREQ(table.Entry(9).name, L"noname");
  EXPECT_EQ(table.PlaceOf(0), -1);
  table = Descending();
  const std::pair<std::uint32_t, int> places[] = {{10, -1}, {11, 9}, {100, 1}, {101, 0}};
  for (const auto& [score, place] : places) EXPECT_EQ(table.PlaceOf(score), place) << score;
  table.Insert(L"best", 500);
  table.Insert(L"", 55);
  EXPECT_EQ(table.Entry(9).score, 30u) << "a new best moves everyone down";
  ASSERT_TRUE(table.Save());
  EXPECT_EQ(FileText(kHiscorePath).substr(0, 15), "best\n500\np0\n100");
  cHiscoreTable read;
  ASSERT_TRUE(read.Load());
  EXPECT_STREQ(read.Entry(6).name, L"");
  EXPECT_EQ(read.Entry(6).score, 55u);
  EXPECT_STREQ(read.Entry(9).name, L"p7");

  Write(kHiscorePath, std::string(200, 'w') + "\n50\nhigh\n900\nmid\n40\nzed\n-4\nlost\n3\n");
  ASSERT_TRUE(table.Load());
  EXPECT_STREQ(table.Entry(0).name, L"high");
  EXPECT_EQ(std::wstring(table.Entry(1).name), std::wstring(kHiscoreNameLength - 1, L'w'));
  EXPECT_STREQ(table.Entry(2).name, L"mid");
  EXPECT_STREQ(table.Entry(3).name, L"noname") << "reading stops at the damaged score";
  for (int i = 1; i < kHiscoreEntries; ++i)
    EXPECT_LE(table.Entry(i).score, table.Entry(i - 1).score);
  Write(kHiscorePath, "big\n4294967296\n");
  table.Load();
  EXPECT_STREQ(table.Entry(0).name, L"noname") << "a score past 32 bits is damage";
}

TEST_F(PlayerFiles, AFailedSaveKeepsThePreviousFileAndLeavesNoPartialOne) {
  Write(kHiscorePath, "anna\n300\n");
  std::filesystem::create_directory(std::string(kHiscorePath) + ".new");  // blocks the temp file
  EXPECT_FALSE(Descending().Save());
  EXPECT_EQ(FileText(kHiscorePath), "anna\n300\n");

  // A disk that fills part way through the save (a file size limit stands in for it).
  std::filesystem::remove(std::string(kHiscorePath) + ".new");
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit tiny{4, limit.rlim_max};
  std::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &tiny);
  EXPECT_FALSE(Descending().Save());
  ::setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, SIG_DFL);
  EXPECT_EQ(FileText(kHiscorePath), "anna\n300\n");
  EXPECT_FALSE(std::filesystem::exists(std::string(kHiscorePath) + ".new"));

  // A game started with its standard input closed still saves: the file may open as 0.
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

// A game with a data folder beside it reads and saves there; otherwise the XDG rules hold (an
// empty or relative XDG_DATA_HOME is ignored, a game installed into ~/.local keeps the player's
// files apart from its own). Screenshots go to the desktop's pictures folder, or ~/Pictures.
TEST_F(PlayerFiles, TheDataBesideTheGameTheXdgRulesAndTheDesktopsPicturesFolderPlaceTheFiles) {
  char* base = SDL_GetBasePath();
  ASSERT_NE(base, nullptr);
  const std::filesystem::path beside = std::filesystem::path(base) / "data";
  SDL_free(base);
  const bool made = std::filesystem::create_directory(beside);
  const GameFolders folders = LocateGameFolders();
  if (made) std::filesystem::remove(beside);
  EXPECT_EQ(std::filesystem::path(folders.data), beside);
  EXPECT_EQ(folders.playerFiles, folders.data);

  const std::string home = dir.path().string();
  const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("HOME", home.c_str(), 1);
  const std::pair<const char*, std::string> dataHomes[] = {
      {"", home + "/.local/share/drakmoor"},
      {"share", home + "/.local/share/drakmoor"},
      {"/srv/players/ann", "/srv/players/ann/drakmoor"}};
  for (const auto& [dataHome, expected] : dataHomes) {
    ::setenv("XDG_DATA_HOME", dataHome, 1);
    EXPECT_EQ(PlayerFolder("/usr/share/games/drakmoor"), expected) << '"' << dataHome << '"';
  }
  ::unsetenv("XDG_DATA_HOME");
  const std::string installed = home + "/.local/share/drakmoor";
  std::filesystem::create_directories(installed);
  EXPECT_EQ(PlayerFolder(installed), installed + "/player");
  ::setenv("HOME", savedHome.c_str(), 1);

  const std::pair<const char*, const char*> cases[] = {
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
  for (const auto& [userDirs, expected] : cases) {
    std::filesystem::remove("user-dirs.dirs");
    if (userDirs != nullptr) Write("user-dirs.dirs", userDirs);
    EXPECT_EQ(PicturesFolder("/home/ann", dir.path().string()), expected)
        << (userDirs ? userDirs : "(no user-dirs.dirs)");
  }
}

// A game beside its data in a folder it cannot write (in /opt, say) still reads the player's
// files there, and leaves them as they are.
class UnwritablePlayerFolder : public GameFixture {
 protected:
  static constexpr const char* kHallOfFame = "anna\n300\n";
  bool StartsWithHallOfFame() const override { return false; }
  const char* SettingsText() const override {
    return "audio: 0\nvolume: 0.300000\ndifficulty: 3\n";
  }
  void SetUp() override {
    std::filesystem::create_directory("data");
    std::ofstream("data/hiscore") << kHallOfFame;
    GameFolders folders;
    folders.savesPlayerFiles = false;
    UseGameFolders(folders);
    GameFixture::SetUp();
  }
  void TearDown() override {
    GameFixture::TearDown();
    UseGameFolders({});
  }
};

TEST_F(UnwritablePlayerFolder, ItsFilesAreReadAndNeverWritten) {
  EXPECT_EQ(std::tuple(game().settings.difficulty, game().settings.volume), std::tuple(3, 0.3f));
  EXPECT_EQ(game().introSeen, 1) << "a player with a hall of fame is not shown the slides";
  EXPECT_EQ(game().hiscores.Entry(0).score, 300u);
  game().settings.difficulty = 1;
  game().ShowScreen(kScreenTitle);  // cleans up, which saves where it can
  EXPECT_EQ(FileText(kSettingsPath), SettingsText());
  EXPECT_EQ(FileText(kHiscorePath), kHallOfFame);
}

// A hall of fame that is there but cannot be read is the player's all the same: the game plays
// on with an empty one and never saves over it, even after a new score.
class UnreadableHallOfFame : public GameFixture {
 protected:
  bool StartsWithHallOfFame() const override { return false; }
  void SetUp() override {
    std::filesystem::create_directory("data");
    std::filesystem::create_symlink("hiscore", kHiscorePath);  // a loop: open fails
    GameFixture::SetUp();
  }
};

TEST_F(UnreadableHallOfFame, IsNeverSavedOver) {
  game().hiscores.Insert(L"anna", 300);
  game().Cleanup();
  EXPECT_TRUE(std::filesystem::is_symlink(kHiscorePath));
}

// Each run's screenshots go on after the highest number in the folder (two digits below 100),
// even among a thousand; a folder that cannot be made is told once, naming the picture whole.
using Screenshots = GameFixture;

TEST_F(Screenshots, ANewRunGoesOnAfterTheHighestNumberAndAFolderThatCannotBeMadeIsToldOnce) {
  const std::filesystem::path pictures = "Bilder-j\xc3\xbcrgen";
  const std::filesystem::path folder = pictures / "Drakmoor";
  GameFolders folders;
  folders.screenshots = folder.string();
  UseGameFolders(folders);
  const auto newRunShoots = [&](const char* expected) {
    game().screenshotCount = 0;
    game().TakeScreenshot();
    EXPECT_TRUE(std::filesystem::exists(folder / expected)) << expected;
  };
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "screenshotXY.png") << "kept";
  newRunShoots("screenshot00.png");
  for (const char* other :
       {"screenshot08.png", "screenshot.png", "screenshot12345678901.png", "notes.txt"})
    std::ofstream(folder / other) << "kept";
  newRunShoots("screenshot09.png");
  std::ofstream(folder / "screenshot99.png") << "kept";
  newRunShoots("screenshot100.png");
  EXPECT_EQ(FileText((folder / "screenshot08.png").c_str()), "kept");
  for (int i = 0; i < 1000; ++i)
    std::ofstream(folder / ("screenshot" + std::to_string(i) + ".png"));
  newRunShoots("screenshot1000.png");

  std::ofstream(pictures / "plain") << "not a folder";
  folders.screenshots = (pictures / "plain" / "Drakmoor").string();
  UseGameFolders(folders);
  testing::internal::CaptureStderr();
  game().TakeScreenshot();
  game().TakeScreenshot();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Drakmoor: could not save the screenshot " +
                                                        folders.screenshots +
                                                        "/screenshot1001.png (Not a directory).\n");
  UseGameFolders({});
}

}  // namespace

// The menu state's keys and the volume keys, played through the framework's keyboard path.

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/dxut.h"
#include "platform/sdl_device.h"
#include "platform/virtual_keys.h"
#include "support/game_fixture.h"
#include "support/picture.h"
#include "world/creatures/creature.h"

namespace {

class MenuKeys : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    RunFrames(1);  // enters the title
  }
  // Selects main-menu item `item` from the top and chooses it.
  void Choose(int item) {
    for (int i = 0; i < 5; ++i) Tap(VK_UP);
    RunFrames(1);
    for (int i = 0; i < item; ++i) Tap(VK_DOWN);
    Tap(VK_RETURN);
  }
  // Text typed at the keyboard, handed to the game by one frame.
  void TypeName(const char* letters) {
    TypeText(letters);
    RunFrames(1);
  }
};

class FirstRun : public MenuKeys {
 protected:
  bool StartsWithHallOfFame() const override { return false; }
};

TEST_F(MenuKeys, SelectionAndDifficultyStayWithinTheirBounds) {
  ASSERT_EQ(game().state, kStateScreens);
  for (int i = 0; i < 5; ++i) Tap(VK_DOWN);
  EXPECT_EQ(game().menuSelection, 5);
  RunFrames(1);
  EXPECT_EQ(game().menuSelection, 4);
  for (int i = 0; i < 7; ++i) Tap(VK_UP);
  RunFrames(1);
  EXPECT_EQ(game().menuSelection, 0);
  game().settings.difficulty = 1;
  Tap(VK_LEFT);
  EXPECT_EQ(game().settings.difficulty, 1);
  for (int i = 0; i < 3; ++i) Tap(VK_RIGHT);
  EXPECT_EQ(game().settings.difficulty, 3);
}

TEST_F(MenuKeys, EnterOpensEachScreenAndEnterOrTheLastSlideComesBack) {
  Choose(1);
  EXPECT_EQ(game().screen, kScreenHowToPlay);
  EXPECT_EQ(game().slideIndex, 0) << "the Enter that opened the slides must not turn one";
  Tap(VK_UP);  // every key turns the slides, the menu's own keys too
  Tap(VK_DOWN);
  EXPECT_EQ(game().slideIndex, 2);
  Tap(VK_SPACE);
  EXPECT_EQ(game().screen, kScreenTitle);

  Choose(2);
  EXPECT_EQ(game().screen, kScreenHallOfFame);
  EXPECT_EQ(game().nameEntryActive, 0) << "no match was played";
  Tap(VK_RETURN);
  EXPECT_EQ(game().screen, kScreenTitle);

  Choose(3);
  EXPECT_EQ(game().screen, kScreenCredits);
  Tap(VK_RETURN);
  EXPECT_EQ(game().screen, kScreenTitle);

  Choose(0);
  EXPECT_EQ(game().state, kStateLoading) << "with a hall of fame, no slides";
}

TEST_F(FirstRun, StartGameShowsTheSlidesFirstThenLoads) {
  ASSERT_EQ(game().introSeen, 0);
  Choose(0);
  EXPECT_EQ(game().screen, kScreenHowToPlay);
  for (int i = 0; i < 3; ++i) Tap(VK_SPACE);
  EXPECT_EQ(game().state, kStateLoading);
}

TEST_F(MenuKeys, EscapeQuitsOnItsPressOnlyOnTheMainMenu) {
  Choose(3);
  Press(VK_ESCAPE);
  EXPECT_EQ(game().screen, kScreenCredits);
  Release(VK_ESCAPE);
  Tap(VK_RETURN);
  ASSERT_EQ(game().screen, kScreenTitle);
  DXUTSendWindowMessage(kMsgActivate, 0, 0);
  EXPECT_EQ(game().paused, 0) << "focus loss in the menus pauses only the sound";
  Press(VK_ESCAPE);
  // The quit message is waiting: the main loop ends at once with exit code 0.
  EXPECT_TRUE(SUCCEEDED(DXUTMainLoop()));
  EXPECT_EQ(DXUTGetExitCode(), 0);
}

TEST_F(MenuKeys, CreditsAdvanceEveryFiveClampedSecondsAndReturnByThemselves) {
  Tap('C');
  ASSERT_EQ(game().screen, kScreenCredits);
  RunFrames(4, 1.0);
  EXPECT_EQ(game().creditsLine, 0);
  RunFrames(1, 1.0);
  EXPECT_EQ(game().creditsLine, 1);
  RunFrames(1, 30.0);  // a stall counts as one clamped second
  EXPECT_EQ(game().creditsLine, 1);
  RunFrames(20, 1.0);
  EXPECT_EQ(game().screen, kScreenTitle);
}

TEST_F(MenuKeys, EscapeStopsTheMatchUntilPressedAgainAndEnterWhilePausedLeavesIt) {
  StartMatch();
  ASSERT_EQ(game().state, kStateMatch);
  RunFrames(2);
  Tap(VK_ESCAPE);
  EXPECT_EQ(game().paused, 1);
  const float clock = game().matchTime;
  const auto positions = [&] {
    std::vector<Vec2> where;
    for (const auto& creature : game().creatures) where.push_back(creature->position);
    return where;
  };
  const std::vector<Vec2> before = positions();
  RunFrames(30);
  EXPECT_EQ(game().matchTime, clock) << "the match clock stands";
  EXPECT_EQ(positions(), before) << "the attackers stand";
  Tap(VK_ESCAPE);
  RunFrames(30);
  EXPECT_GT(game().matchTime, clock);
  EXPECT_NE(positions(), before);
  Tap(VK_ESCAPE);
  Tap(VK_RETURN);
  EXPECT_EQ(game().state, kStateScreens);
  EXPECT_EQ(game().screen, kScreenTitle);
}

class NameEntry : public MenuKeys {
 protected:
  // The hall of fame as a finished match leaves it: 12 gold for 95.25 s, score 1143.
  void FinishMatch() {
    game().gold = 12;
    game().matchTime = 95.25f;
    game().ShowScreen(kScreenHallOfFame);
  }
};

// The name is the text typed, whatever the keyboard's layout: letters a to z lower-cased, the
// C key's c among them; keys without text (function and keypad keys) type nothing. At most 31
// letters; Enter puts the name in its place and saves it at once.
TEST_F(NameEntry, TypedLettersMakeTheNameLowerCasedUpTo31AndEnterSaves) {
  FinishMatch();
  ASSERT_EQ(game().nameEntryActive, 1);
  Press('C');
  TypeName("C");
  Release('C');
  EXPECT_EQ(game().screen, kScreenHallOfFame) << "C types during name entry";
  EXPECT_EQ(game().nameEntryActive, 1);
  Tap(VK_F1);
  Tap(VK_NUMPAD0 + 1);
  Tap('Q');                     // a key whose text never came
  TypeName("hRis7 \xC3\xA4-");  // a digit, a space, a-umlaut, a dash
  EXPECT_STREQ(game().nameBuffer, L"chris");
  Tap(VK_BACK);
  EXPECT_STREQ(game().nameBuffer, L"chri");
  for (int i = 0; i < 4; ++i) TypeName("xxxxxxxxxx");
  EXPECT_EQ(std::wcslen(game().nameBuffer), 31u);
  for (int i = 0; i < 31; ++i) Tap(VK_BACK);
  TypeName("HERO");
  Tap(VK_RETURN);
  EXPECT_EQ(game().nameEntryActive, 0);
  EXPECT_STREQ(game().hiscores.Entry(0).name, L"hero");
  EXPECT_EQ(game().hiscores.Entry(0).score, 1143u);
  std::ostringstream saved;
  saved << std::ifstream("data/hiscore").rdbuf();
  EXPECT_EQ(saved.str().substr(0, 10), "hero\n1143\n");
  Tap(VK_RETURN);
  EXPECT_EQ(game().screen, kScreenTitle);
}

// A key held down when the hall of fame showed (a pad's A is the fire button in a match, and
// Enter in the menus) does nothing when it is let go: the name is not confirmed unwritten.
TEST_F(NameEntry, AKeyHeldWhenTheScreenShowedDoesNothingWhenLetGo) {
  Press(VK_RETURN);
  FinishMatch();
  Release(VK_RETURN);
  EXPECT_EQ(game().nameEntryActive, 1);
  TypeName("ash");
  Tap(VK_RETURN);
  EXPECT_EQ(game().nameEntryActive, 0);
  EXPECT_STREQ(game().hiscores.Entry(0).name, L"ash");
}

// Alt+Enter on the hall of fame keeps a half-typed name, and once the name is in, it does not
// ask for the same score again (which would enter it twice).
TEST_F(NameEntry, AWindowSwitchKeepsTheNameAndNeverEntersAScoreTwice) {
  FinishMatch();
  TypeName("ash");
  ASSERT_EQ(DXUTToggleFullScreen(), S_OK);
  EXPECT_EQ(game().nameEntryActive, 1);
  EXPECT_STREQ(game().nameBuffer, L"ash");
  Tap(VK_RETURN);
  ASSERT_EQ(DXUTToggleFullScreen(), S_OK);
  EXPECT_EQ(game().nameEntryActive, 0);
  int entered = 0;
  for (int i = 0; i < 10; ++i) entered += std::wcscmp(game().hiscores.Entry(i).name, L"ash") == 0;
  EXPECT_EQ(entered, 1);
}

// During name entry M types its letter and the volume keys do nothing.
TEST_F(NameEntry, MTypesAndTheVolumeKeysRest) {
  FinishMatch();
  Press('M');
  TypeName("m");
  Release('M');
  Press(VK_OEM_MINUS);
  TypeName("-");
  Release(VK_OEM_MINUS);
  EXPECT_STREQ(game().nameBuffer, L"m");
  EXPECT_FALSE(game().soundSystem.Muted());
  EXPECT_EQ(game().settings.volume, 1.0f);
}

class VolumeKeys : public MenuKeys {
 protected:
  const char* SettingsText() const override {
    return "audio: 1\nvolume: 0.550000\ndifficulty: 1\n";
  }
  float Level() { return game().settings.volume; }
};

// The stored volume holds from the start. Minus and plus (main keyboard and keypad) step it on
// the press, so a held key keeps stepping, and land on whole tenths; M mutes and unmutes on its
// release; a step unmutes. In a match as in the menus, and the volume is written back.
TEST_F(VolumeKeys, StepByATenthMuteAndAreWrittenBack) {
  EXPECT_FLOAT_EQ(game().soundSystem.MasterVolume(), 0.55f);
  const struct {
    unsigned key;
    int presses;
    float expected;
  } steps[] = {{VK_OEM_PLUS, 1, 0.6f}, {VK_ADD, 2, 0.8f},        {VK_OEM_PLUS, 5, 1.0f},
               {VK_SUBTRACT, 1, 0.9f}, {VK_OEM_MINUS, 12, 0.0f}, {VK_ADD, 1, 0.1f}};
  for (const auto& step : steps) {
    for (int i = 0; i < step.presses; ++i) Press(step.key);
    Release(step.key);
    EXPECT_NEAR(Level(), step.expected, 1e-5f) << "key " << step.key;
    EXPECT_EQ(game().soundSystem.MasterVolume(), Level());
  }
  EXPECT_EQ((std::pair{game().screen, game().menuSelection}), (std::pair{int{kScreenTitle}, 0}));

  Press('M');
  EXPECT_FALSE(game().soundSystem.Muted());
  Release('M');
  EXPECT_TRUE(game().soundSystem.Muted());
  Tap(VK_OEM_PLUS);
  EXPECT_FALSE(game().soundSystem.Muted());

  StartMatch();
  ASSERT_EQ(game().state, kStateMatch);
  Tap(VK_ADD);
  Tap('M');
  EXPECT_NEAR(Level(), 0.3f, 1e-5f);
  EXPECT_TRUE(game().soundSystem.Muted());
  EXPECT_EQ(game().paused, 0);
  game().Cleanup();
  std::ostringstream saved;
  saved << std::ifstream("data/settings").rdbuf();
  EXPECT_NE(saved.str().find("volume: 0.300000\n"), std::string::npos) << saved.str();
}

// The indicator's ten steps sit in a panel at the top centre: at 0.6 the sixth is lit and the
// seventh dark, for a second after the key.
TEST_F(VolumeKeys, TheIndicatorShowsTheLevelForASecond) {
  auto stepPixel = [](int step) {
    return ReadPixel(DXUTGetD3DDevice()->renderer, 290 + 80 + 12 * step + 4, 26);
  };
  auto lit = [&stepPixel](int step) {
    const std::uint32_t value = stepPixel(step);
    return ((value >> 16) & 0xff) > 200 && (value & 0xff) < 100;
  };
  RunFrames(1);
  const std::uint32_t without = stepPixel(5);
  Tap(VK_OEM_PLUS);
  RunFrames(1);
  EXPECT_TRUE(lit(5));
  EXPECT_FALSE(lit(6));
  RunFrames(60);
  EXPECT_EQ(stepPixel(5), without) << "the indicator stays after a second";
}

}  // namespace

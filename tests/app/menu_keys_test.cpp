// The menu state's keys and the volume keys, played through the framework's keyboard path.

#include <cwchar>
#include <string>
#include <utility>

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include "platform/dxut.h"
#include "platform/virtual_keys.h"
#include "support/game_fixture.h"

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
  void TypeName(const char* letters) {
    TypeText(letters);
    RunFrames(1);
  }
  // A key as SDL reports it, then the text it types on the player's layout (none when null).
  void PushKey(SDL_Scancode scancode, bool down, const char* text = nullptr, bool repeat = false) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.scancode = scancode;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
    if (text != nullptr) TypeText(text);
  }
  // The hall of fame as a finished match leaves it: 12 gold for 95.25 s, score 1143.
  void FinishMatch() {
    game().gold = 12;
    game().matchTime = 95.25f;
    game().ShowScreen(kScreenHallOfFame);
  }
  // A key typing `text`, held for `repeats` auto-repeats, let go, then a frame.
  void TypeKey(SDL_Scancode scancode, const char* text, int repeats = 0) {
    PushKey(scancode, true, text);
    for (int i = 0; i < repeats; ++i) PushKey(scancode, true, text, true);
    PushKey(scancode, false);
    RunFrames(1);
  }
};

// The selection and the difficulty stay within their bounds; Enter opens each screen and
// brings the player back; Escape does nothing but on the title, where it quits.
TEST_F(MenuKeys, TheMainMenuOpensEachScreenCreditsReturnByThemselvesAndEscapeQuits) {
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

  Choose(1);
  Tap(VK_UP);  // every key turns the slides, the menu's own keys too
  Tap(VK_DOWN);
  EXPECT_EQ(game().slideIndex, 2) << "the Enter that opened the slides turned none";
  Tap(VK_SPACE);
  Choose(3);
  Tap(VK_ESCAPE);
  EXPECT_EQ(game().screen, kScreenCredits);
  Tap(VK_RETURN);
  EXPECT_EQ(game().screen, kScreenTitle);

  // The credits advance every five clamped seconds and return by themselves; the focus lost in
  // the menus pauses only the sound.
  Tap('C');
  ASSERT_EQ(game().screen, kScreenCredits);
  RunFrames(4, 1.0);
  EXPECT_EQ(game().creditsLine, 0);
  RunFrames(1, 1.0);
  EXPECT_EQ(game().creditsLine, 1);
  RunFrames(1, 30.0);  // a stall counts as one clamped second
  EXPECT_EQ(game().creditsLine, 1);
  RunFrames(20, 1.0);
  ASSERT_EQ(game().screen, kScreenTitle);
  DXUTSendWindowMessage(kMsgActivate, 0, 0);
  EXPECT_EQ(game().paused, 0);
  EXPECT_GT(Mix_Paused(-1), 0) << "the title music";
  DXUTSendWindowMessage(kMsgActivate, 1, 0);
  EXPECT_EQ(Mix_Paused(-1), 0) << "focus back: the music plays on";
  Press(VK_ESCAPE);  // the quit message waits: the main loop ends at once
  EXPECT_TRUE(SUCCEEDED(DXUTMainLoop()));
  EXPECT_EQ(DXUTGetExitCode(), 0);
}

// With a hall of fame Start Game loads at once. The focus lost stops the match until Escape;
// Enter while paused leaves for the title.
TEST_F(MenuKeys, LostFocusStopsTheMatchUntilEscapeAndEnterWhilePausedLeavesIt) {
  Choose(0);
  EXPECT_EQ(game().state, kStateLoading);
  StartMatch();
  RunFrames(2);
  DXUTSendWindowMessage(kMsgActivate, 1, 0);
  EXPECT_EQ(game().paused, 0) << "gaining focus";
  DXUTSendWindowMessage(kMsgActivate, 0, 0);
  EXPECT_EQ(game().paused, 1) << "losing focus";
  DXUTSendWindowMessage(kMsgActivate, 1, 0);
  EXPECT_EQ(game().paused, 1) << "focus back: the match waits for Escape";
  EXPECT_GT(Mix_Paused(-1), 0) << "and so does its sound";
  Tap(VK_RETURN);
  EXPECT_EQ(game().state, kStateScreens);
  EXPECT_EQ(game().screen, kScreenTitle);
}

// The name is the text typed, whatever the layout: letters a to z lower-cased (C, M and minus
// type rather than act), at most 31; keys without text type nothing. A key held when the hall
// of fame showed does nothing when let go, and Alt+Enter keeps a half-typed name. Enter saves
// the name in its place at once, and the same score is not asked for again.
TEST_F(MenuKeys, TypedLettersMakeTheNameLowerCasedUpTo31AndEnterSavesItOnce) {
  Press(VK_RETURN);
  FinishMatch();
  Release(VK_RETURN);
  ASSERT_EQ(game().nameEntryActive, 1);
  const std::pair<unsigned, const char*> keys[] = {{'C', "C"}, {'M', "m"}, {'6', "-"}};
  for (const auto& [key, text] : keys) {
    Press(key);
    TypeName(text);
    Release(key);
  }
  EXPECT_EQ(game().screen, kScreenHallOfFame) << "C types during name entry";
  EXPECT_FALSE(game().soundSystem.Muted());
  EXPECT_EQ(game().settings.volume, 1.0f);
  for (const unsigned key : {unsigned{VK_F1}, unsigned{VK_NUMPAD0 + 1}, unsigned{'Q'}})
    Tap(key);                   // Q: a key whose text never came
  TypeName("hRis7 \xC3\xA4-");  // a digit, a space, a-umlaut, a dash
  EXPECT_STREQ(game().nameBuffer, L"cmhris");
  Tap(VK_BACK);
  EXPECT_STREQ(game().nameBuffer, L"cmhri");
  for (int i = 0; i < 4; ++i) TypeName("xxxxxxxxxx");
  EXPECT_EQ(std::wcslen(game().nameBuffer), 31u);
  for (int i = 0; i < 31; ++i) Tap(VK_BACK);
  TypeName("HERO");
  ASSERT_EQ(DXUTToggleFullScreen(), S_OK);
  EXPECT_EQ(game().nameEntryActive, 1);
  EXPECT_STREQ(game().nameBuffer, L"hero");
  Tap(VK_RETURN);
  EXPECT_EQ(game().nameEntryActive, 0);
  EXPECT_STREQ(game().hiscores.Entry(0).name, L"hero");
  EXPECT_EQ(game().hiscores.Entry(0).score, 1143u);
  EXPECT_EQ(FileText("data/hiscore").substr(0, 10), "hero\n1143\n");
  ASSERT_EQ(DXUTToggleFullScreen(), S_OK);
  EXPECT_EQ(game().nameEntryActive, 0);
  EXPECT_STREQ(game().hiscores.Entry(1).name, L"noname") << "entered once";
  Tap(VK_RETURN);
  EXPECT_EQ(game().screen, kScreenTitle);
}

// A flying key held as the dragon dies (its repeats, or the text of a press still on its way)
// types nothing into the name; let go and pressed again, it types and repeats as any key.
TEST_F(MenuKeys, AKeyHeldOverFromTheMatchTypesNothingUntilPressedAgain) {
  StartMatch();
  PushKey(SDL_SCANCODE_A, true, "a");
  RunFrames(1);
  ASSERT_TRUE(DXUTIsKeyDown('A')) << "flying left";
  PushKey(SDL_SCANCODE_W, true);
  RunFrames(1);
  FinishMatch();
  TypeText("w");
  for (int i = 0; i < 30; ++i) PushKey(SDL_SCANCODE_A, true, "a", true);
  RunFrames(1);
  EXPECT_STREQ(game().nameBuffer, L"");
  PushKey(SDL_SCANCODE_A, false);
  PushKey(SDL_SCANCODE_W, false);
  TypeKey(SDL_SCANCODE_A, "a", 2);
  TypeKey(SDL_SCANCODE_W, "w");
  EXPECT_STREQ(game().nameBuffer, L"aaaw");
}

class VolumeKeys : public MenuKeys {
 protected:
  const char* SettingsText() const override {
    return "audio: 1\nvolume: 0.550000\ndifficulty: 1\n";
  }
  float Level() { return game().settings.volume; }
};

// The volume keys go by the character typed, whatever the layout ("-" on the French 6, "+" on
// the German key, "=" and the keypad's "+"). The stored volume holds from the start; each step
// lands on a whole tenth and repeats while held; "m" mutes and unmutes (not its repeats, nor
// the key marked M typing ","); a step unmutes. In a match too; written back.
TEST_F(VolumeKeys, TypedCharactersStepByATenthMuteAndAreWrittenBack) {
  EXPECT_FLOAT_EQ(game().soundSystem.MasterVolume(), 0.55f);
  RunFrames(1);
  TypeKey(SDL_SCANCODE_EQUALS, "=");
  EXPECT_NEAR(Level(), 0.6f, 1e-5f);
  const struct {
    SDL_Scancode key;
    const char* text;
    int repeats;
    float expected;
  } steps[] = {{SDL_SCANCODE_KP_PLUS, "+", 1, 0.8f},
               {SDL_SCANCODE_RIGHTBRACKET, "+", 4, 1.0f},
               {SDL_SCANCODE_KP_MINUS, "-", 0, 0.9f},
               {SDL_SCANCODE_6, "-", 11, 0.0f},
               {SDL_SCANCODE_EQUALS, "=", 0, 0.1f}};
  for (const auto& step : steps) {
    TypeKey(step.key, step.text, step.repeats);
    EXPECT_NEAR(Level(), step.expected, 1e-5f) << SDL_GetScancodeName(step.key);
    EXPECT_EQ(game().soundSystem.MasterVolume(), Level());
  }
  EXPECT_EQ((std::pair{game().screen, game().menuSelection}), (std::pair{int{kScreenTitle}, 0}));

  TypeKey(SDL_SCANCODE_M, ",");
  EXPECT_FALSE(game().soundSystem.Muted());
  TypeKey(SDL_SCANCODE_SEMICOLON, "m", 3);
  EXPECT_TRUE(game().soundSystem.Muted());
  TypeKey(SDL_SCANCODE_EQUALS, "=");
  EXPECT_FALSE(game().soundSystem.Muted());
  EXPECT_NEAR(Level(), 0.2f, 1e-5f);

  Choose(1);
  TypeKey(SDL_SCANCODE_6, "-");
  EXPECT_EQ(game().slideIndex, 0) << "the volume key does not also turn a slide";

  StartMatch();
  ASSERT_EQ(game().state, kStateMatch);
  TypeKey(SDL_SCANCODE_KP_PLUS, "+");
  TypeKey(SDL_SCANCODE_SEMICOLON, "M");
  EXPECT_NEAR(Level(), 0.2f, 1e-5f);
  EXPECT_TRUE(game().soundSystem.Muted());
  EXPECT_EQ(game().paused, 0);
  game().Cleanup();
  EXPECT_NE(FileText("data/settings").find("volume: 0.200000\n"), std::string::npos);
}

}  // namespace

// The whole game as a new player meets it: a first start without files, the slides, a match
// fought until the dragon dies, the name into the hall of fame, and a second start that finds
// it and the difficulty as the first left them. Then a pad alone in the hands. Frames nobody
// needs to see are moved without drawing, which keeps the match fast.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/dxut.h"
#include "support/game_fixture.h"
#include "support/virtual_pad.h"
#include "world/creatures/dragon.h"
#include "world/projectiles/projectile.h"

namespace {

constexpr double kFrame = 1.0 / 60.0;
constexpr int kFramesPerSecond = 60;
constexpr Vec2 kLair{5650.0f, 750.0f};
// The hall-of-fame file as the game writes it: ten records "name\nscore\n", best first.
std::string HallOfFameFile(const std::string& name = "", std::uint32_t score = 0) {
  std::string text = score > 0 ? name + "\n" + std::to_string(score) + "\n" : "";
  for (int row = score > 0 ? 1 : 0; row < kHiscoreEntries; ++row) text += "noname\n0\n";
  return text;
}

class FullGame : public GameFixture {
 protected:
  // A first start: no hall of fame, no settings.
  bool StartsWithHallOfFame() const override { return false; }

  void SetKey(unsigned key, bool down) { DXUTInjectKey(key, down, false); }
  void DrawEvery(int n) { drawEvery_ = n; }
  // One frame of 1/60 s, drawn when it is the `drawEvery_`th; the match's frames are counted.
  void Step() {
    if (g_game.state == kStateMatch && g_game.paused == 0) ++matchFrames_;
    const bool drawn = ++frameNumber_ % drawEvery_ == 0;
    if (!drawn) DXUTPause(false, true);
    RunFrames(1, kFrame);
    if (!drawn) DXUTPause(false, false);
  }
  void Wait(double seconds) {
    for (int i = static_cast<int>(seconds * kFramesPerSecond + 0.5); i > 0; --i) Step();
  }
  // Runs frames until `screen` shows, at most `limit` of them; true when it does.
  bool WaitForScreen(int screen, int limit) {
    const auto shown = [screen] {
      return g_game.state == kStateScreens && g_game.screen == screen;
    };
    for (int i = 0; i < limit && !shown(); ++i) Step();
    return shown();
  }
  void Key(unsigned key) {
    Tap(key);
    Step();
  }

  cDragon* Dragon() const { return static_cast<cDragon*>(g_game.GetDragon()); }
  // Holds `keys` for `seconds` of frames, then lets go and runs the frame that sees it.
  void HoldKeys(std::initializer_list<unsigned> keys, double seconds) {
    for (const unsigned key : keys) SetKey(key, true);
    Wait(seconds);
    for (const unsigned key : keys) SetKey(key, false);
    Step();
  }
  void TapFire() { HoldKeys({'Z'}, 0.2); }
  int CountProjectiles(int kind) const {
    return static_cast<int>(
        std::count_if(g_game.projectiles.begin(), g_game.projectiles.end(),
                      [kind](const auto& p) { return p && p->GetKind() == kind; }));
  }
  // Ends this run as the program does at exit and starts a new one on the player's files.
  void Restart() {
    TearDown();
    for (const char* built : {"data/art", "data/font", "data/map.hm"}) {
      if (std::filesystem::is_symlink(built)) std::filesystem::remove(built);
    }
    SetUp();
  }

  int matchFrames_ = 0;

 private:
  int drawEvery_ = 1;
  int frameNumber_ = 0;
};

TEST_F(FullGame, AFirstStartPlaysAMatchToTheEndAndTheNextStartKeepsTheHallOfFame) {
  // No file of the player's yet; the title writes the empty hall of fame.
  EXPECT_EQ(g_game.introSeen, 0);
  EXPECT_FALSE(std::filesystem::exists("data/settings"));
  Step();
  EXPECT_EQ(g_game.screen, kScreenTitle);
  EXPECT_EQ(FileText("data/hiscore"), HallOfFameFile());

  // A first game on nightmare shows how to play before its match.
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  Key(VK_RETURN);
  EXPECT_EQ(g_game.screen, kScreenHowToPlay);
  Key(VK_SPACE);
  Key('Q');
  Key(VK_RETURN);
  ASSERT_EQ(g_game.state, kStateMatch) << "the last slide leads to the match";
  EXPECT_EQ(g_game.settings.difficulty, 3);
  EXPECT_TRUE(std::filesystem::exists("data/settings"));
  cDragon* dragon = Dragon();
  ASSERT_NE(dragon, nullptr);
  EXPECT_EQ(dragon->position.x, kLair.x);
  Step();
  DrawEvery(10);

  // Out of the lair, facing the way it flies.
  HoldKeys({VK_LEFT}, 1.5);
  EXPECT_LT(dragon->position.x, kLair.x - 300.0f);
  EXPECT_EQ(dragon->flipX, 0) << "faces the way it flew";

  // Wounded (the fight is cut short for CI's time), it holds the village gate with fireballs
  // until the attackers bring it down. (The recorded play plays every other move.)
  dragon->health = std::min(dragon->health, 20.0f);
  HoldKeys({VK_LEFT, VK_DOWN}, 14.0);  // to the village gate, where the attackers come out
  HoldKeys({VK_RIGHT}, kFrame);
  for (int i = 0; i < 120 && g_game.state == kStateMatch; ++i) TapFire();
  ASSERT_TRUE(WaitForScreen(kScreenHallOfFame, 20 * kFramesPerSecond)) << "the dragon died";
  DrawEvery(1);
  // The hall of fame shows gold times the seconds survived, and asks for a name.
  EXPECT_GT(g_game.gold, 0u) << "the dragon brought gold home";
  EXPECT_NEAR(g_game.matchTime, matchFrames_ * kFrame, 1e-3 * g_game.matchTime);
  const std::uint32_t score = g_game.MatchScore();
  EXPECT_EQ(score, static_cast<std::uint32_t>(std::ceil(g_game.gold * g_game.matchTime)));
  EXPECT_EQ(g_game.nameEntryActive, 1);
  TypeText("cinder");
  Step();
  Key(VK_RETURN);
  EXPECT_EQ(FileText("data/hiscore"), HallOfFameFile("cinder", score)) << "saved at the Enter";
  Key(VK_RETURN);
  EXPECT_EQ(g_game.screen, kScreenTitle);
  EXPECT_TRUE(g_game.creatures.empty() && g_game.projectiles.empty()) << "the world is freed";
  EXPECT_EQ(g_game.gold, 0u);

  // The next start finds the hall of fame and the difficulty chosen last, and "start game"
  // goes straight to the match, without the slides.
  Restart();
  Step();
  EXPECT_EQ(g_game.introSeen, 1);
  EXPECT_EQ(g_game.settings.difficulty, 3);
  EXPECT_EQ(g_game.hiscores.Entry(0).score, score);
  Key(VK_RETURN);
  EXPECT_EQ(g_game.state, kStateMatch);
}

// The same player with a pad alone in its hands: the D-pad and A in the menus, the stick and A
// in a match that ends by the dragon's health, Start and Back as Escape and Enter.
class PadGame : public FullGame {
 protected:
  void SetUp() override {
    FullGame::SetUp();
    pad_.PlugIn();
  }
  void TearDown() override {
    pad_.Unplug();
    FullGame::TearDown();
  }
  // `button` held for `seconds` (none: a tap between frames), then a frame.
  void TapPad(SDL_GameControllerButton button, double seconds = 0.0) {
    pad_.SetButton(button, true);
    Wait(seconds);
    pad_.SetButton(button, false);
    Step();
  }
  // Tilts the left stick along `axis` for `seconds`, then lets it go.
  void Tilt(SDL_GameControllerAxis axis, float value, double seconds) {
    pad_.SetAxis(axis, value);
    Wait(seconds);
    pad_.SetAxis(axis, 0.0f);
    Step();
  }

  VirtualPad pad_;
};

TEST_F(PadGame, APadAlonePlaysFromTheTitleThroughAMatchToTheHallOfFame) {
  Step();
  ASSERT_EQ(g_game.screen, kScreenTitle);
  TapPad(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  EXPECT_EQ(g_game.settings.difficulty, 2);
  TapPad(SDL_CONTROLLER_BUTTON_A);
  ASSERT_EQ(g_game.screen, kScreenHowToPlay);
  // Any button turns the slides.
  for (int i = 0; i < 3; ++i) TapPad(SDL_CONTROLLER_BUTTON_Y);
  ASSERT_EQ(g_game.state, kStateMatch) << "the last slide leads to the match";

  // The stick flies and A fires; then the dragon falls, and the pad rumbles in full as it
  // crashes.
  DrawEvery(10);
  Tilt(SDL_CONTROLLER_AXIS_LEFTX, -1.0f, 1.0);
  ASSERT_NE(Dragon(), nullptr);
  EXPECT_LT(Dragon()->position.x, kLair.x - 200.0f);
  TapPad(SDL_CONTROLLER_BUTTON_A, 0.2);
  EXPECT_GE(CountProjectiles(kProjectileFireball), 1);
  g_game.gold = 50;  // a hoard, so that the match earns a place to sign
  Dragon()->health = 0.0f;
  ASSERT_TRUE(WaitForScreen(kScreenHallOfFame, 20 * kFramesPerSecond)) << "the dragon died";
  const auto fullRumbles = std::count_if(pad_.rumbles().begin(), pad_.rumbles().end(),
                                         [](const auto& r) { return r.lowFrequency == 0xFFFF; });
  EXPECT_EQ(fullRumbles, 1) << "one full rumble as it crashes";
  DrawEvery(1);
  // The name is signed with the letter picker alone: Up or Down, the shorter way round, to each
  // letter and A to add it, one wrong letter taken back with B, then Start; A then leaves.
  ASSERT_NE(g_game.nameEntryActive, 0) << "the first score enters an empty hall of fame";
  const std::uint32_t score = g_game.MatchScore();
  TapPad(SDL_CONTROLLER_BUTTON_A);
  TapPad(SDL_CONTROLLER_BUTTON_B);
  wchar_t shown = L'a';
  for (const wchar_t letter : std::wstring_view(L"wyvern")) {
    const int up = (letter - shown + 26) % 26;
    for (int i = 0; i < std::min(up, 26 - up); ++i)
      TapPad(up <= 13 ? SDL_CONTROLLER_BUTTON_DPAD_UP : SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    TapPad(SDL_CONTROLLER_BUTTON_A);
    shown = letter;
  }
  TapPad(SDL_CONTROLLER_BUTTON_START);
  EXPECT_EQ(FileText("data/hiscore"), HallOfFameFile("wyvern", score)) << "entered once, and saved";
  TapPad(SDL_CONTROLLER_BUTTON_A);
  ASSERT_EQ(g_game.screen, kScreenTitle);
  const std::string hallOfFame = FileText("data/hiscore");

  // The left stick moves in the menus and Start confirms as Enter does. Pulling out the pad
  // pauses a match; plugged in again, Start resumes it, and Back leaves it for the title.
  Tilt(SDL_CONTROLLER_AXIS_LEFTY, 1.0f, 0.0);
  Tilt(SDL_CONTROLLER_AXIS_LEFTY, -1.0f, 0.0);
  TapPad(SDL_CONTROLLER_BUTTON_START);
  ASSERT_EQ(g_game.state, kStateMatch);
  Wait(1.0);
  pad_.Unplug();
  Step();
  EXPECT_EQ(g_game.paused, 1);
  pad_.PlugIn();
  Wait(0.5);
  EXPECT_EQ(g_game.paused, 1);
  TapPad(SDL_CONTROLLER_BUTTON_START);
  EXPECT_EQ(g_game.paused, 0);
  TapPad(SDL_CONTROLLER_BUTTON_START);
  TapPad(SDL_CONTROLLER_BUTTON_BACK);
  EXPECT_EQ(g_game.state, kStateScreens);
  EXPECT_EQ(g_game.screen, kScreenTitle);
  EXPECT_EQ(FileText("data/hiscore"), hallOfFame) << "an abandoned match scores nothing";
}

}  // namespace

// The whole game as a new player meets it: a first start without any files of their own, the
// slides, the loading screen, a match on each difficulty fought with every move the dragon
// has until it dies, the name typed into the hall of fame, and a second start that finds the
// hall of fame where the first one left it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/game.h"
#include "e2e/scripted_player.h"
#include "platform/virtual_keys.h"
#include "support/virtual_pad.h"
#include "world/creatures/creature.h"
#include "world/creatures/dragon.h"
#include "world/projectiles/projectile.h"

namespace {

constexpr Vec2 kLair{5650.0f, 750.0f};
// A match that has not ended after this long is cut short (below): CI has no time for
// dragons that refuse to die.
constexpr double kFairFight = 60.0;

struct Result {
  std::wstring name;
  std::uint32_t score = 0;
};

// The hall-of-fame file as the game writes it: ten records "name\nscore\n", best first.
std::string HallOfFameFile(std::vector<Result> results) {
  std::stable_sort(results.begin(), results.end(),
                   [](const Result& a, const Result& b) { return a.score > b.score; });
  std::string text;
  for (int row = 0; row < kHiscoreEntries; ++row) {
    if (row < static_cast<int>(results.size())) {
      text += std::string(results[row].name.begin(), results[row].name.end()) + "\n" +
              std::to_string(results[row].score) + "\n";
    } else {
      text += "noname\n0\n";
    }
  }
  return text;
}

class FullGame : public ScriptedPlayer {
 protected:
  // A first start: no hall of fame, no settings.
  bool StartsWithHallOfFame() const override { return false; }

  // The player's own clock: frames of the running, unpaused match.
  void BeforeFrame() override {
    if (g_game.state == kStateMatch && g_game.paused == 0) ++matchFrames_;
  }

  // One match from the loading screen to the dragon's death, played with every move; ends on
  // the hall of fame with the result that the game shows there.
  Result PlayMatch(int difficulty, const std::wstring& name) {
    matchFrames_ = 0;
    EXPECT_EQ(g_game.state, kStateMatch);
    EXPECT_EQ(g_game.settings.difficulty, difficulty);
    cDragon* dragon = Dragon();
    EXPECT_NE(dragon, nullptr);
    if (dragon == nullptr) return {};
    EXPECT_EQ(dragon->position.x, kLair.x);

    // The first frame shows the world and its display.
    DrawEvery(1);
    Step();
    EXPECT_GT(LitShare(), 0.5) << "the match is drawn";
    DrawEvery(10);

    // Flies out of the lair towards the attackers.
    HoldKeys({VK_LEFT}, 1.5);
    EXPECT_LT(dragon->position.x, kLair.x - 300.0f);
    EXPECT_EQ(dragon->flipX, 0) << "faces the way it flew";
    HoldKeys({VK_UP, 'D'}, 0.3);
    HoldKeys({'A'}, 0.1);

    // Fireballs: a short press each.
    for (int shot = 0; shot < 3; ++shot) {
      TapFire();
      EXPECT_GE(CountProjectiles(kProjectileFireball), 1) << "fireball " << shot;
      Wait(0.3);
    }

    // A long press breathes a stream of fire, and the swollen dragon shrinks back.
    EXPECT_GT(Breathe(2.5), 10);
    Step();
    EXPECT_FLOAT_EQ(dragon->scale, 0.75f) << "back to its size";

    // Grab something to eat and eat it.
    cCreature* meal = GrabNearestMeal(30.0);
    EXPECT_NE(meal, nullptr) << "caught a meal";
    if (meal != nullptr) {
      Snap();
      EXPECT_EQ(dragon->GetHeld(), nullptr) << "eaten";
    }

    // Fights on until the attackers bring the dragon down.
    Hunt(kFairFight);
    if (g_game.state == kStateMatch) {
      // Too tough for CI's time: the attackers get a dragon with a few hit points left.
      Dragon()->health = std::min(Dragon()->health, 5.0f);
      Hunt(kFairFight);
    }
    EXPECT_TRUE(WaitForScreen(kScreenHallOfFame, 20 * kFramesPerSecond)) << "the dragon died";
    DrawEvery(1);

    // The result the hall of fame shows: gold times the seconds survived.
    EXPECT_GT(g_game.gold, 0u) << "the dragon brought gold home";
    EXPECT_NEAR(g_game.matchTime, matchFrames_ * kFrame, 1e-3 * g_game.matchTime);
    Result result{name, static_cast<std::uint32_t>(
                            std::ceil(static_cast<float>(g_game.gold) * g_game.matchTime))};
    EXPECT_EQ(g_game.MatchScore(), result.score);
    EXPECT_EQ(g_game.nameEntryActive, 1) << "a new score asks for a name";
    EnterName(name);

    Key(VK_RETURN);
    EXPECT_EQ(g_game.screen, kScreenTitle);
    EXPECT_TRUE(g_game.creatures.empty() && g_game.projectiles.empty()) << "the world is freed";
    EXPECT_EQ(g_game.gold, 0u);
    EXPECT_EQ(g_game.matchTime, 0.0f);
    return result;
  }

  int matchFrames_ = 0;
};

TEST_F(FullGame, AFirstStartPlaysEveryDifficultyAndTheNextStartKeepsTheHallOfFame) {
  // No file of the player's yet; the title writes the empty hall of fame and the settings.
  EXPECT_EQ(g_game.introSeen, 0);
  EXPECT_FALSE(std::filesystem::exists("data/hiscore"));
  EXPECT_FALSE(std::filesystem::exists("data/settings"));
  Step();
  EXPECT_EQ(g_game.state, kStateScreens);
  EXPECT_EQ(g_game.screen, kScreenTitle);
  EXPECT_EQ(FileText("data/hiscore"), HallOfFameFile({}));
  EXPECT_GT(LitShare(), 0.5) << "the title picture";

  // A first game shows how to play before its match.
  PickDifficulty(1);
  PickMenuItem(0);
  EXPECT_EQ(g_game.screen, kScreenHowToPlay);
  EXPECT_GT(LitShare(), 0.5) << "the first slide";
  Key(VK_SPACE);
  Key('Q');
  EXPECT_EQ(g_game.slideIndex, 2);
  Key(VK_RETURN);
  EXPECT_EQ(g_game.state, kStateMatch) << "the last slide leads to the match";
  EXPECT_TRUE(std::filesystem::exists("data/settings"));

  std::vector<Result> results;
  results.push_back(PlayMatch(1, L"cinder"));
  EXPECT_EQ(FileText("data/hiscore"), HallOfFameFile(results)) << "saved at the name's Enter";

  // Later matches start at once, without the slides.
  PickDifficulty(2);
  PickMenuItem(0);
  results.push_back(PlayMatch(2, L"ash"));
  PickDifficulty(3);
  PickMenuItem(0);
  results.push_back(PlayMatch(3, L"wyrm"));
  EXPECT_EQ(FileText("data/hiscore"), HallOfFameFile(results));

  // The next start finds the hall of fame and the difficulty the player chose last.
  Restart();
  Step();
  EXPECT_EQ(g_game.screen, kScreenTitle);
  EXPECT_EQ(g_game.introSeen, 1);
  EXPECT_EQ(g_game.settings.difficulty, 3);
  EXPECT_EQ(g_game.hiscores.Entry(0).score,
            std::max({results[0].score, results[1].score, results[2].score}));

  // "start game" goes straight to the match now; Escape and Enter abandon it for the title.
  PickMenuItem(0);
  EXPECT_EQ(g_game.state, kStateMatch);
  Wait(1.0);
  Key(VK_ESCAPE);
  Key(VK_RETURN);
  EXPECT_EQ(g_game.state, kStateScreens);
  EXPECT_EQ(g_game.screen, kScreenTitle);
  EXPECT_EQ(FileText("data/hiscore"), HallOfFameFile(results))
      << "an abandoned match scores nothing";
}

// The same player with a pad alone in its hands (the buttons for its keys are below).
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

  void SetKey(unsigned key, bool down) override {
    const auto button = std::find_if(std::begin(kPadKeys), std::end(kPadKeys),
                                     [key](const PadKey& k) { return k.key == key; });
    if (button == std::end(kPadKeys)) return ADD_FAILURE() << "no pad button for key " << key;
    const bool inMatch = g_game.state == kStateMatch;
    pad_.SetButton(button->inMatch, down && inMatch);
    pad_.SetButton(button->inMenus, down && !inMatch);
    if (key >= VK_LEFT && key <= VK_DOWN) {
      stickHeld_[key - VK_LEFT] = down && inMatch;
      pad_.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, StickTilt(VK_LEFT, VK_RIGHT));
      pad_.SetAxis(SDL_CONTROLLER_AXIS_LEFTY, StickTilt(VK_UP, VK_DOWN));
    }
  }

  // A press and release of `button`, then a frame.
  void TapPad(SDL_GameControllerButton button) {
    pad_.SetButton(button, true);
    pad_.SetButton(button, false);
    Step();
  }

  // Signs with the letter picker: Up or Down, the shorter way round from a, to each letter
  // and A to add it, one wrong letter taken back with B, then Start.
  void EnterName(std::wstring_view name) override {
    constexpr int kLetters = 26;
    int shown = 0;
    TapPad(SDL_CONTROLLER_BUTTON_A);
    TapPad(SDL_CONTROLLER_BUTTON_B);
    for (const wchar_t letter : name) {
      const int up = (letter - L'a' - shown + kLetters) % kLetters;
      for (int i = 0; i < std::min(up, kLetters - up); ++i)
        TapPad(up <= kLetters / 2 ? SDL_CONTROLLER_BUTTON_DPAD_UP
                                  : SDL_CONTROLLER_BUTTON_DPAD_DOWN);
      TapPad(SDL_CONTROLLER_BUTTON_A);
      shown = letter - L'a';
    }
    TapPad(SDL_CONTROLLER_BUTTON_START);
  }

  VirtualPad pad_;

 private:
  // The pad's button for each key the script presses, in a match and in the menus (none: the
  // key is left alone there; the fire key would confirm the name once the match has ended).
  // The arrows in a match are the left stick.
  struct PadKey {
    unsigned key;
    SDL_GameControllerButton inMatch;
    SDL_GameControllerButton inMenus;
  };
  static constexpr SDL_GameControllerButton kNone = SDL_CONTROLLER_BUTTON_INVALID;
  static constexpr PadKey kPadKeys[] = {
      {VK_LEFT, kNone, SDL_CONTROLLER_BUTTON_DPAD_LEFT},
      {VK_RIGHT, kNone, SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
      {VK_UP, kNone, SDL_CONTROLLER_BUTTON_DPAD_UP},
      {VK_DOWN, kNone, SDL_CONTROLLER_BUTTON_DPAD_DOWN},
      {'A', SDL_CONTROLLER_BUTTON_DPAD_LEFT, kNone},
      {'D', SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kNone},
      {'Z', SDL_CONTROLLER_BUTTON_A, kNone},
      {'X', SDL_CONTROLLER_BUTTON_X, kNone},
      {VK_RETURN, SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_A},
      {VK_ESCAPE, SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_B},
  };

  float StickTilt(unsigned negative, unsigned positive) const {
    if (stickHeld_[negative - VK_LEFT]) return -1.0f;
    return stickHeld_[positive - VK_LEFT] ? 1.0f : 0.0f;
  }

  bool stickHeld_[4] = {};  // left, up, right, down
};

TEST_F(PadGame, APadAlonePlaysFromTheTitleThroughAMatchToTheHallOfFame) {
  Step();
  ASSERT_EQ(g_game.screen, kScreenTitle);
  PickDifficulty(2);
  PickMenuItem(0);
  ASSERT_EQ(g_game.screen, kScreenHowToPlay);
  // Any button turns the slides.
  for (int i = 0; i < 3; ++i) TapPad(SDL_CONTROLLER_BUTTON_Y);
  ASSERT_EQ(g_game.state, kStateMatch) << "the last slide leads to the match";

  // The whole match with every move, and a name signed with the pad's letter picker.
  const Result wyvern = PlayMatch(2, L"wyvern");
  const std::string entered = "wyvern\n" + std::to_string(wyvern.score) + "\nnoname\n";
  EXPECT_EQ(FileText("data/hiscore").substr(0, entered.size()), entered) << "entered once";
  EXPECT_TRUE(std::any_of(pad_.rumbles().begin(), pad_.rumbles().end(),
                          [](const VirtualPad::Rumble& r) { return r.lowFrequency == 0xFFFF; }))
      << "the pad rumbles in full as the dragon crashes";
  const std::string hallOfFame = FileText("data/hiscore");

  // The left stick moves in the menus and Start confirms as Enter does.
  for (int i = 0; i < 3; ++i) {
    pad_.SetAxis(SDL_CONTROLLER_AXIS_LEFTY, 1.0f);
    pad_.SetAxis(SDL_CONTROLLER_AXIS_LEFTY, 0.0f);
    Step();
  }
  TapPad(SDL_CONTROLLER_BUTTON_START);
  EXPECT_EQ(g_game.screen, kScreenCredits);
  TapPad(SDL_CONTROLLER_BUTTON_A);
  EXPECT_EQ(g_game.screen, kScreenTitle);

  // Pulling out the pad pauses a match; plugged in again, Start resumes it, and Back leaves
  // the paused match for the title.
  PickMenuItem(0);
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

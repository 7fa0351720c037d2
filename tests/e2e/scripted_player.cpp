#include "e2e/scripted_player.h"

#include <algorithm>
#include <filesystem>
#include <string>

#include "app/game.h"
#include "platform/dxut.h"
#include "platform/sdl_device.h"
#include "platform/virtual_keys.h"
#include "support/picture.h"
#include "world/creatures/creature.h"
#include "world/creatures/dragon.h"
#include "world/projectiles/projectile.h"

namespace {

constexpr int kMenuItems = 5;
// Steering holds an arrow key only while the target is farther than this along its axis; the
// dragon's damping stops it within about 30 pixels of letting go.
constexpr float kSteeringDeadZone = 24.0f;
// The snap reaches 100 pixels; the player snaps a little closer to be sure of its catch.
constexpr float kSnapReach = 80.0f;
constexpr double kFireballPress = 0.2;
constexpr double kFireInterval = 0.5;
// Where the hunter waits to fire: its fireballs fly forwards and down from there.
constexpr Vec2 kFiringPost{220.0f, -160.0f};
constexpr float kLairX = 5648.0f;

// Writes the place of the living creature that `rank` scores highest among those of `types`
// that `wanted` accepts; false when there is none.
template <class Wanted, class Rank>
bool BestPlace(Vec2& out, std::initializer_list<int> types, Wanted wanted, Rank rank) {
  const cCreature* best = nullptr;
  for (const auto& creature : g_game.creatures) {
    if (!creature || creature->health <= 0.0f || !wanted(*creature)) continue;
    if (std::find(types.begin(), types.end(), creature->GetType()) == types.end()) continue;
    if (best == nullptr || rank(*creature) > rank(*best)) best = creature.get();
  }
  if (best != nullptr) out = best->position;
  return best != nullptr;
}

// The attacker on foot closest to the lair: the one to stop first.
bool ForemostAttacker(Vec2& out) {
  return BestPlace(
      out, {kTypeArcher, kTypeWizard, kTypeHero},
      [](const cCreature& c) { return c.position.x <= kLairX; },
      [](const cCreature& c) { return c.position.x; });
}

}  // namespace

void ScriptedPlayer::Step() {
  BeforeFrame();
  const bool drawn = ++frameNumber_ % drawEvery_ == 0;
  if (!drawn) DXUTPause(false, true);
  RunFrames(1, kFrame);
  if (!drawn) DXUTPause(false, false);
  AfterFrame();
}

void ScriptedPlayer::Wait(double seconds) {
  for (int i = static_cast<int>(seconds * kFramesPerSecond + 0.5); i > 0; --i) Step();
}

bool ScriptedPlayer::StepUntil(const std::function<bool()>& done, int limit) {
  for (int i = 0; i < limit; ++i) {
    if (done()) return true;
    Step();
  }
  return done();
}

bool ScriptedPlayer::WaitForScreen(int screen, int limit) {
  return StepUntil([screen] { return g_game.state == kStateScreens && g_game.screen == screen; },
                   limit);
}

void ScriptedPlayer::SetKey(unsigned key, bool down) { DXUTInjectKey(key, down, false); }

void ScriptedPlayer::Key(unsigned key) {
  SetKey(key, true);
  SetKey(key, false);
  Step();
}

void ScriptedPlayer::PickMenuItem(int item) {
  // The menu's drawing keeps the highlight on the list; a player counts from where it shows.
  const int shown = std::clamp(g_game.menuSelection, 0, kMenuItems - 1);
  for (int i = shown; i < item; ++i) Key(VK_DOWN);
  for (int i = shown; i > item; --i) Key(VK_UP);
  Key(VK_RETURN);
}

void ScriptedPlayer::PickDifficulty(int difficulty) {
  for (int i = 0; i < 3 && g_game.settings.difficulty < difficulty; ++i) Key(VK_RIGHT);
  for (int i = 0; i < 3 && g_game.settings.difficulty > difficulty; ++i) Key(VK_LEFT);
}

void ScriptedPlayer::EnterName(std::wstring_view name) {
  for (wchar_t letter : name) {
    if (letter < L'a' || letter > L'z') {
      ADD_FAILURE() << "a name the keys cannot type";
      return;
    }
    const auto key = static_cast<unsigned>(letter - L'a' + 'A');
    SetKey(key, true);
    TypeText(std::string(1, static_cast<char>(letter)));
    Step();
    SetKey(key, false);
    Step();
  }
  Key(VK_RETURN);
}

cDragon* ScriptedPlayer::Dragon() const { return static_cast<cDragon*>(g_game.GetDragon()); }

void ScriptedPlayer::HoldAll(std::initializer_list<unsigned> keys, bool down) {
  for (unsigned key : keys) SetKey(key, down);
}

void ScriptedPlayer::HoldKeys(std::initializer_list<unsigned> keys, double seconds) {
  HoldAll(keys, true);
  Wait(seconds);
  HoldAll(keys, false);
  Step();
}

bool ScriptedPlayer::FlyTowards(const std::function<bool(Vec2&)>& target, float reach,
                                double seconds) {
  const int limit = static_cast<int>(seconds * kFramesPerSecond);
  bool reached = false;
  for (int i = 0; i < limit && g_game.state == kStateMatch && Dragon() != nullptr; ++i) {
    Vec2 place;
    if (!target(place)) break;
    if ((place - Dragon()->position).LengthSq() < reach * reach) {
      reached = true;
      break;
    }
    // Holds the arrows that steer towards the place, letting go of the others.
    const Vec2 d = place - Dragon()->position;
    SetKey(VK_LEFT, d.x < -kSteeringDeadZone);
    SetKey(VK_RIGHT, d.x > kSteeringDeadZone);
    SetKey(VK_UP, d.y < -kSteeringDeadZone);
    SetKey(VK_DOWN, d.y > kSteeringDeadZone);
    Step();
  }
  HoldAll({VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN}, false);
  return reached;
}

void ScriptedPlayer::TapFire() { HoldKeys({'Z'}, kFireballPress); }

void ScriptedPlayer::Hunt(double seconds) {
  const int rounds = static_cast<int>(seconds / kFireInterval);
  for (int i = 0; i < rounds && g_game.state == kStateMatch; ++i) {
    Vec2 prey;
    if (!ForemostAttacker(prey)) {
      Wait(kFireInterval);
      continue;
    }
    FlyTowards(
        [](Vec2& out) {
          if (!ForemostAttacker(out)) return false;
          out += kFiringPost;
          return true;
        },
        60.0f, kFireInterval);
    if (g_game.state != kStateMatch) break;
    // A tap of Left turns the dragon towards the prey.
    HoldKeys({VK_LEFT}, kFrame);
    TapFire();
  }
}

int ScriptedPlayer::Breathe(double charge) {
  HoldKeys({'Z'}, charge);
  int puffs = CountProjectiles(kProjectileBreath);
  StepUntil(
      [&] {
        puffs = std::max(puffs, CountProjectiles(kProjectileBreath));
        return Dragon() == nullptr || Dragon()->breathing == 0;
      },
      2 * kFramesPerSecond);
  return puffs;
}

void ScriptedPlayer::Snap() {
  SetKey('X', true);
  Step();
  SetKey('X', false);
  Step();
}

cCreature* ScriptedPlayer::GrabNearestMeal(double seconds) {
  if (Dragon() == nullptr || Dragon()->GetHeld() != nullptr) return nullptr;
  const bool reached = FlyTowards(
      [this](Vec2& out) {
        return BestPlace(
            out, {kTypeArcher, kTypeWizard, kTypeSheep},
            [](const cCreature& c) { return c.grabbable && c.state != kCreatureHeld; },
            [this](const cCreature& c) { return -(c.position - Dragon()->position).LengthSq(); });
      },
      kSnapReach, seconds);
  if (!reached) return nullptr;
  Snap();
  return Dragon() != nullptr ? Dragon()->GetHeld() : nullptr;
}

int ScriptedPlayer::CountProjectiles(int kind) const {
  return static_cast<int>(
      std::count_if(g_game.projectiles.begin(), g_game.projectiles.end(),
                    [kind](const auto& p) { return p && p->GetKind() == kind; }));
}

int ScriptedPlayer::CountCreatures(int type) const {
  return static_cast<int>(
      std::count_if(g_game.creatures.begin(), g_game.creatures.end(),
                    [type](const auto& c) { return c && c->GetType() == type; }));
}

double ScriptedPlayer::LitShare() const {
  DXUTDevice* device = DXUTGetD3DDevice();
  if (device == nullptr || device->renderer == nullptr) return 0.0;
  int lit = 0;
  for (int y = 10; y < 600; y += 20) {
    for (int x = 10; x < 800; x += 20) lit += (ReadPixel(device->renderer, x, y) & 0xffffffu) != 0;
  }
  return lit / (30.0 * 40.0);
}

void ScriptedPlayer::Restart() {
  TearDown();
  // The new start lays out the built pictures, font and terrain again; the player's own
  // files stay as the last run left them.
  for (const char* built : {"data/art", "data/font", "data/map.hm"}) {
    if (std::filesystem::is_symlink(built)) std::filesystem::remove(built);
  }
  SetUp();
}

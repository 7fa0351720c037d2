// The match rules: the per-frame world update, and the world operations that creatures and
// projectiles call on the game.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>

#include "app/defender_posts.h"
#include "app/game.h"
#include "app/world_setup.h"
#include "platform/dxut.h"
#include "world/creatures/creature.h"
#include "world/creatures/dragon.h"
#include "world/projectiles/projectile.h"

namespace {

// A frame runs at most this many match steps (a tenth of a second): below 10 frames a second
// the match slows down rather than spending ever longer frames catching up.
constexpr int kMaxStepsPerFrame = 6;

constexpr float kShakeKeptPerStep = 0.8f;  // of the camera shake's reach

constexpr float kLairEntryX = 5648.0f;   // an attacker past this has reached the gold
constexpr float kLairBackX = 5550.0f;    // creatures past this are drawn behind the lair's rock
constexpr float kVillageBackX = 180.0f;  // attackers before this come out of the village gate

constexpr float kAttackerSpawnX = 120.0f;  // plus rand() & 31
constexpr float kHeroSpawnX = 110.0f;
constexpr Vec2 kZeppelinSpawn{-300.0f, 0.0f};
constexpr int kMaxHeroes = 5;
constexpr double kDefenderRespawnInterval = 10.0;

// Each kill in the field brings the next attackers of its kind sooner, down to a floor.
constexpr double kFootSoldierKillStep = 0.05;
constexpr double kHeroKillStep = 2.5;
constexpr double kZeppelinKillStep = 1.0;
constexpr double kMinArcherInterval = 1.0;
constexpr double kMinHeroInterval = 10.0;
constexpr double kMinZeppelinInterval = 10.0;

constexpr std::uint32_t kArcherLoot = 50;
constexpr std::uint32_t kWizardLoot = 150;
constexpr float kGoldLossFlash = 3.0f;

// Knock-back of a blast: its speed and how much more it throws upwards than sideways.
constexpr float kBlastKnockSpeed = 200.0f;
constexpr float kBlastLift = 1.6f;

// The aim runs over 72 degrees, from pi + 0.2 (forward, slightly down) to nearly straight down.
constexpr float kAimRange = 1.2566371f;
constexpr float kAimStart = 3.3415928f;

bool DrawnBehindScenery(const cCreature& creature) {
  if (creature.position.x > kLairBackX) return true;
  const int type = creature.GetType();
  return creature.position.x < kVillageBackX && type != kTypeDragon && type != kTypeSheep &&
         type != kTypeDefender;
}

void KeepOnGround(const cGame& game, cCreature& creature) {
  const bool fallingDragon = creature.GetType() == kTypeDragon &&
                             (creature.state == kCreatureDying || creature.state == kCreatureDead);
  if (fallingDragon) return;
  const float footOffset = creature.GetScaledHeight() * 0.25f;
  const float ground = game.GroundHeightAt(creature.position.x);
  if (creature.position.y + footOffset > ground) creature.position.y = ground - footOffset;
}

void CountKillInField(cGame& game, int type) {
  switch (type) {
    case kTypeArcher:
    case kTypeWizard: game.archerInterval -= kFootSoldierKillStep; break;
    case kTypeHero: game.heroInterval -= kHeroKillStep; break;
    case kTypeZeppelin: game.zeppelinInterval -= kZeppelinKillStep; break;
    default: break;
  }
  game.archerInterval = std::max(game.archerInterval, kMinArcherInterval);
  game.heroInterval = std::max(game.heroInterval, kMinHeroInterval);
  game.zeppelinInterval = std::max(game.zeppelinInterval, kMinZeppelinInterval);
}

void RobTheLair(cGame& game, const cCreature& attacker, int type) {
  if (attacker.health <= 0.0f || attacker.state == kCreatureBurning || type == kTypeDragon) {
    return;
  }
  const std::uint32_t stolen = type == kTypeArcher ? kArcherLoot
                               : type == kTypeWizard ? kWizardLoot
                                                     : 0;
  game.gold = game.gold > stolen ? game.gold - stolen : 0;
  game.goldLossTimer = kGoldLossFlash;
}

// The creature pass. Returns false when the dragon's death has ended the match.
bool UpdateCreatures(cGame& game, float elapsed) {
  // By index: a removal closes the gap and the index still advances, so the creature behind
  // a removed one waits until the next frame. Spawns during the pass join at the end.
  for (std::size_t i = 0; i < game.creatures.size(); ++i) {
    cCreature* creature = game.creatures[i].get();
    if (creature == nullptr) continue;
    creature->Update(elapsed);
    KeepOnGround(game, *creature);
    creature->backLayer = DrawnBehindScenery(*creature) ? 1 : 0;

    const bool inLair = creature->position.x > kLairEntryX;
    if (creature->state != kCreatureDead && !inLair) continue;
    // The last update, in which the dead leave their gold.
    creature->Update(0.0f);
    const int type = creature->GetType();
    if (creature->position.x <= kLairEntryX) {
      CountKillInField(game, type);
    } else {
      RobTheLair(game, *creature, type);
    }
    if (type == kTypeDragon) {
      if (creature->state == kCreatureDead) {
        game.ShowScreen(kScreenHallOfFame);
        return false;
      }
      continue;
    }
    game.RemoveCreature(creature);
  }
  return true;
}

int CountOfType(const cGame& game, int type) {
  return static_cast<int>(std::count_if(
      game.creatures.begin(), game.creatures.end(),
      [type](const auto& creature) { return creature && creature->GetType() == type; }));
}

void SpawnNewcomers(cGame& game) {
  if (game.creatures.size() >= kMaxCreatures) return;
  const double now = DXUTGetTime();

  if (now - game.lastArcherSpawn > game.archerInterval) {
    const float x = kAttackerSpawnX + static_cast<float>(std::rand() & 31);
    SpawnFootSoldier(game, x, game.GroundHeightAt(x));
    game.lastArcherSpawn = now;
  }
  if (now - game.lastHeroSpawn > game.heroInterval) {
    if (CountOfType(game, kTypeHero) < kMaxHeroes) {
      game.SpawnCreature(kTypeHero, kHeroSpawnX, game.GroundHeightAt(kHeroSpawnX));
    }
    game.lastHeroSpawn = now;
  }
  if (now - game.lastZeppelinSpawn > game.zeppelinInterval) {
    game.SpawnCreature(kTypeZeppelin, kZeppelinSpawn.x, kZeppelinSpawn.y);
    game.lastZeppelinSpawn = now;
  }
  if (now - game.lastDefenderRespawn > kDefenderRespawnInterval) {
    for (int post = 0; post < kDefenderPostCount; ++post) {
      if (!DefenderPostOccupied(post)) SpawnDefenderAtPost(game, post);
    }
    game.lastDefenderRespawn = now;
  }
}

// Where the step about to run finds the camera and everything that moves.
void NoteStepStart(cGame& game) {
  game.cameraAtStepStart = game.camera;
  for (const auto& creature : game.creatures) {
    if (creature) creature->stepStart = creature->position;
  }
  for (const auto& projectile : game.projectiles) {
    if (projectile) projectile->stepStart = projectile->position;
  }
}

// How much of the next step the time waiting to be stepped makes, 0..1.
float StepShare(const cGame& game) {
  return std::clamp(game.unsteppedTime / kMatchStepSeconds, 0.0f, 1.0f);
}

}  // namespace

void cGame::UpdateMatch(float elapsed) {
  unsteppedTime += elapsed;
  int steps = 0;
  while (unsteppedTime >= kMatchStepSeconds && state == kStateMatch) {
    if (steps == kMaxStepsPerFrame) {
      unsteppedTime = std::fmod(unsteppedTime, kMatchStepSeconds);  // the stall is skipped
      break;
    }
    unsteppedTime -= kMatchStepSeconds;
    ++steps;
    StepMatch();
  }
}

void cGame::StepMatch() {
  constexpr float dt = kMatchStepSeconds;
  NoteStepStart(*this);
  DragonControlStep(dt);
  if (paused) return;

  matchTime += dt;
  shake *= kShakeKeptPerStep;
  goldLossTimer -= dt;

  if (!UpdateCreatures(*this, dt)) return;
  UpdateProjectiles(dt);
  SpawnNewcomers(*this);
}

void cGame::StartMatchSteps() {
  unsteppedTime = kMatchStartPhase;
  cameraAtStepStart.reset();
}

Vec2 cGame::DrawnCamera() const {
  if (!cameraAtStepStart) return camera;
  return Lerp(*cameraAtStepStart, camera, StepShare(*this));
}

Vec2 cGame::CameraFor(const cSprite& sprite, Vec2 view) const {
  if (!sprite.stepStart) return view;
  return view + sprite.position - Lerp(*sprite.stepStart, sprite.position, StepShare(*this));
}

float cGame::GroundHeightAt(float x) const {
  for (std::size_t i = 0; i + 1 < groundLine.size(); ++i) {
    const Vec2 a = groundLine[i];
    const Vec2 b = groundLine[i + 1];
    if (a.x <= x && x <= b.x) {
      // A wall in the profile: whatever stands exactly at it stands on top.
      if (a.x == b.x) return std::min(a.y, b.y);
      const float t = (x - a.x) / (b.x - a.x);
      return (1.0f - t) * a.y + t * b.y;
    }
  }
  return 0.0f;
}

bool cGame::CirclesTouch(const cSprite* a, const cSprite* b) const {
  if (a == nullptr || b == nullptr || a == b) return false;
  const float ra = static_cast<float>(a->sourceRect.Width()) * 0.25f;
  const float rb = static_cast<float>(b->sourceRect.Width()) * 0.25f;
  const float distanceSq = (a->position - b->position).LengthSq();
  return ra * ra >= distanceSq || rb * rb >= distanceSq;
}

int cGame::Blast(Vec2 centre, float radiusSq, float damage, int maximum) {
  int count = 0;
  for (const auto& entry : creatures) {
    cCreature* creature = entry.get();
    if (creature == nullptr) continue;
    const int type = creature->GetType();
    if (type == kTypeSheep || type == kTypeDragon) continue;
    const Vec2 offset = creature->position - centre;
    if (offset.LengthSq() < radiusSq) {
      Vec2 direction = Normalize(offset);
      direction.y *= kBlastLift;
      if (creature->state != kCreatureKnocked) creature->Knock(direction * kBlastKnockSpeed);
      creature->health -= damage;
      ++count;
    }
    if (maximum >= 0 && count >= maximum) break;
  }
  return count;
}

HRESULT cGame::RemoveCreature(cCreature* creature) {
  const auto found = std::find_if(creatures.begin(), creatures.end(),
                                  [creature](const auto& entry) { return entry.get() == creature; });
  if (creature == nullptr || found == creatures.end()) return E_FAIL;
  if (dragon != nullptr && dragon->GetType() == kTypeDragon) {
    auto* holder = static_cast<cDragon*>(dragon);
    if (holder->GetHeld() == creature) holder->Drop();
  }
  if (creature == dragon) dragon = nullptr;
  creatures.erase(found);
  return S_OK;
}

Vec2 cGame::GetAimDirection() const {
  if (dragon == nullptr || dragon->GetType() != kTypeDragon) return {};
  const float angle = static_cast<const cDragon*>(dragon)->aim * kAimRange + kAimStart;
  Vec2 v{std::cos(angle) * 100.0f, -std::sin(angle) * 100.0f};
  if (dragon->flipX) v.x = -v.x;
  return Normalize(v);
}

int cGame::GetZeppelinIndex(const cCreature* zeppelin) const {
  int index = 0;
  for (const auto& entry : creatures) {
    if (entry.get() == zeppelin) break;
    if (entry && entry->GetType() == kTypeZeppelin) ++index;
  }
  return index;
}

float cGame::Clamp(float minimum, float maximum, float value) {
  if (value < minimum) return minimum;
  if (value > maximum) return maximum;
  return value;
}

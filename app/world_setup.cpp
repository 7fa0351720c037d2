#include "app/world_setup.h"

#include <cstdlib>

#include "app/defender_posts.h"
#include "app/game.h"
#include "world/creatures/creature.h"
#include "world/creatures/defender.h"
#include "world/creatures/sheep.h"

namespace {

constexpr Vec2 kSheepPlaces[] = {{3275.0f, 830.0f}, {1717.0f, 1260.0f}, {716.0f, 1210.0f}};

constexpr Vec2 kPrincessPlace{-60.0f, 733.0f};  // on her balcony
constexpr float kPrincessWeight = 100.0f;

constexpr int kAttackersPerDifficulty = 15;
constexpr float kAttackerSpacing = 80.0f;
constexpr float kAttackerLineEnd = 4380.0f;  // the first wave ends 80 short of it

constexpr Vec2 kHardZeppelin{1000.0f, 0.0f};
constexpr Vec2 kNightmareZeppelin{2000.0f, 0.0f};
constexpr double kHardIntervalFactor = 0.8;
constexpr double kNightmareIntervalFactor = 0.5;

void ScaleSpawnIntervals(cGame& game, double factor) {
  game.archerInterval *= factor;
  game.heroInterval *= factor;
  game.zeppelinInterval *= factor;
}

void PlacePrincess(cGame& game) {
  auto* princess =
      static_cast<cSheep*>(game.SpawnCreature(kTypeSheep, kPrincessPlace.x, kPrincessPlace.y));
  if (princess == nullptr) return;
  princess->SetTexture(game.LoadTexture("./data/art/princess.png"), game.gui);
  princess->weight = kPrincessWeight;
}

}  // namespace

cCreature* PlaceDragon(cGame& game) {
  cCreature* dragon = game.SpawnCreature(kTypeDragon, 0.0f, 0.0f);
  game.dragon = dragon;
  if (dragon != nullptr) dragon->position = Vec2{kLairStartX, kLairStartY};
  return dragon;
}

void PlaceInitialWorld(cGame& game, double now) {
  game.archerInterval = 3.0;
  game.heroInterval = 50.0;
  game.zeppelinInterval = 40.0;
  game.lastArcherSpawn = 0.0;
  game.lastHeroSpawn = now + 5.0;
  game.lastZeppelinSpawn = now - 12.0;
  game.lastDefenderRespawn = 0.0;

  for (int post = 0; post < kDefenderPostCount; ++post) SpawnDefenderAtPost(game, post);
  for (const Vec2 place : kSheepPlaces) game.SpawnCreature(kTypeSheep, place.x, place.y);
  PlacePrincess(game);

  const int difficulty = game.settings.difficulty;
  const int attackers = kAttackersPerDifficulty * difficulty;
  const float firstX = kAttackerLineEnd - kAttackerSpacing * static_cast<float>(attackers);
  for (int i = 0; i < attackers; ++i) {
    SpawnFootSoldier(game, firstX + kAttackerSpacing * static_cast<float>(i), 0.0f);
  }

  if (difficulty == 2 || difficulty == 3) {
    game.SpawnCreature(kTypeZeppelin, kHardZeppelin.x, kHardZeppelin.y);
    game.lastZeppelinSpawn = now;
    ScaleSpawnIntervals(game, kHardIntervalFactor);
  }
  if (difficulty == 3) {
    game.SpawnCreature(kTypeZeppelin, kNightmareZeppelin.x, kNightmareZeppelin.y);
    ScaleSpawnIntervals(game, kNightmareIntervalFactor);
  }
}

cDefender* SpawnDefenderAtPost(cGame& game, int post) {
  const Vec2 place = DefenderPostPosition(post);
  auto* defender = static_cast<cDefender*>(game.SpawnCreature(kTypeDefender, place.x, place.y));
  if (defender == nullptr) return nullptr;
  defender->post = post;
  SetDefenderPostOccupied(post, true);
  return defender;
}

cCreature* SpawnFootSoldier(cGame& game, float x, float y) {
  const int type = (std::rand() & 3) == 1 ? kTypeWizard : kTypeArcher;
  return game.SpawnCreature(type, x, y);
}

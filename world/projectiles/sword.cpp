#include "world/projectiles/sword.h"

#include "app/game.h"
#include "world/creatures/creature.h"

namespace {

constexpr float kFlightTime = 2.0f;  // seconds
constexpr float kDamage = 25.0f;
constexpr int kCell = 64;

}  // namespace

void cSword::Init(float x, float y, float vx, float vy) {
  InitWithStill(x, y, vx, vy, "./data/art/sword.png", kCell);
  life = kFlightTime;
}

void cSword::Update(float dt) {
  cSprite::Update(dt);
  position += velocity * dt;
  life -= dt;
}

int cSword::Hit(cGame* game, cCreature* creature) {
  if (!game || !creature || creature->GetType() != kTypeDragon) return 0;
  creature->health -= kDamage;
  return 1;
}

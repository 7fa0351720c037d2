#include "world/projectiles/sword.h"

#include "app/game.h"
#include "world/creatures/creature.h"

namespace {

constexpr float kFlightTime = 2.0f;  // seconds
constexpr float kDamage = 25.0f;
constexpr int kCell = 64;

}  // namespace

void cSword::Init(float x, float y, float vx, float vy) {
  cProjectile::Init(x, y, vx, vy);
  SetTexture(g_game.LoadTexture("./data/art/sword.png"), g_game.gui);
  SetCellSize(kCell, kCell);
  SetAnimation(0, 0, 1, 1.0f, 0);
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

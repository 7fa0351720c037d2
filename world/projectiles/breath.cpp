#include "world/projectiles/breath.h"

#include "app/game.h"
#include "world/creatures/creature.h"

namespace {
constexpr float kPuffLife = 0.5f;
constexpr float kRiseAcceleration = 800.0f;  // px/s², upwards
constexpr float kSpinRate = 8.0f;            // radians per second
constexpr float kKnockUp = -200.0f;
}  // namespace

void cBreath::Init(float x, float y, float vx, float vy) {
  cProjectile::Init(x, y, vx, vy);
  life = kPuffLife;
  SetTexture(g_game.LoadTexture("./data/art/breath.png"), g_game.gui);
  scale = 0.5f;
  SetCellSize(256, 256);
  SetAnimation(0, 3, 2, 0.375f, 0);
}

void cBreath::Update(float dt) {
  cSprite::Update(dt);
  const float f = life / kPuffLife;
  scale = 0.4f * f + 0.2f;
  colour.a = 1.0f - 0.5f * f;
  rotation += kSpinRate * dt;
  position += velocity * dt;
  velocity.y -= kRiseAcceleration * dt;
}

int cBreath::Hit(cGame* game, cCreature* creature) {
  if (!game) return 0;
  if (!creature) {
    game->SpawnProjectile(kProjectileFlame, position.x, position.y, 0.0f, 0.0f);
    return 1;
  }
  const int type = creature->GetType();
  if (type == kTypeArcher || type == kTypeWizard) creature->Knock({0.5f * velocity.x, kKnockUp});
  creature->Burn();
  return 0;
}

#include "world/projectiles/spell.h"

#include <cmath>

#include "app/game.h"
#include "world/creatures/creature.h"

namespace {

constexpr float kGravity = 300.0f;
constexpr float kPulseRate = 4.0f;  // radians of the pulse per second of `timer`
constexpr float kSpinRate = 8.0f;   // radians per second, uncharged
constexpr int kBurstBalls = 7;
constexpr float kBurstSpeed = 600.0f;
constexpr float kTurn = 2.0f * 3.1415927f;
constexpr int kSoundBurst = 142;
constexpr float kDamage = 10.0f;
constexpr int kCell = 64;

}  // namespace

void cSpell::Init(float x, float y, float vx, float vy) {
  InitWithStill(x, y, vx, vy, "./data/art/spell.png", kCell);
}

void cSpell::Update(float dt) {
  cSprite::Update(dt);
  position += velocity * dt;
  velocity.y += kGravity * dt;
  timer -= dt;
  if (charged) {
    scale = 0.5f * std::sin(kPulseRate * timer) + 0.5f;
  } else {
    rotation += kSpinRate * dt;
  }
  if (!charged || timer > 0.0f) return;

  for (int i = 0; i < kBurstBalls; ++i) {
    const float angle = static_cast<float>(i) * kTurn / static_cast<float>(kBurstBalls);
    const Vec2 v = Rotate(Vec2{1.0f, 0.0f}, angle) * kBurstSpeed;
    g_game.SpawnProjectile(kProjectileSpell, position.x, position.y, v.x, v.y);
  }
  charged = 0;
  g_game.PlaySound(kSoundBurst);
}

int cSpell::Hit(cGame* game, cCreature* creature) {
  if (!game || !creature || creature->GetType() != kTypeDragon) return 0;
  creature->health -= kDamage;
  return 1;
}

#include "world/projectiles/fireball.h"

#include "app/game.h"
#include "world/creatures/creature.h"
#include "world/creatures/hero.h"

namespace {

constexpr Vec2 kTrailDrift{0.0f, -100.0f};  // the trail's puffs rise
constexpr float kGroundBlastRadiusSq = 6400.0f;  // 80 pixels
constexpr float kGroundBlastDamage = 25.0f;
constexpr int kGroundBlastMaxHit = 3;
constexpr float kDamage = 25.0f;
constexpr float kGuardedDamage = 2.5f;
constexpr int kHeroGuardCell = 6;
constexpr const Colour kHitTint{1.0f, 0.0f, 0.0f, 1.0f};
constexpr const Colour kGuardedTint{1.0f, 1.0f, 1.0f, 1.0f};
constexpr Vec2 kKillKnock{-50.0f, -100.0f};
constexpr Vec2 kZeppelinKillKnock{150.0f, -50.0f};
// The two archers a downed zeppelin lets fall, thrown left and right.
constexpr Vec2 kSpilledArcherThrows[] = {{-25.0f, -50.0f}, {25.0f, -50.0f}};

bool IsArmoured(int type) {
  return type == kTypeHero || type == kTypeDefender || type == kTypeZeppelin;
}

constexpr float kBlockPoseTime = 0.05f;

// The hero recoils from a blocked fireball (cell 10) for a moment.
void BlockWithGuard(cHero& hero) {
  hero.blockTime = kBlockPoseTime;
  hero.SetAnimation(10, 10, 4, 1.0f, 0);
}

// Archers tumble out of a downed zeppelin at `at`, with no health left: they die on landing.
void SpillArchers(cGame& game, Vec2 at) {
  for (const Vec2 throwVelocity : kSpilledArcherThrows) {
    cCreature* archer = game.SpawnCreature(kTypeArcher, at.x, at.y);
    if (!archer) continue;
    archer->Throw(throwVelocity);
    archer->health = 0.0f;
    archer->Update(0.0f);
  }
}

}  // namespace

cFireball::cFireball() { emitter.SetGame(&g_game); }

void cFireball::Init(float x, float y, float vx, float vy) {
  cProjectile::Init(x, y, vx, vy);
  emitter.drift = kTrailDrift;
  emitter.SetActive(1);
}

void cFireball::Update(float dt) {
  emitter.Tick(dt);
  position += velocity * dt;
  emitter.position = position;
}

void cFireball::Render(cGUI* gui, float camX, float camY) { emitter.Render(gui, camX, camY); }

int cFireball::Hit(cGame* game, cCreature* creature) {
  if (!game) return 0;
  if (!creature) {
    game->Blast(position, kGroundBlastRadiusSq, kGroundBlastDamage, kGroundBlastMaxHit);
    return 0;
  }
  const int type = creature->GetType();
  if (!IsArmoured(type)) return 0;
  if (creature->state == kCreatureDying || creature->state == kCreatureKnocked ||
      creature->health <= 0.0f) {
    return 0;
  }

  float damage = kDamage;
  Colour tint = kHitTint;
  if (type == kTypeHero && static_cast<int>(creature->frame) == kHeroGuardCell) {
    damage = kGuardedDamage;
    tint = kGuardedTint;
    BlockWithGuard(static_cast<cHero&>(*creature));
  }
  creature->health -= damage;
  creature->colour = tint;

  if (creature->health <= 0.0f) {  // the hit killed it
    Vec2 knock = kKillKnock;
    if (type == kTypeZeppelin) {
      knock = kZeppelinKillKnock;
      SpillArchers(*game, position);
    }
    creature->Knock(knock);
  }
  return 1;
}

#pragma once
// Everything that flies, falls or lies about in the world without being a creature: arrows,
// fireballs, breath puffs, spells, swords, coins and flames. Created only through
// `cGame::SpawnProjectile`, owned by `cGame::projectiles`, moved and tested against the
// creatures by the projectile pass once per frame of a running match.

#include <optional>

#include "world/creatures/sprite.h"
#include "world/vec2.h"

class cGame;
class cCreature;

// Projectile kinds: what `GetKind` returns and what `SpawnProjectile` takes.
enum ProjectileKind : int {
  kProjectileArrow = 1,
  kProjectileFireball = 2,
  kProjectileBreath = 3,
  kProjectileSpell = 4,
  kProjectileSword = 5,
  kProjectileGold = 6,
  kProjectileFlame = 7,
};

class cProjectile : public cSprite {
 public:
  Vec2 velocity;  // world pixels per second; y grows downwards

  virtual ~cProjectile() = default;

  // Moves, animates and runs down whatever the kind runs down; called once per frame.
  void Update(float dt) override = 0;
  // Drawing is the sprite's, centred on `position`, unless a kind draws otherwise.

  // Places the projectile at (x, y) with velocity (vx, vy); kinds also take their art here.
  virtual void Init(float x, float y, float vx, float vy);
  // Acts on `creature`, which the projectile touches; a null creature means it has gone more
  // than 10 pixels below the ground line. Returns 1 when it is used up and must be removed,
  // 0 when it stays.
  virtual int Hit(cGame* game, cCreature* creature) = 0;
  virtual int GetKind() const { return 0; }

  // Kinds that run down a timer of their own (spell: its `timer`; sword, gold, flame: their
  // `life`) return the time left; the projectile pass removes them once it is 0 or less and
  // never tests them against the ground. Kinds without one (arrow, fireball, breath) return
  // nothing: they end by reaching the ground or by being used up.
  virtual std::optional<float> TimeLeft() const { return std::nullopt; }

 protected:
  // Init's placement, then the picture `sheet` (through the game's texture cache) as one still
  // cell `cell` pixels square: how the single-picture kinds (spell, sword) begin.
  void InitWithStill(float x, float y, float vx, float vy, const char* sheet, int cell);
};

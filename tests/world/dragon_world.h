#pragma once
// A quiet world for the dragon and its fire: flat ground at y 1000, no creature but the
// dragon (at (3000, 500), facing left, at rest) and those a test spawns, no projectiles, no
// keys down. Tests drive the control step, the dragon's update and the projectile pass
// themselves, at 60 updates a second unless they say otherwise.

#include <gtest/gtest.h>

#include "support/game_fixture.h"
#include "world/creatures/creature.h"
#include "world/creatures/dragon.h"
#include "world/projectiles/projectile.h"

inline constexpr float kGroundY = 1000.0f;
inline constexpr float kStep = 1.0f / 60.0f;

class DragonWorld : public GameFixture {
 protected:
  void SetUp() override;

  cDragon& dragon() { return *dragon_; }

  // A creature of `type` at `at`, updated nowhere but where the test says.
  template <class Kind = cCreature>
  Kind* Spawn(int type, Vec2 at) {
    cCreature* creature = game().SpawnCreature(type, at.x, at.y);
    EXPECT_NE(creature, nullptr);
    return static_cast<Kind*>(creature);
  }
  template <class Kind = cProjectile>
  Kind* Shoot(int kind, Vec2 at, Vec2 velocity = {}) {
    return static_cast<Kind*>(game().SpawnProjectile(kind, at.x, at.y, velocity.x, velocity.y));
  }
  int CountProjectiles(int kind) const;

  // One control step, then the dragon's own update.
  void Fly(float dt = kStep);
  // Holds the keys for `steps` updates, then lets go of them for one more.
  void HoldFor(std::initializer_list<unsigned> keys, int steps, float dt = kStep);

 private:
  cDragon* dragon_ = nullptr;
};

#pragma once
// A hero's thrown sword: flies in a straight line at constant speed for two seconds and hurts
// only the dragon (25 health), which uses it up. Its picture points right; the thrower turns
// and mirrors it to the way it flies.

#include "world/projectiles/projectile.h"

class cSword : public cProjectile {
 public:
  // The base placement, the one-cell sword picture (64 x 64) and two seconds to fly.
  void Init(float x, float y, float vx, float vy) override;
  // Flies on with its velocity, neither falling nor turning, and runs down `life`.
  void Update(float dt) override;
  // The dragon loses 25 health and the sword is used up (1); anything else, or nothing: 0.
  int Hit(cGame* game, cCreature* creature) override;
  int GetKind() const override { return kProjectileSword; }
  // The projectile pass removes the sword once `life` is 0 or less.
  std::optional<float> TimeLeft() const override { return life; }

  float life = 2.0f;  // seconds left
};

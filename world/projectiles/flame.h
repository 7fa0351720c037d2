#pragma once
// A flame standing on the ground where a breath puff came down: it fades out over four
// seconds and sets on fire the first creature that walks into it, which uses it up.

#include "world/projectiles/projectile.h"

class cFlame : public cProjectile {
 public:
  float life = 4.0f;  // seconds left

  // Places the flame (it never moves) and gives it its flickering two-cell animation.
  void Init(float x, float y, float vx, float vy) override;
  // Animates, runs down `life` and fades linearly with it.
  void Update(float dt) override;
  // Burns the creature and is used up: returns 1. Nothing to burn: returns 0.
  int Hit(cGame* game, cCreature* creature) override;
  int GetKind() const override { return kProjectileFlame; }
  std::optional<float> TimeLeft() const override { return life; }
};

#pragma once
// A wizard's spell ball. The one a wizard casts is charged: it rises, slowing under gravity
// and pulsing in size, and when its two seconds are up it bursts into seven uncharged balls
// that fly out in a star, spinning, for two seconds each. Every ball hurts only the dragon
// (10 health) and is used up by the hit.

#include "world/projectiles/projectile.h"

class cSpell : public cProjectile {
 public:
  // The base placement, then the one-cell orb picture (64 x 64).
  void Init(float x, float y, float vx, float vy) override;
  // Flies, falls at 300 px/s² and runs down `timer`. A charged spell pulses (its scale
  // follows 0.5 sin(4 timer) + 0.5) and bursts once when `timer` reaches 0: seven fresh
  // spells at 600 px/s, one every seventh of a turn from straight right, and sound 142. An
  // uncharged one spins at 8 rad/s.
  void Update(float dt) override;
  // The dragon loses 10 health and the spell is used up (1); anything else, or nothing: 0.
  int Hit(cGame* game, cCreature* creature) override;
  int GetKind() const override { return kProjectileSpell; }
  // The projectile pass removes the spell once `timer` is 0 or less (a burst spell in the
  // frame of its burst).
  std::optional<float> TimeLeft() const override { return timer; }

  int charged = 0;     // set by the casting wizard: pulses and bursts
  float timer = 2.0f;  // seconds left
};

#pragma once
// A gold coin: it spins in place, slides towards the dragon while the dragon is within 400
// pixels, blinks in its last second and vanishes five seconds after it appeared unless the
// dragon touches it first, which adds its amount to the lair's gold.

#include "world/projectiles/projectile.h"

class cGold : public cProjectile {
 public:
  float life = 5.0f;  // seconds left
  int amount = 10;    // gold added when collected; big coins carry 50 and are drawn at 0.6

  // Turns a fresh coin into a big one: 50 gold, drawn at scale 0.6.
  void MakeBig();

  // Position and velocity, then the coin sheet with the small coin turning.
  void Init(float x, float y, float vx, float vy) override;
  // Picks the small or big coin by amount, runs down `life` (blinking in the last second)
  // and drifts towards the dragon within 400 pixels, stopping dead beyond.
  void Update(float dt) override;
  // The dragon collects the coin: the game's gold grows by `amount`, returns 1. Any other
  // creature walks over it: returns 0.
  int Hit(cGame* game, cCreature* creature) override;
  int GetKind() const override { return kProjectileGold; }
  std::optional<float> TimeLeft() const override { return life; }
};

#pragma once
// One puff of the dragon's fire breath: it rises as it flies, sets on fire every creature that
// it passes through (knocking archers and wizards along) and is never used up by them; where
// it reaches the ground it leaves a flame.

#include "world/projectiles/projectile.h"

class cBreath : public cProjectile {
 public:
  float life = 0.5f;  // drives the puff's size and transparency; nothing counts it down

  // Position and velocity, then the puff picture at scale 0.5 with its one-shot animation.
  void Init(float x, float y, float vx, float vy) override;
  // Animates, draws at scale 0.6 and alpha 0.5, spins and rises at 800 px/s².
  void Update(float dt) override;
  // Burns the creature (knocks archers and wizards first) and stays: returns 0. Below the
  // ground (null creature) it asks for a flame at its position and is used up: returns 1.
  int Hit(cGame* game, cCreature* creature) override;
  int GetKind() const override { return kProjectileBreath; }
};

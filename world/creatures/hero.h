#pragma once
// The heavy swordsman: marches on the dragon, leaps at it and throws swords. Cannot be
// grabbed. Its sheet (256 x 256 cells, 4 per row) faces right and is drawn at half size.

#include "world/creatures/creature.h"

class cHero : public cCreature {
 public:
  // Health 400; not grabbable.
  cHero();

  // The common update and the fading hit tint; then the hero stands on the ground in the
  // first cell of its walk.
  void Update(float dt) override;
  int GetType() const override { return kTypeHero; }

  float blockTime = 0.0f;  // seconds left of the block pose; a fireball it blocks sets it
};

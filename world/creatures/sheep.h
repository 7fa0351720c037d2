#pragma once
// The dragon's food: stands where it was put until the dragon snatches it. The princess is a
// sheep with her own picture and a weight of 100. The sheet holds two 64 x 128 cells:
// standing, and in the air.

#include "world/creatures/creature.h"

class cSheep : public cCreature {
 public:
  // Health 1; grabbable.
  cSheep() = default;

  // The common update; then the sheep shows its standing cell.
  void Update(float dt) override;
  int GetType() const override { return kTypeSheep; }

  float weight = 40.0f;  // health the dragon gains by eating it; the princess weighs 100
};

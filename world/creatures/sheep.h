#pragma once
// The dragon's food: stands where it was put until the dragon snatches it. Eaten, it gives the
// dragon its weight in health; dropped, it crushes what it lands on and is gone. The princess
// is a sheep with her own picture and a weight of 100, heavy enough to cry for help while she
// is off the ground. The sheet holds two 64 x 128 cells: standing, and in the air.

#include "world/creatures/creature.h"

class cSheep : public cCreature {
 public:
  // Health 1; grabbable.
  cSheep() = default;

  // The common update, then the sheep's state table: standing (0, and 5: fire does not hurt
  // sheep), where a sheep without health is dead (8, no coin); tumbling through the air when
  // knocked (3) or dropped (4), a dropped one landing with a blast that hurts and knocks the
  // creatures within 2 x its scaled width squared for 50 and scatters no coins; hanging in the
  // grip (6). A sheep of weight 100 or more yells whenever it is not standing.
  void Update(float dt) override;
  int GetType() const override { return kTypeSheep; }

  float weight = 40.0f;  // health the dragon gains by eating it; the princess weighs 100
};

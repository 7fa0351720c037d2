#pragma once
// The archers' spell-casting companion: walks towards the lair and casts spells that burst
// over the dragon. Its sheet (64 x 64 cells, 4 per row) faces right.

#include "world/creatures/creature.h"

class cWizard : public cCreature {
 public:
  // Health 15; grabbable.
  cWizard();

  // The common update; then the wizard stands on the ground in its standing cell.
  void Update(float dt) override;
  int GetType() const override { return kTypeWizard; }
};

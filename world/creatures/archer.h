#pragma once
// The common foot soldier: walks from the left end of the field towards the lair and shoots
// arrows at the dragon. Its sheet (64 x 64 cells, 4 per row) faces right.

#include "world/creatures/creature.h"

class cArcher : public cCreature {
 public:
  // Health 25; grabbable.
  cArcher();

  // The common update; then the archer stands on the ground in the first cell of its walk.
  void Update(float dt) override;
  int GetType() const override { return kTypeArcher; }
};

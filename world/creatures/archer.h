#pragma once
// The common foot soldier: walks from the left end of the field towards the lair, stops to
// shoot arrows at the dragon within 400 pixels, and can be burnt, knocked about, grabbed,
// eaten or dropped. Its sheet (64 x 64 cells, 4 per row) faces right; `flipX` faces it left.

#include "world/creatures/creature.h"

class cArcher : public cCreature {
 public:
  // Health 25; grabbable; shows the first cell of its sheet.
  cArcher();

  // The common update, then, while there is a dragon, the archer's state table: decide (0),
  // walk (1), shoot (2), fly knocked (3) or thrown (4, crashing down with a blast that
  // scatters a coin per creature hit), burn (5), hang in the grip (6), die (7) and leave one
  // coin (8, in the world's last Update(0)).
  void Update(float dt) override;
  int GetType() const override { return kTypeArcher; }

  double lastShot = 0.0;  // DXUTGetTime of the last arrow
};

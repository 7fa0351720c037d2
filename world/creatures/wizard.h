#pragma once
// The archers' spell-casting companion: walks towards the lair like an archer, but within 400
// pixels of the dragon (or with the dragon straight above it) it stops and casts a charged
// spell straight up every 4.5 s, which bursts into seven balls two seconds later. Frail (15
// health); burns, can be knocked about, grabbed, eaten or dropped. Its sheet (64 x 64 cells,
// 4 per row) faces right; `flipX` faces it left.

#include "world/creatures/creature.h"

class cWizard : public cCreature {
 public:
  // Health 15; grabbable; shows its standing cell.
  cWizard();

  // The common update, then, while there is a dragon, the wizard's state table: decide (0),
  // walk (1), cast (2), fly knocked (3) or thrown (4, crashing down with a blast that
  // scatters a coin per creature hit), burn (5), hang in the grip (6), die (7) and leave two
  // coins (8, in the world's last Update(0)).
  void Update(float dt) override;
  int GetType() const override { return kTypeWizard; }

  double lastCast = 0.0;  // DXUTGetTime of the last spell
};

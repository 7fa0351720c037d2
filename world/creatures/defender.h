#pragma once
// A guard of the village on one of the seven posts. It fades in over its first second (and
// cannot be hurt meanwhile), then shoots an arrow at the dragon every 2 s while the dragon is
// within 600 pixels. Fireballs and blasts hurt and knock it; killed, it leaves a D of ten big
// coins and frees its post. Cannot be grabbed. Standing, it shows the top-left 64 x 32 texels
// of its sheet (a guard behind a parapet); knocked, cell 5 of the 64 x 64 grid. Faces right;
// `flipX` faces it left.

#include "world/creatures/creature.h"

class cDefender : public cCreature {
 public:
  // Health 50; not grabbable.
  cDefender();
  // Frees its post (an index outside 0..6 frees none), so the world puts a new defender there.
  ~cDefender() override;

  // The common update and the fade-in; then, while there is a dragon, the fading hit tint and
  // the defender's state table: watch (0, and 5: fire does nothing to it), shoot (2), fly
  // knocked (3), die (7) and leave its coins (8, in the world's last Update(0)).
  void Update(float dt) override;
  int GetType() const override { return kTypeDefender; }

  double lastShot = 0.0;  // DXUTGetTime of the last arrow
  float fadeIn = 0.0f;    // seconds since it appeared
  int post = 0;           // the post it stands on (0..6); whoever spawns it sets it
};

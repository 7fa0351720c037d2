#pragma once
// A guard of the village standing on one of the seven posts. Cannot be grabbed. Standing, it
// shows the top-left 64 x 32 texels of its sheet (a guard behind a parapet).

#include "world/creatures/creature.h"

class cDefender : public cCreature {
 public:
  // Health 50; not grabbable.
  cDefender();
  // Frees its post (an index outside 0..6 frees none), so the world puts a new defender there.
  ~cDefender() override;

  // The common update and the fading hit tint; the defender keeps its standing picture.
  void Update(float dt) override;
  int GetType() const override { return kTypeDefender; }

  int post = 0;  // the post it stands on (0..6); whoever spawns it sets it
};

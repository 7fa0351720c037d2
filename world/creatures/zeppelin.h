#pragma once
// The airship: flies in from the left to a station over the field and drops archers. Cannot
// be grabbed. Its sheet faces right: flying cells of 256 x 320 in row 0, falling and wreck
// cells of 256 x 256 in row 2.

#include "world/creatures/creature.h"
#include "world/effects/pfx_fireball.h"

class cGUI;

class cZeppelin : public cCreature {
 public:
  // Health 100; not grabbable; its smoke emitter attached to the game (80 puffs a second,
  // growing from 0.3 to 0.9, no drift).
  cZeppelin();

  // The common update, the smoke kept off 50 above the hull, the fading hit tint; then the
  // zeppelin hovers in place.
  void Update(float dt) override;
  // The smoke first, so it lies behind the hull.
  void Render(cGUI* gui, float camX, float camY) override;
  int GetType() const override { return kTypeZeppelin; }

  cPFX_Fireball smoke;  // the trail of a falling zeppelin
};

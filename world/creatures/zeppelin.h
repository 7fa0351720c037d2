#pragma once
// The airship: flies in from the far left to a station of its own over the field (x 3900 for
// the first zeppelin, 200 further left for each further one, 80 above the ground), drops an
// archer every two seconds once there and shoots arrows at the dragon while it is near. It
// cannot be grabbed and does not burn; a knock, a throw or a killing fireball sends it down
// trailing smoke, to crash with a blast, a shaking screen and gold, and the wreck sinks and
// leaves three big coins. Its sheet faces right: flying cells of 256 x 320 in row 0, falling
// and wreck cells of 256 x 256 in row 2.

#include "world/creatures/creature.h"
#include "world/effects/pfx_fireball.h"

class cGUI;

class cZeppelin : public cCreature {
 public:
  // Health 100; not grabbable; its smoke emitter attached to the game (80 puffs a second,
  // growing from 0.3 to 0.9, no drift).
  cZeppelin();

  // The common update; while there is a dragon, the smoke kept off (and 50 above the hull)
  // unless the zeppelin falls, the fading hit tint, then the state table: decide (0, and 5:
  // it does not burn), fly to the station (1) or engage the dragon (2), dropping archers on
  // station and shooting while engaged; fall (3 and 4) and crash; sink as a wreck (7); leave
  // three big coins (8, in the world's last Update(0)). The smoke is ticked last.
  void Update(float dt) override;
  // The smoke first, so it lies behind the hull.
  void Render(cGUI* gui, float camX, float camY) override;
  int GetType() const override { return kTypeZeppelin; }

  cPFX_Fireball smoke;    // the trail of a falling zeppelin
  double lastShot = 0.0;  // DXUTGetTime of the last arrow
  double lastDrop = 0.0;  // DXUTGetTime of the last archer dropped

 private:
  // Flying to `target` (levelled while it is far) and, on station, dropping archers; while
  // engaged, shooting at the dragon.
  void FlyAndFight(float dt);
  // The falling hull hits the ground.
  void Crash();
};

#pragma once
// The emitter of the fireball's trail and a falling zeppelin's smoke.

#include "world/effects/pfx.h"

// Fire puffs that fly off with `drift` (each axis sped up by a random 1 to 2.875), spin, and
// change size from `startScale` to `endScale` while fading to half opacity.
class cPFX_Fireball : public cPFX {
 public:
  cPFX_Fireball() { rate = 80.0f; }

  float startScale = 0.25f;
  float endScale = 0.25f;

 protected:
  void UpdateParticles(float dt) override;
  // Without a game it writes "cPFX_Fireball:: Has not been initialized!\n" and emits nothing.
  void Emit(int count) override;
};

#pragma once
// The emitter every creature carries for its shouts.

#include "world/effects/pfx.h"

// Shout marks that stay where they appeared, growing from 0.3 to full size while fading to
// half opacity.
class cPFX_Yell : public cPFX {
 public:
  cPFX_Yell() { rate = 15.0f; }

 protected:
  void UpdateParticles(float dt) override;
  void Emit(int count) override;
};

#pragma once
// One particle of an emitter: a sprite with the time it has left and its own velocity.

#include "world/creatures/sprite.h"
#include "world/vec2.h"

class cParticle final : public cSprite {
 public:
  float life = 1.0f;  // seconds left; the emitters start their particles at 0.4
  Vec2 velocity;      // pixels per second (only fireball smoke moves)
};

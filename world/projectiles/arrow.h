#pragma once
// The missile of archers, defenders and zeppelins. It has no picture: it is drawn as a short
// dark-red streak through its last ten positions, falls under gravity, whooshes once when it
// has flown 0.4 s, and takes 5 health from the dragon when it touches it. It passes through
// every other creature and flies on until it reaches the ground or the dragon.

#include <array>

#include "world/projectiles/projectile.h"

class cArrow : public cProjectile {
 public:
  static constexpr int kTrailLength = 10;

  // The base placement; every trail point starts at (x, y), so nothing shows at first.
  void Init(float x, float y, float vx, float vy) override;
  // Flies, falls at 300 px/s², records the new position at the head of the trail and plays
  // the whoosh (131 or 132, even chance) in the first update after 0.4 s of flight.
  void Update(float dt) override;
  // Nine segments between successive trail points, width 4, dark red, the oldest faintest
  // (alpha 0.1) and drawn first, the newest strongest (alpha 0.9). Nothing without a GUI.
  void Render(cGUI* gui, float camX, float camY) override;
  // The dragon loses 5 health and the arrow is used up (1); anything else, or nothing: 0.
  int Hit(cGame* game, cCreature* creature) override;
  int GetKind() const override { return kProjectileArrow; }

  std::array<Vec2, kTrailLength> trail{};  // newest first: trail[0] is the current position
  int swooshPlayed = 0;
  float flightTime = 0.0f;  // seconds since launch
};

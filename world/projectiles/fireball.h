#pragma once
// The dragon's heavy shot: a fire trail carried along a straight line. It hurts only the
// armoured (heroes, defenders, zeppelins), knocks back those it kills, throws two archers out
// of a zeppelin it downs, and blasts the creatures around the point where it hits the ground.
// It has no picture, so its hit radius is 0: it touches a creature when its position lies
// within that creature's radius.

#include "world/effects/pfx_fireball.h"
#include "world/projectiles/projectile.h"

class cFireball : public cProjectile {
 public:
  // The trail emitter is attached to the game.
  cFireball();

  cPFX_Fireball emitter;  // the visible fire

  // Position and velocity; the trail's puffs rise, and it starts burning.
  void Init(float x, float y, float vx, float vy) override;
  // Ticks the trail where the fireball was, then flies straight on (no gravity).
  void Update(float dt) override;
  // Draws the trail only.
  void Render(cGUI* gui, float camX, float camY) override;
  // A hero, defender or zeppelin that is neither knocked nor dying and still alive takes 25
  // (2.5 and no red when a hero stands guarded) and uses the fireball up: returns 1. Anything
  // else is passed through: returns 0. At the ground (null creature) it blasts up to three
  // creatures within 80 pixels and returns 0; the pass removes it all the same.
  int Hit(cGame* game, cCreature* creature) override;
  int GetKind() const override { return kProjectileFireball; }
};

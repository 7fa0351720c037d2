#pragma once
// The player's dragon: flies on the velocity the control step gives it, grabs, eats and drops
// creatures, and when its health runs out falls, crashes with one blast and lies dead.
// Its sheet faces left: `flipX` set means it faces right.

#include "world/creatures/creature.h"
#include "world/vec2.h"

class cDragon : public cCreature {
 public:
  // Health 100, not grabbable; the factory gives it its sheet and scale 0.75.
  cDragon();

  Vec2 velocity;              // flight velocity, pixels per second
  cCreature* held = nullptr;  // the creature in the grip (borrowed: `creatures` owns it)
  int screamed = 0;           // the death cry has been played
  float charge = -1.0f;       // breath charge in seconds; 0 or less: not charged
  int breathing = 0;          // a breath stream is being emitted
  float aim = 0.5f;           // fire elevation: 0 almost straight ahead, 1 almost straight down

  // Flight, the end of a meal or snap, the dying fall and crash (state 8 after the crash),
  // and carrying whatever is held.
  void Update(float dt) override;
  int GetType() const override;
  // The point, relative to the centre, where fire leaves the mouth.
  Vec2 GetMouthOffset() const override;

  // Adds (ax, ay) to the velocity, each component kept within -500..500, and turns the dragon
  // the way ax points. Ignored while dying or dead.
  void Accelerate(float ax, float ay);
  // Takes `creature` into the grip (its state becomes held) unless something is held already
  // or the dragon is eating. A null creature does nothing.
  void Grab(cCreature* creature);
  // Eats the held archer (15 health), wizard (25) or sheep (its weight; a sheep heavier than
  // 75 also scatters a ring of 16 big coins) and removes it from the world. Anything else
  // held stays in the grip.
  void Eat();
  // Throws the held creature with the dragon's velocity and health 0; it dies when it lands.
  void Drop();
  // Snaps the jaws (cells 14..15); flight resumes once the snap is half over.
  void Snap();
  cCreature* GetHeld() const { return held; }

 private:
  void SetFlyingAnimation();
  void ScatterCoinRing();
  // The dying fall and crash; returns true once the dragon lies dead (state 8).
  bool UpdateDying(float dt);
  void CarryHeld();
};

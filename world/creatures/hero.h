#pragma once
// The heavy swordsman: marches on the dragon, stands guard within reach of it, leaps at it
// every four seconds and flings a fan of five swords at the top of each leap. Every 25
// seconds it stops to shout a taunt, with the match music turned down meanwhile. Fire neither
// knocks it over nor sets it burning; it cannot be grabbed. Its sheet (256 x 256 cells, 4 per
// row) faces right and is drawn at half size.

#include "world/creatures/creature.h"

class cHero : public cCreature {
 public:
  // Health 400; not grabbable.
  cHero();
  // Turns the match music back up, so a hero removed in mid-taunt leaves it at full volume.
  ~cHero() override;

  // The common update and the fading hit tint; while there is a dragon, a knock or a burn
  // only sends the hero back to deciding (the health lost stays lost). Then, in this order of
  // precedence: a leap in progress (flying with the velocity `target` under gravity, swords at
  // the top of the arc, landing within 50 of the ground); a taunt when 25 s have passed since
  // the last one ended; else the state table: decide (0), walk (1), stand guard and leap (2),
  // die (7) and leave an H of seven big coins (8, in the world's last Update(0)).
  void Update(float dt) override;
  int GetType() const override { return kTypeHero; }

  // The taunt voice the next taunting hero shouts (138, 139 or 140, in turn) and moves the
  // rotation on. Shared by every hero of the run.
  static int NextTauntVoice();
  // Where the rotation stands: 0, 1 or 2 for voice 138, 139 or 140 next; 0 at program start.
  static int tauntCounter;

  double lastAttack = 0.0;  // DXUTGetTime of the last leap
  double lastTaunt = 0.0;   // DXUTGetTime at which the last taunt ended; 0: taunt at once
  int jumping = 0;          // in the air
  int slamReady = 0;        // has been rising during this leap: the swords fly as it falls
  int taunting = 0;         // the taunt's voice is out and the music lowered
  float blockTime = 0.0f;   // seconds left of the block pose; a fireball it blocks sets it

 private:
  void LeapStep(float dt);
  void TauntStep(double now);
  void ThrowSwords();
  void TakeOff(Vec2 toDragon, double now);
};

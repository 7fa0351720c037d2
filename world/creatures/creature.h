#pragma once
// The base of every actor in the world: a sprite with a behaviour state, a walk target or
// velocity, hit points and its own yell emitter. Each kind overrides `Update` with its state
// machine (calling the common update first), reports its type id and may draw differently.
// The game's `creatures` list owns every creature; the world update calls `Update` once per
// frame, keeps each one on the ground and removes the dead (state 8) and those that reached
// the lair.

#include "world/creatures/sprite.h"
#include "world/effects/pfx_yell.h"
#include "world/vec2.h"

class cGUI;

// What `GetType` returns and `cGame::SpawnCreature` takes.
enum CreatureType : int {
  kTypePlain = 0,
  kTypeDragon = 1,
  kTypeArcher = 2,
  kTypeWizard = 3,
  kTypeHero = 4,
  kTypeSheep = 5,
  kTypeDefender = 6,
  kTypeZeppelin = 7,
};
inline constexpr int kCreatureTypeCount = 8;

// Behaviour states shared by every kind; a kind handles the subset it uses.
enum CreatureState : int {
  kCreatureIdle = 0,       // the kind decides what to do next
  kCreatureWalking = 1,    // walks towards `target`
  kCreatureAttacking = 2,  // attacks the dragon
  kCreatureKnocked = 3,    // flies with velocity `target` under gravity until it lands
  kCreatureThrown = 4,     // the same, and its landing hurts the creatures around it
  kCreatureBurning = 5,
  kCreatureHeld = 6,       // in the dragon's grip; the dragon moves it
  kCreatureDying = 7,
  kCreatureDead = 8,       // gets one last Update(0), then the world deletes it
};

class cCreature : public cSprite {
 public:
  // Idle, health 1, grabbable, its yell emitter attached to the game and switched off.
  cCreature();
  // Deletes the yell particles with the emitter.
  ~cCreature() override = default;
  cCreature(const cCreature&) = delete;
  cCreature& operator=(const cCreature&) = delete;

  // The common update every kind runs first: steps the animation, ticks the yell emitter,
  // then moves the emitter to the creature (so this frame's new marks start where the
  // creature stood last frame).
  void Update(float dt) override;
  // The sprite, then the yell marks over it.
  void Render(cGUI* gui, float camX, float camY) override;
  // The kind's id (CreatureType); a plain creature is kTypePlain.
  virtual int GetType() const;
  // Where, relative to the centre, fire leaves the mouth; (0, 0) for all but the dragon.
  virtual Vec2 GetMouthOffset() const;

  int GetState() const { return state; }
  // Knocked flying with velocity v (state 3).
  void Knock(Vec2 v);
  // Thrown with velocity v (state 4): the landing hurts the creatures around it.
  void Throw(Vec2 v);
  // Set burning (state 5); `target` keeps its value.
  void Burn();
  // Taken into the dragon's grip (state 6).
  void Grab();

  int state = kCreatureIdle;
  Vec2 target;          // walk target in walking states; velocity in states 3, 4 and 5
  cPFX_Yell yell;       // the creature's shouts; follows it
  float health = 1.0f;  // 0 or less: dying or dead
  int grabbable = 1;    // the dragon may pick it up
  int backLayer = 0;    // drawn behind the ground tiles; written by the world update

 protected:
  // Puts the centre on the ground line below it; the world's feet rule then lifts the
  // creature by a quarter of its height, so it stands on the ground.
  void StandOnGround();
  // Blends a hit tint back towards opaque white: each channel c moves by (1 - c) x 4 x dt,
  // never past white however long the frame.
  void FadeTint(float dt);
};

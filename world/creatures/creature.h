#pragma once
// The base of every actor in the world: a sprite with a behaviour state, a walk target or
// velocity, hit points and its own yell emitter. Each kind overrides `Update` with its state
// machine (calling the common update first), reports its type id and may draw differently.
// The game's `creatures` list owns every creature; the world update calls `Update` once per
// frame, keeps each one on the ground and removes the dead (state 8) and those that reached
// the lair.

#include <span>

#include "world/creatures/sprite.h"
#include "world/effects/pfx_yell.h"
#include "world/vec2.h"

class cGUI;
class cProjectile;

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
  kCreatureHeld = 6,  // in the dragon's grip; the dragon moves it
  kCreatureDying = 7,
  kCreatureDead = 8,  // gets one last Update(0), then the world deletes it
};

// One animation of a creature's sheet: cells of `cellW` x `cellH`, `columns` per row, running
// from `first` to `last` in `duration` seconds, wrapping when `loop` is non-zero.
struct CellAnimation {
  int cellW = 0;
  int cellH = 0;
  int first = 0;
  int last = 0;
  int columns = 1;
  float duration = 1.0f;
  int loop = 0;
};

// How a foot soldier (archer, wizard) marches, falls, burns and dies: the kind's own numbers
// for cCreature::FootSoldierMarchStep and cCreature::FootSoldierFateStep.
struct FootSoldier {
  Vec2 walkTarget;
  float walkSpeed;
  float crowdFactor;  // of the scaled width, squared: company closer than that stops a walk
  CellAnimation walking;
  float fallGravity;
  float fallSpin;
  Vec2 crashOffset;
  float crashFactor;
  float burnDamage;  // per second
  CellAnimation falling;
  CellAnimation burning;
  std::span<const Vec2> deathCoins;  // small coins, around the creature
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

  // ---- Shared steps of the kinds' state tables -------------------------------------------
  // Walking, shooting, tumbling through the air, landing, burning and leaving gold work the
  // same way for several kinds; each kind's Update strings these steps together with its own
  // numbers.

  // Sets the cell size, then the animation; a running animation is not restarted. The new
  // cell shows from the next update on.
  void Show(const CellAnimation& cells);

  // Walks `speed` pixels per second straight towards `target`, faces the way it walks and
  // puts its centre on the ground line (StandOnGround).
  void WalkTowardsTarget(float dt, float speed);
  // Whether any listed creature of `type` (kAnyButDragon: every kind but the dragon) has its
  // centre closer than the square root of `radiusSq`. The creature itself counts, so a listed
  // creature always finds company: walkers that ask after each step stop to decide again
  // every second update.
  bool HasCompanyWithin(float radiusSq, int type) const;
  // The scaled width squared: crowd checks and crash blasts reach a multiple of it.
  float ScaledWidthSq() const { return GetScaledWidth() * GetScaledWidth(); }
  static constexpr int kAnyButDragon = -1;

  // Faces the dragon lying `toDragon` away: `flipX` is set when it is level or to the left.
  void FaceDragon(Vec2 toDragon);
  // The unit vector from the centre towards the point 100 above the dragon's centre, where
  // bowmen aim; zero without a dragon.
  Vec2 AimAtDragon() const;
  // Looses an arrow from the centre along the unit vector `aim` at `speed`. The arrow, or null
  // when the factory refused it.
  cProjectile* ShootArrow(Vec2 aim, float speed);

  // One step of a flight (knocked or thrown): moves by the velocity `target` for dt, then
  // `gravity` (pixels per second squared) bends the velocity downwards. Returns true when the
  // feet (a quarter of the scaled height below the centre) have gone below the ground line:
  // the creature has landed but still lies where the flight took it; Land sets it down.
  bool FlyUnderGravity(float dt, float gravity);
  // Sets the feet on the ground line and the creature back to deciding (state 0). `target`
  // keeps the last flight velocity.
  void Land();
  // Spins while flying: `rate` radians per second, anticlockwise when flying left
  // (`target.x` < 0), clockwise otherwise. The turn stays after landing.
  void Tumble(float dt, float rate);
  // A thrown creature crashing down: a blast at `position` + `offset` within the square root
  // of `radiusSq`, 50 damage, no limit on the count (it hurts and knocks every creature but
  // sheep and the dragon, the creature itself included), then one coin per creature hit
  // (ScatterCoinRow). Returns how many were hit.
  int CrashLanding(Vec2 offset, float radiusSq);
  // `count` small coins in a row 10 pixels apart, centred on the creature, at rest.
  void ScatterCoinRow(int count);
  // A whole step of a knocked (3) or thrown (4) foot soldier: a thrown one yells; it flies
  // (FlyUnderGravity with `gravity`); on landing a thrown one crashes (CrashLanding at
  // `crashOffset` within a radius² of `crashFactor` x the scaled width²) and then it Lands;
  // either way it Tumbles at `spin`.
  void FallAndLand(float dt, float gravity, float spin, Vec2 crashOffset, float crashFactor);

  // One step of burning: `damagePerSecond` x dt of health is lost and the creature spins at
  // 8 rad/s the way it flies. If that killed it, it is dying (state 7) and false comes back.
  // Otherwise it drifts with the velocity `target`, which a gravity of 100 bends downwards,
  // and true comes back. A creature whose `target` still holds `walkTarget` caught fire on its
  // feet from a flame, which gives no velocity: it burns where it stands.
  bool BurnStep(float dt, float damagePerSecond, Vec2 walkTarget);

  // Coins the dead leave: one at `position` + `origin` + each offset of `pattern`, at rest.
  // Big coins carry 50 gold and are drawn at 0.6; small ones carry the coin's default amount.
  enum class CoinSize { kSmall, kBig };
  void LeaveCoins(Vec2 origin, std::span<const Vec2> pattern, CoinSize size);

  // How archers and wizards decide (0) and walk (1); each kind says when it attacks. Deciding,
  // it attacks (2, standing: `target` cleared) when `attackWhenDeciding` holds and otherwise
  // sets out for the walk target (1); with no health left it is dying (7) instead. Walking, it
  // steps towards the target (WalkTowardsTarget, the walking cell) and attacks when
  // `attackWhenWalking` holds; otherwise it aims at the walk target again and stops to decide
  // once in company (HasCompanyWithin the crowd factor x the scaled width², any kind but the
  // dragon). Nothing in any other state.
  void FootSoldierMarchStep(float dt, const FootSoldier& kind, bool attackWhenDeciding,
                            bool attackWhenWalking);
  // The states archers and wizards share after the march: knocked or thrown (FallAndLand, the
  // falling cell), burning (BurnStep, the burning cell while alive), held (upright, the falling
  // cell), dying (dead next) and dead (its coins). False, doing nothing, for any other state.
  bool FootSoldierFateStep(float dt, const FootSoldier& kind);

  // ---- Bow sounds ------------------------------------------------------------------------
  // Archers and zeppelins loose their arrows with the same bows.

  // Plays one of the two bow shots, 129 or 130, with even chance.
  static void PlayBowShot();
};

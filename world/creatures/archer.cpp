#include "world/creatures/archer.h"

#include <cmath>
#include <cstdlib>

#include "app/game.h"
#include "platform/dxut.h"

namespace {

constexpr float kRangeSq = 160000.0f;       // 400 pixels
constexpr float kLairLineX = 5080.0f;       // beyond it an archer only walks on
constexpr Vec2 kWalkTarget{5880.0f, 0.0f};  // high above the lair
constexpr float kWalkSpeed = 300.0f;
constexpr float kCrowdFactor = 1.5f;  // of the scaled width, squared
constexpr float kArrowSpeed = 600.0f;
constexpr double kShotInterval = 3.0;  // seconds
constexpr float kSteepAim = 0.7f;      // |aim.y| from which it aims steeply
constexpr int kSoundShotA = 129;
constexpr int kSoundShotB = 130;
constexpr float kFallGravity = 400.0f;
constexpr float kFallSpin = 4.0f;     // radians per second
constexpr float kBurnDamage = 37.5f;  // per second
constexpr Vec2 kCrashBlastOffset{0.0f, 20.0f};
constexpr float kCrashBlastFactor = 5.0f;  // of the scaled width, squared
constexpr Vec2 kDeathCoin[] = {{0.0f, 0.0f}};

constexpr CellAnimation kWalking{64, 64, 0, 4, 4, 0.25f, 1};
constexpr CellAnimation kFalling{64, 64, 5, 5, 4, 1.0f, 1};
constexpr CellAnimation kBurning{64, 64, 6, 7, 4, 0.4f, 0};
constexpr FootSoldierFate kFate{kFallGravity,      kFallSpin,   kCrashBlastOffset,
                                kCrashBlastFactor, kBurnDamage, kWalkTarget,
                                kFalling,          kBurning,    kDeathCoin};
constexpr CellAnimation kAimingLevel{64, 64, 8, 8, 4, 1.0f, 1};
constexpr CellAnimation kAimingSteeply{64, 64, 9, 9, 4, 1.0f, 1};

}  // namespace

cArcher::cArcher() {
  health = 25.0f;
  SetCellSize(kWalking.cellW, kWalking.cellH);
}

void cArcher::Update(float dt) {
  cCreature::Update(dt);
  const cCreature* dragon = g_game.GetDragon();
  if (!dragon) return;
  const Vec2 d = dragon->position - position;
  const bool inRange = d.LengthSq() <= kRangeSq;

  switch (state) {
    case kCreatureIdle:
      if (!inRange || position.x > kLairLineX) {
        state = kCreatureWalking;
        target = kWalkTarget;
      } else {
        state = kCreatureAttacking;
        target = {};  // standing to shoot: nothing is left of an earlier flight
      }
      if (health <= 0.0f) state = kCreatureDying;
      break;

    case kCreatureWalking:
      WalkTowardsTarget(dt, kWalkSpeed);
      Show(kWalking);
      if (inRange && position.x < kLairLineX) {
        state = kCreatureAttacking;
        break;
      }
      target = kWalkTarget;
      if (HasCompanyWithin(kCrowdFactor * ScaledWidthSq(), kAnyButDragon)) state = kCreatureIdle;
      break;

    case kCreatureAttacking: {
      FaceDragon(d);
      const Vec2 aim = AimAtDragon();
      Show(std::abs(aim.y) < kSteepAim ? kAimingLevel : kAimingSteeply);
      const double now = DXUTGetTime();
      if (lastShot + kShotInterval < now) {
        ShootArrow(aim, kArrowSpeed);
        g_game.PlaySound((std::rand() & 1) ? kSoundShotA : kSoundShotB);
        lastShot = now;
      }
      if (!inRange) state = kCreatureIdle;
      break;
    }

    default:
      FootSoldierFateStep(dt, kFate);
      break;
  }
}

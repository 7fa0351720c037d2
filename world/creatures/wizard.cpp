#include "world/creatures/wizard.h"

#include <cmath>

#include "app/game.h"
#include "platform/dxut.h"
#include "world/projectiles/spell.h"

namespace {

constexpr float kRangeSq = 160000.0f;  // 400 pixels
// A dragon less than this far to either side counts as straight above: deciding, the wizard
// walks on from under it; walking, it stops to cast at it.
constexpr float kOverheadX = 50.0f;
constexpr Vec2 kWalkTarget{5880.0f, 0.0f};  // high above the lair
constexpr float kWalkSpeed = 150.0f;
constexpr float kCrowdFactor = 1.5f;         // of the scaled width, squared
constexpr Vec2 kSpellLaunch{0.0f, -600.0f};  // straight up
constexpr double kCastInterval = 4.5;        // seconds
constexpr int kSoundCast = 141;
// Beyond the casting cell: a falling, held or burning cell is still showing.
constexpr float kLastCastingFrame = 4.9f;
constexpr float kFallGravity = 400.0f;
constexpr float kFallSpin = 4.0f;     // radians per second
constexpr float kBurnDamage = 22.5f;  // per second
constexpr Vec2 kCrashBlastOffset{0.0f, 20.0f};
constexpr float kCrashBlastFactor = 5.0f;  // of the scaled width, squared
constexpr Vec2 kDeathCoins[] = {{-25.0f, -5.0f}, {25.0f, -5.0f}};

constexpr CellAnimation kWalking{64, 64, 0, 2, 4, 0.4f, 1};
constexpr CellAnimation kStanding{64, 64, 0, 0, 4, 1.0f, 0};
constexpr CellAnimation kCasting{64, 64, 4, 4, 4, 1.0f, 0};
constexpr CellAnimation kFalling{64, 64, 5, 5, 4, 1.0f, 0};
constexpr CellAnimation kBurning{64, 64, 6, 7, 4, 0.4f, 0};
constexpr FootSoldierFate kFate{kFallGravity,      kFallSpin,   kCrashBlastOffset,
                                kCrashBlastFactor, kBurnDamage, kWalkTarget,
                                kFalling,          kBurning,    kDeathCoins};

}  // namespace

cWizard::cWizard() {
  health = 15.0f;
  SetCellSize(kStanding.cellW, kStanding.cellH);
}

void cWizard::Update(float dt) {
  cCreature::Update(dt);
  const cCreature* dragon = g_game.GetDragon();
  if (!dragon) return;
  const Vec2 d = dragon->position - position;
  const bool inRange = d.LengthSq() <= kRangeSq;
  const bool overhead = std::abs(d.x) < kOverheadX;

  switch (state) {
    case kCreatureIdle:
      if (!inRange || overhead) {
        state = kCreatureWalking;
        target = kWalkTarget;
      } else {
        state = kCreatureAttacking;
        target = {};  // standing to cast: nothing is left of an earlier flight
      }
      if (health <= 0.0f) state = kCreatureDying;
      break;

    case kCreatureWalking:
      WalkTowardsTarget(dt, kWalkSpeed);
      Show(kWalking);
      if (inRange || overhead) {
        state = kCreatureAttacking;
        break;
      }
      target = kWalkTarget;
      if (HasCompanyWithin(kCrowdFactor * ScaledWidthSq(), kAnyButDragon)) state = kCreatureIdle;
      break;

    case kCreatureAttacking: {
      FaceDragon(d);
      const double now = DXUTGetTime();
      if (lastCast + kCastInterval < now) {
        cProjectile* spell = g_game.SpawnProjectile(kProjectileSpell, position.x, position.y,
                                                    kSpellLaunch.x, kSpellLaunch.y);
        if (spell) static_cast<cSpell*>(spell)->charged = 1;
        g_game.PlaySound(kSoundCast);
        Show(kCasting);
        lastCast = now;
      }
      // The casting cell stays until another state shows something else.
      if (frame > kLastCastingFrame) Show(kStanding);
      if (!inRange) state = kCreatureIdle;
      break;
    }

    default:
      FootSoldierFateStep(dt, kFate);
      break;
  }
}

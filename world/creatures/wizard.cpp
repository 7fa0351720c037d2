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
constexpr Vec2 kSpellLaunch{0.0f, -600.0f};  // straight up
constexpr double kCastInterval = 4.5;        // seconds
constexpr int kSoundCast = 141;
// Beyond the casting cell: a falling, held or burning cell is still showing.
constexpr float kLastCastingFrame = 4.9f;
constexpr Vec2 kDeathCoins[] = {{-25.0f, -5.0f}, {25.0f, -5.0f}};

constexpr FootSoldier kWizard{
    .walkTarget = {5880.0f, 0.0f},  // high above the lair
    .walkSpeed = 150.0f,
    .crowdFactor = 1.5f,
    .walking = {64, 64, 0, 2, 4, 0.4f, 1},
    .fallGravity = 400.0f,
    .fallSpin = 4.0f,  // radians per second
    .crashOffset = {0.0f, 20.0f},
    .crashFactor = 5.0f,
    .burnDamage = 22.5f,  // per second
    .falling = {64, 64, 5, 5, 4, 1.0f, 0},
    .burning = {64, 64, 6, 7, 4, 0.4f, 0},
    .deathCoins = kDeathCoins,
};
constexpr CellAnimation kStanding{64, 64, 0, 0, 4, 1.0f, 0};
constexpr CellAnimation kCasting{64, 64, 4, 4, 4, 1.0f, 0};

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
    case kCreatureWalking:
      FootSoldierMarchStep(dt, kWizard, inRange && !overhead, inRange || overhead);
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
      FootSoldierFateStep(dt, kWizard);
      break;
  }
}

#include "world/creatures/archer.h"

#include <cmath>

#include "app/game.h"
#include "platform/dxut.h"

namespace {

constexpr Vec2 kDeathCoin[] = {{0.0f, 0.0f}};
constexpr float kRangeSq = 160000.0f;  // 400 pixels
constexpr float kLairLineX = 5080.0f;  // beyond it an archer only walks on
constexpr float kArrowSpeed = 600.0f;
constexpr double kShotInterval = 3.0;  // seconds
constexpr float kSteepAim = 0.7f;      // |aim.y| from which it aims steeply

constexpr FootSoldier kArcher{
    .walkTarget = {5880.0f, 0.0f},  // high above the lair
    .walkSpeed = 300.0f,
    .crowdFactor = 1.5f,
    .walking = {64, 64, 0, 4, 4, 0.25f, 1},
    .fallGravity = 400.0f,
    .fallSpin = 4.0f,  // radians per second
    .crashOffset = {0.0f, 20.0f},
    .crashFactor = 5.0f,
    .burnDamage = 37.5f,  // per second
    .falling = {64, 64, 5, 5, 4, 1.0f, 1},
    .burning = {64, 64, 6, 7, 4, 0.4f, 0},
    .deathCoins = kDeathCoin,
};
constexpr CellAnimation kAimingLevel{64, 64, 8, 8, 4, 1.0f, 1};
constexpr CellAnimation kAimingSteeply{64, 64, 9, 9, 4, 1.0f, 1};

}  // namespace

cArcher::cArcher() {
  health = 25.0f;
  SetCellSize(kArcher.walking.cellW, kArcher.walking.cellH);
}

void cArcher::Update(float dt) {
  cCreature::Update(dt);
  const cCreature* dragon = g_game.GetDragon();
  if (!dragon) return;
  const Vec2 d = dragon->position - position;
  const bool inRange = d.LengthSq() <= kRangeSq;

  switch (state) {
    case kCreatureIdle:
    case kCreatureWalking:
      FootSoldierMarchStep(dt, kArcher, inRange && position.x <= kLairLineX,
                           inRange && position.x < kLairLineX);
      break;

    case kCreatureAttacking: {
      FaceDragon(d);
      const Vec2 aim = AimAtDragon();
      Show(std::abs(aim.y) < kSteepAim ? kAimingLevel : kAimingSteeply);
      const double now = DXUTGetTime();
      if (lastShot + kShotInterval < now) {
        ShootArrow(aim, kArrowSpeed);
        PlayBowShot();
        lastShot = now;
      }
      if (!inRange) state = kCreatureIdle;
      break;
    }

    default:
      FootSoldierFateStep(dt, kArcher);
      break;
  }
}

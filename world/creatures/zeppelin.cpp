#include "world/creatures/zeppelin.h"

#include "app/game.h"
#include "platform/dxut.h"

namespace {

constexpr float kFullHealth = 100.0f;
constexpr Vec2 kSmokeOffset{0.0f, -50.0f};

constexpr float kFirstStationX = 3900.0f;
constexpr float kStationSpacing = 200.0f;      // each further zeppelin stations this far left
constexpr float kStationHeight = 80.0f;        // above the ground
constexpr float kEngageRangeSq = 250000.0f;    // 500 pixels, from the decision
constexpr float kBreakOffRangeSq = 160000.0f;  // 400 pixels
constexpr float kFlySpeed = 200.0f;
constexpr float kLevelFlightSq = 2250000.0f;  // farther than 1500 it keeps its height
constexpr float kArrivedSq = 10000.0f;        // within 100 of the station

constexpr double kDropInterval = 2.0;  // seconds between archers on station
constexpr double kShotInterval = 0.5;  // seconds between arrows
constexpr float kNoShotsLeftOf = -90.0f;
constexpr float kArrowSpeed = 400.0f;

constexpr float kFallGravity = 400.0f;
constexpr float kMaxTilt = 0.7853982f;          // pi / 4
constexpr float kTiltRate = 0.7853982f * 0.5f;  // radians per second
constexpr float kWreckScale = 1.8f;
constexpr Vec2 kImpactBlastOffset{0.0f, 600.0f};
constexpr float kImpactBlastFactor = 2.0f;  // of the scaled width, squared
constexpr float kImpactShake = 40.0f;
constexpr int kSoundBang = 144;
constexpr float kWreckDepth = 1.7f;  // of the scaled height below the ground
constexpr float kWreckGoneFrame = 10.8f;
constexpr Vec2 kWreckCoinOrigin{-25.0f, 10.0f};
constexpr Vec2 kWreckCoins[] = {{0.0f, 0.0f}, {25.0f, 0.0f}, {50.0f, 0.0f}};

constexpr int kCellW = 256;
constexpr int kFlyingCellH = 320;
constexpr int kWreckCellH = 256;
constexpr CellAnimation kFlying{kCellW, kFlyingCellH, 0, 2, 4, 0.1f, 1};
constexpr CellAnimation kHovering{kCellW, kFlyingCellH, 3, 3, 4, 1.0f, 1};
constexpr CellAnimation kFalling{kCellW, kWreckCellH, 8, 8, 4, 1.0f, 0};
constexpr CellAnimation kSinking{kCellW, kWreckCellH, 9, 11, 4, 0.3f, 0};

}  // namespace

cZeppelin::cZeppelin() {
  health = kFullHealth;
  grabbable = 0;
  smoke.SetGame(&g_game);
  smoke.rate = 80.0f;
  smoke.startScale = 0.3f;
  smoke.endScale = 0.9f;
  smoke.drift = Vec2{};
}

void cZeppelin::Update(float dt) {
  cCreature::Update(dt);
  const cCreature* dragon = g_game.GetDragon();
  if (!dragon) return;
  const Vec2 d = dragon->position - position;
  smoke.SetActive(0);
  smoke.position = position + kSmokeOffset;
  FadeTint(dt);
  SetCellSize(kCellW, kFlyingCellH);
  flipX = 0;

  switch (state) {
    case kCreatureIdle:
    case kCreatureBurning:
      // A falling hull set on fire flies again: with its flying cells, not a wreck's cell cut
      // to the flying cell's height below the end of the sheet.
      Show(kFlying);
      if (d.LengthSq() > kEngageRangeSq) {
        state = kCreatureWalking;
        const float stationX =
            kFirstStationX - kStationSpacing * static_cast<float>(g_game.GetZeppelinIndex(this));
        target = Vec2{stationX, g_game.GroundHeightAt(stationX) - kStationHeight};
      } else {
        state = kCreatureAttacking;
      }
      if (health <= 0.0f) state = kCreatureDying;
      break;

    case kCreatureWalking:
    case kCreatureAttacking:
      FlyAndFight(dt);
      if (d.LengthSq() > kBreakOffRangeSq) state = kCreatureIdle;
      break;

    case kCreatureKnocked:
    case kCreatureThrown: {
      smoke.SetActive(1);
      Show(kFalling);
      scale = kWreckScale;
      const bool hitTheGround = FlyUnderGravity(dt, kFallGravity);
      if (rotation < kMaxTilt) rotation += kTiltRate * dt;
      if (hitTheGround) Crash();
      break;
    }

    case kCreatureDying:
      Show(kSinking);
      scale = kWreckScale;
      position.y = g_game.GroundHeightAt(position.x) + kWreckDepth * GetScaledHeight();
      if (frame >= kWreckGoneFrame) state = kCreatureDead;
      break;

    case kCreatureDead:
      LeaveCoins(kWreckCoinOrigin, kWreckCoins, CoinSize::kBig);
      break;

    default:
      break;
  }
  smoke.Tick(dt);
}

void cZeppelin::FlyAndFight(float dt) {
  Vec2 heading = target - position;
  const float distanceSq = heading.LengthSq();
  if (distanceSq >= kLevelFlightSq) heading.y = 0.0f;
  heading = Normalize(heading);
  const bool arrived = distanceSq < kArrivedSq;
  position += heading * ((arrived ? 0.0f : kFlySpeed) * dt);

  const double now = DXUTGetTime();
  if (arrived) {
    Show(kHovering);
    // The drop does not wait for room in the world: zeppelins spawn only while the crowd is
    // below its limit, so the few on station keep the crowd level a little above it, whereas
    // holding their archers back lets zeppelins gather until their stations leave the world.
    if (lastDrop + kDropInterval < now) {
      // The archer climbs down to the ground below.
      cCreature* archer = g_game.SpawnCreature(kTypeArcher, position.x, position.y);
      if (archer) archer->position.y = g_game.GroundHeightAt(archer->position.x);
      lastDrop = now;
    }
  } else {
    Show(kFlying);
  }

  if (lastShot + kShotInterval < now && state == kCreatureAttacking &&
      position.x > kNoShotsLeftOf) {
    ShootArrow(AimAtDragon(), kArrowSpeed);
    PlayBowShot();  // its crew shoot the archers' bows
    lastShot = now;
  }
}

void cZeppelin::Crash() {
  CrashLanding(kImpactBlastOffset, kImpactBlastFactor * ScaledWidthSq());
  g_game.Shake(kImpactShake);
  g_game.PlaySound(kSoundBang);
  Land();
  health = 0.0f;
}

void cZeppelin::Render(cGUI* gui, float camX, float camY) {
  smoke.Render(gui, camX, camY);
  cCreature::Render(gui, camX, camY);
}

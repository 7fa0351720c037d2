#include "world/creatures/defender.h"

#include "app/defender_posts.h"
#include "app/game.h"
#include "platform/dxut.h"

namespace {

constexpr float kFullHealth = 50.0f;
constexpr float kFadeInTime = 1.0f;    // seconds; unhurt until it has fully appeared
constexpr float kRangeSq = 360000.0f;  // 600 pixels
constexpr float kArrowSpeed = 600.0f;
constexpr double kShotInterval = 2.0;  // seconds
constexpr float kFallGravity = 400.0f;
constexpr float kFallSpin = 4.0f;  // radians per second
// Ten big coins in the shape of a D, its lower left corner 50 to the right of the defender.
constexpr Vec2 kLetterDOrigin{50.0f, 0.0f};
constexpr Vec2 kLetterD[] = {{0.0f, 0.0f},    {0.0f, -25.0f},   {0.0f, -50.0f},  {0.0f, -75.0f},
                             {0.0f, -100.0f}, {25.0f, -100.0f}, {50.0f, -75.0f}, {50.0f, -50.0f},
                             {50.0f, -25.0f}, {25.0f, 0.0f}};

constexpr CellAnimation kKnocked{64, 64, 5, 5, 4, 1.0f, 0};

}  // namespace

cDefender::cDefender() {
  health = kFullHealth;
  grabbable = 0;
}

cDefender::~cDefender() { SetDefenderPostOccupied(post, false); }

void cDefender::Update(float dt) {
  cCreature::Update(dt);
  fadeIn += dt;
  if (fadeIn < kFadeInTime) {
    health = kFullHealth;
    colour.a = fadeIn;
    return;
  }
  colour.a = 1.0f;
  const cCreature* dragon = g_game.GetDragon();
  if (!dragon) return;
  const Vec2 d = dragon->position - position;
  const bool inRange = d.LengthSq() <= kRangeSq;
  FadeTint(dt);

  switch (state) {
    case kCreatureIdle:
    case kCreatureBurning:
      if (inRange) state = kCreatureAttacking;
      if (health <= 0.0f) state = kCreatureDying;
      break;

    case kCreatureAttacking: {
      FaceDragon(d);
      const double now = DXUTGetTime();
      if (lastShot + kShotInterval < now) {
        ShootArrow(AimAtDragon(), kArrowSpeed);
        lastShot = now;
      }
      if (!inRange) state = kCreatureIdle;
      break;
    }

    case kCreatureKnocked:
      // The knocked picture and the turn stay if it survives.
      Show(kKnocked);
      if (FlyUnderGravity(dt, kFallGravity)) Land();
      Tumble(dt, kFallSpin);
      break;

    case kCreatureDying:
      state = kCreatureDead;
      break;

    case kCreatureDead:
      LeaveCoins(kLetterDOrigin, kLetterD, CoinSize::kBig);
      break;
  }
}

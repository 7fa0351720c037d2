#include "world/creatures/hero.h"

#include <cmath>

#include "app/game.h"
#include "platform/dxut.h"
#include "world/projectiles/projectile.h"

namespace {

constexpr float kFullHealth = 400.0f;
constexpr float kCloseRangeSq = 90000.0f;  // 300 pixels
constexpr float kCloseRangeX = 200.0f;     // or this close horizontally
constexpr float kWalkSpeed = 450.0f;
constexpr float kCrowdFactor = 0.75f;  // of the scaled width, squared

constexpr double kLeapInterval = 4.0;  // seconds
constexpr Vec2 kLeapDirection{1.0f, -3.0f};
constexpr float kLeapSpeed = 112.5f;
constexpr float kTakeOffHeight = 60.0f;  // above the ground
constexpr float kLandingHeight = 50.0f;  // within this of the ground a leap is over
constexpr float kLeapGravity = 400.0f;
constexpr float kRisingSpeed = -1.0f;  // vertical velocity below which the hero still rises
// Leaps are kept inside the field: a hero taking off beyond these lines leaps back into it,
// and one carried beyond them loses its horizontal speed.
constexpr float kFieldRightEdge = 5280.0f;
constexpr float kFieldLeftEdge = 600.0f;
constexpr float kBeyondEdgeDamping = 0.9f;  // x dt, per update

constexpr int kSwordCount = 5;
constexpr float kSwordFan = 2.1991148f;  // 0.7 pi radians
constexpr float kSwordSpeed = 850.0f;
constexpr Rect kSwordCell{0, 0, 64, 64};
constexpr int kSoundSwords = 143;

constexpr double kTauntInterval = 25.0;  // seconds from the end of one taunt to the next
constexpr float kTauntEndFrame = 7.49f;
constexpr int kFirstTauntVoice = 138;
constexpr int kTauntVoices = 3;
constexpr int kMusicDucked = 20;
constexpr int kMusicFull = 100;

constexpr float kDeadFrame = 9.8f;
// Seven big coins in the shape of an H around the hero, 40 pixels apart.
constexpr float kCoinSpacing = 40.0f;
constexpr Vec2 kLetterH[] = {{-kCoinSpacing, 0.0f},
                             {-kCoinSpacing, -kCoinSpacing},
                             {-kCoinSpacing, -2 * kCoinSpacing},
                             {0.0f, -kCoinSpacing},
                             {kCoinSpacing, 0.0f},
                             {kCoinSpacing, -kCoinSpacing},
                             {kCoinSpacing, -2 * kCoinSpacing}};

constexpr int kCell = 256;
constexpr CellAnimation kWalking{kCell, kCell, 0, 3, 4, 0.4f, 1};
constexpr CellAnimation kRising{kCell, kCell, 4, 4, 4, 1.0f, 0};
constexpr CellAnimation kFalling{kCell, kCell, 5, 5, 4, 1.0f, 0};
constexpr CellAnimation kGuard{kCell, kCell, 6, 6, 4, 1.0f, 0};
constexpr CellAnimation kStandingOverTheDragon{kCell, kCell, 7, 7, 4, 1.0f, 0};
constexpr CellAnimation kTaunt{kCell, kCell, 7, 8, 4, 5.5f, 0};
constexpr CellAnimation kDying{kCell, kCell, 8, 10, 4, 2.0f, 0};
constexpr CellAnimation kRecoiling{kCell, kCell, 10, 10, 4, 1.0f, 0};

void SetMusicVolume(int volume) {
  g_game.soundSystem.SetChannelVolume(g_game.musicChannel, volume);
}

}  // namespace

int cHero::tauntCounter = 0;

int cHero::NextTauntVoice() {
  if (tauntCounter < 0 || tauntCounter >= kTauntVoices) tauntCounter = 0;
  return kFirstTauntVoice + tauntCounter++;
}

cHero::cHero() {
  health = kFullHealth;
  grabbable = 0;
}

cHero::~cHero() { SetMusicVolume(kMusicFull); }

void cHero::Update(float dt) {
  cCreature::Update(dt);
  const cCreature* dragon = g_game.GetDragon();
  if (!dragon) return;
  const Vec2 d = dragon->position - position;
  FadeTint(dt);
  SetCellSize(kCell, kCell);
  if (state == kCreatureKnocked || state == kCreatureBurning) state = kCreatureIdle;
  const double now = DXUTGetTime();
  blockTime -= dt;

  if (jumping) {
    LeapStep(dt);
    return;
  }
  if (lastTaunt + kTauntInterval < now && health > 0.0f) {
    TauntStep(now);
    return;
  }

  switch (state) {
    case kCreatureIdle:
      if (d.LengthSq() < kCloseRangeSq || std::abs(d.x) < kCloseRangeX) {
        state = kCreatureAttacking;
      } else {
        state = kCreatureWalking;
        target = dragon->position;
      }
      if (health <= 0.0f) state = kCreatureDying;
      break;

    case kCreatureWalking: {
      WalkTowardsTarget(dt, kWalkSpeed);
      if (d.LengthSq() <= kCloseRangeSq) {
        state = kCreatureAttacking;
      } else {
        // The ground under the dragon. The hero always finds itself among the heroes, so a
        // walking hero decides again after every step and advances every second update.
        target = Vec2{dragon->position.x, g_game.GroundHeightAt(dragon->position.x)};
        if (HasCompanyWithin(kCrowdFactor * ScaledWidthSq(), kTypeHero)) state = kCreatureIdle;
      }
      Show(kWalking);
      break;
    }

    case kCreatureAttacking:
      FaceDragon(d);
      if (dragon->health <= 0.0f) {
        Show(kStandingOverTheDragon);
      } else {
        Show(blockTime > 0.0f ? kRecoiling : kGuard);
      }
      if (lastAttack + kLeapInterval < now) TakeOff(d, now);
      if (d.LengthSq() > kCloseRangeSq && std::abs(d.x) > kCloseRangeX) state = kCreatureIdle;
      break;

    case kCreatureDying:
      Show(kDying);
      StandOnGround();
      if (frame >= kDeadFrame) state = kCreatureDead;
      break;

    case kCreatureDead:
      LeaveCoins({}, kLetterH, CoinSize::kBig);
      break;

    default:
      break;
  }
}

void cHero::TakeOff(Vec2 toDragon, double now) {
  target = kLeapDirection;
  if (toDragon.x < 0.0f) target.x = -target.x;
  if (position.x > kFieldRightEdge) target.x = 1.0f - position.x / kFieldRightEdge;
  if (position.x < 0.0f) target.x = 1.0f - kFieldLeftEdge / position.x;
  target *= kLeapSpeed;
  position.y = g_game.GroundHeightAt(position.x) - kTakeOffHeight;
  jumping = 1;
  lastAttack = now;
}

void cHero::LeapStep(float dt) {
  if (g_game.GroundHeightAt(position.x) - kLandingHeight < position.y) {
    jumping = 0;
    return;
  }
  target.y += kLeapGravity * dt;
  // Only a leap that carries the hero beyond the field's ends is slowed; leaps within the
  // field keep their speed whichever way they go.
  if ((position.x > kFieldRightEdge && target.x > 0.0f) ||
      (position.x < kFieldLeftEdge && target.x < 0.0f)) {
    target.x *= kBeyondEdgeDamping * dt;
  }
  if (target.y < kRisingSpeed) {
    Show(kRising);
    slamReady = 1;
  } else {
    // The top of the arc: once per leap.
    if (slamReady && health > 0.0f) ThrowSwords();
    Show(kFalling);
    slamReady = 0;
  }
  position += target * dt;
  rotation = 0.0f;
}

void cHero::ThrowSwords() {
  const float facing = flipX ? -1.0f : 1.0f;
  for (int i = 0; i < kSwordCount; ++i) {
    const float angle = -kSwordFan * 0.5f + static_cast<float>(i) * kSwordFan / kSwordCount;
    const Vec2 velocity = Vec2{std::cos(angle), std::sin(angle)} * (facing * kSwordSpeed);
    cProjectile* sword =
        g_game.SpawnProjectile(kProjectileSword, position.x, position.y, velocity.x, velocity.y);
    if (!sword) continue;
    sword->rotation = angle;
    sword->flipX = flipX;
    sword->sourceRect = kSwordCell;
  }
  g_game.PlaySound(kSoundSwords);
}

void cHero::TauntStep(double now) {
  Show(kTaunt);
  StandOnGround();
  if (!taunting) {
    SetMusicVolume(kMusicDucked);
    g_game.PlaySound(NextTauntVoice());
    taunting = 1;
  }
  if (frame >= kTauntEndFrame) {
    lastTaunt = now;
    taunting = 0;
    SetMusicVolume(kMusicFull);
  }
}

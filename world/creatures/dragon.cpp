#include "world/creatures/dragon.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/game.h"
#include "world/creatures/sheep.h"
#include "world/projectiles/gold.h"

namespace {

constexpr float kMaxHealth = 100.0f;
constexpr float kMaxSpeed = 500.0f;
constexpr float kDampingPerStep = 0.8f;      // velocity kept per update at 60 updates a second
constexpr float kTiltPerSpeed = 0.19634955f / kMaxSpeed;  // pi/16 at full speed
constexpr float kGravity = 400.0f;
constexpr float kDyingScale = 1.0f;
constexpr float kCrashShake = 80.0f;
constexpr Vec2 kCrashBlastOffset{0.0f, 250.0f};
constexpr float kCrashBlastRadiusSq = 202500.0f;  // 450 pixels
constexpr float kCrashBlastDamage = 100.0f;
constexpr float kCrashOverFrame = 13.8f;          // 2.4 s into the crashed cells
constexpr int kSoundDeathCry = 134;

constexpr float kArcherMeal = 15.0f;
constexpr float kWizardMeal = 25.0f;
constexpr float kCoinRingWeight = 75.0f;  // a sheep heavier than this scatters the ring
constexpr Vec2 kCoinRingCentre{50.0f, 0.0f};
constexpr Vec2 kCoinRing[] = {
    {0, -240},   {80, -240},  {160, -160},  {240, -80},  {240, 0},     {240, 80},
    {160, 160},  {80, 240},   {0, 240},     {-80, 240},  {-160, 160},  {-240, 80},
    {-240, 0},   {-240, -80}, {-160, -160}, {-80, -240},
};

// Sheet cells (4 per row).
constexpr int kSheetColumns = 4;
constexpr float kFirstEatingFrame = 8.0f;
constexpr float kLastEatingFrame = 10.0f;
constexpr float kCrashedFrame = 13.0f;
constexpr float kSnapFrame = 14.0f;
constexpr float kSnapOverFrame = 14.5f;

}  // namespace

cDragon::cDragon() {
  health = kMaxHealth;
  grabbable = 0;
}

int cDragon::GetType() const { return kTypeDragon; }

Vec2 cDragon::GetMouthOffset() const {
  return Vec2{flipX ? 67.0f : -67.0f, -20.0f} * scale;
}

void cDragon::SetFlyingAnimation() { SetAnimation(0, 7, kSheetColumns, 0.8f, 1); }

void cDragon::Snap() { SetAnimation(14, 15, kSheetColumns, 0.8f, 0); }

void cDragon::Accelerate(float ax, float ay) {
  if (state == kCreatureDying || state == kCreatureDead) return;
  velocity.x = std::clamp(velocity.x + ax, -kMaxSpeed, kMaxSpeed);
  velocity.y = std::clamp(velocity.y + ay, -kMaxSpeed, kMaxSpeed);
  if (frame < kFirstEatingFrame) SetFlyingAnimation();
  if (ax > 0.0f) {
    flipX = 1;
  } else if (ax < 0.0f) {
    flipX = 0;
  }
}

void cDragon::Grab(cCreature* creature) {
  if (!creature || held) return;
  const bool eating = frame >= kFirstEatingFrame && frame <= kLastEatingFrame;
  if (eating) return;
  held = creature;
  creature->Grab();
}

void cDragon::Eat() {
  if (!held) return;
  float meal = 0.0f;
  bool coinRing = false;
  switch (held->GetType()) {
    case kTypeArcher:
      meal = kArcherMeal;
      break;
    case kTypeWizard:
      meal = kWizardMeal;
      break;
    case kTypeSheep: {
      const float weight = static_cast<const cSheep*>(held)->weight;
      meal = weight;
      coinRing = weight > kCoinRingWeight;
      break;
    }
    default:
      return;  // heroes, defenders and zeppelins are no food; the grip holds on
  }
  SetAnimation(8, 10, kSheetColumns, 0.5f, 0);
  health += meal;
  if (coinRing) ScatterCoinRing();
  cCreature* eaten = held;
  held = nullptr;  // let go first: the world would otherwise drop it before deleting it
  g_game.RemoveCreature(eaten);
}

void cDragon::ScatterCoinRing() {
  const Vec2 centre = position + kCoinRingCentre;
  for (const Vec2 offset : kCoinRing) {
    const Vec2 at = centre + offset;
    auto* coin = static_cast<cGold*>(g_game.SpawnProjectile(kProjectileGold, at.x, at.y, 0, 0));
    if (coin) coin->MakeBig();
  }
}

void cDragon::Drop() {
  if (!held) return;
  held->Throw(velocity);
  held->health = 0.0f;
  held = nullptr;
}

void cDragon::Update(float dt) {
  cCreature::Update(dt);
  if (state == kCreatureDead) return;

  const bool snapOver = frame > kSnapOverFrame;
  const bool mealOver = frame >= kLastEatingFrame && frame < kSnapFrame && health > 0.0f;
  if (snapOver || mealOver) SetFlyingAnimation();

  position += velocity * dt;
  velocity *= kDampingPerStep * std::min(dt * 60.0f, 1.0f);

  if (std::fabs(velocity.y) < std::fabs(velocity.x)) {
    rotation = velocity.x * kTiltPerSpeed;
  } else {
    rotation = velocity.y * kTiltPerSpeed * (flipX ? 1.0f : -1.0f);
  }
  FadeTint(dt);

  if (health <= 0.0f && UpdateDying(dt)) return;

  if (state == kCreatureKnocked || state == kCreatureDying) {
    position += target * dt;
    target.y += kGravity * dt;
  }
  health = std::min(health, kMaxHealth);
  CarryHeld();
}

bool cDragon::UpdateDying(float dt) {
  if (state != kCreatureDying && state != kCreatureDead) {
    Knock(velocity * 0.5f + Vec2{0.0f, -200.0f});
    if (!screamed) g_game.PlaySound(kSoundDeathCry);
    SetAnimation(12, 12, kSheetColumns, 2.8f, 1);
    screamed = 1;
  }
  charge = -1.0f;
  state = kCreatureDying;

  // Whatever is held is flung away as the dragon goes down.
  velocity = {static_cast<float>(std::rand() & 127), -200.0f};
  Drop();
  velocity = {};
  scale = kDyingScale;

  const float ground = g_game.GroundHeightAt(position.x);
  if (ground - 0.3f * GetScaledHeight() < position.y) {
    if (frame < kCrashedFrame) {
      g_game.Shake(kCrashShake);
      g_game.Blast(position + kCrashBlastOffset, kCrashBlastRadiusSq, kCrashBlastDamage, -1);
    }
    SetAnimation(13, 14, kSheetColumns, 3.0f, 0);
    position.y = ground;
    velocity *= 0.8f * dt;
    target *= 0.8f * dt;
    if (frame >= kCrashOverFrame) {
      state = kCreatureDead;
      return true;
    }
  } else {
    SetAnimation(12, 12, kSheetColumns, 2.8f, 1);
  }
  return false;
}

void cDragon::CarryHeld() {
  if (!held) return;
  Vec2 grip{0.0f, 0.3f * GetScaledHeight()};
  if (frame >= kSnapFrame) {
    // In front of the mouth while the jaws snap.
    const float facing = flipX ? -1.0f : 1.0f;
    grip = {-0.25f * GetScaledWidth() * facing, grip.y * 1.5f};
  }
  held->position = position + grip;
}

#include "world/creatures/creature.h"

#include <algorithm>
#include <cstdlib>

#include "app/game.h"
#include "world/projectiles/gold.h"
#include "world/projectiles/projectile.h"

cCreature::cCreature() {
  yell.SetGame(&g_game);
  yell.SetActive(0);
}

void cCreature::Update(float dt) {
  cSprite::Update(dt);
  yell.Tick(dt);
  yell.position = position;
}

void cCreature::Render(cGUI* gui, float camX, float camY) {
  cSprite::Render(gui, camX, camY);
  yell.Render(gui, camX, camY);
}

int cCreature::GetType() const { return kTypePlain; }

Vec2 cCreature::GetMouthOffset() const { return {}; }

void cCreature::Knock(Vec2 v) {
  target = v;
  state = kCreatureKnocked;
}

void cCreature::Throw(Vec2 v) {
  target = v;
  state = kCreatureThrown;
}

void cCreature::Burn() { state = kCreatureBurning; }

void cCreature::Grab() { state = kCreatureHeld; }

void cCreature::StandOnGround() { position.y = g_game.GroundHeightAt(position.x); }

void cCreature::FadeTint(float dt) {
  const float k = std::min(4.0f * dt, 1.0f);
  colour.r += (1.0f - colour.r) * k;
  colour.g += (1.0f - colour.g) * k;
  colour.b += (1.0f - colour.b) * k;
  colour.a += (1.0f - colour.a) * k;
}

// ---- Shared steps of the kinds' state tables ----------------------------------------------

namespace {

constexpr float kFeetBelowCentre = 0.25f;  // of the scaled height
constexpr Vec2 kArrowAimAboveDragon{0.0f, -100.0f};
constexpr float kCrashDamage = 50.0f;
constexpr float kCoinRowSpacing = 10.0f;
constexpr float kBurnSpin = 8.0f;       // radians per second
constexpr float kBurnGravity = 100.0f;  // burning creatures drift down slowly

}  // namespace

void cCreature::Show(const CellAnimation& cells) {
  SetCellSize(cells.cellW, cells.cellH);
  SetAnimation(cells.first, cells.last, cells.columns, cells.duration, cells.loop);
}

void cCreature::WalkTowardsTarget(float dt, float speed) {
  const Vec2 direction = Normalize(target - position);
  position += direction * (speed * dt);
  flipX = direction.x < 0.0f ? 1 : 0;
  StandOnGround();
}

bool cCreature::HasCompanyWithin(float radiusSq, int type) const {
  for (const auto& other : g_game.creatures) {
    if (!other) continue;
    const int otherType = other->GetType();
    const bool counts = type == kAnyButDragon ? otherType != kTypeDragon : otherType == type;
    if (counts && (other->position - position).LengthSq() < radiusSq) return true;
  }
  return false;
}

void cCreature::FaceDragon(Vec2 toDragon) { flipX = toDragon.x <= 0.0f ? 1 : 0; }

Vec2 cCreature::AimAtDragon() const {
  const cCreature* dragon = g_game.GetDragon();
  if (!dragon) return {};
  return Normalize(dragon->position + kArrowAimAboveDragon - position);
}

cProjectile* cCreature::ShootArrow(Vec2 aim, float speed) {
  return g_game.SpawnProjectile(kProjectileArrow, position.x, position.y, aim.x * speed,
                                aim.y * speed);
}

bool cCreature::FlyUnderGravity(float dt, float gravity) {
  position += target * dt;
  target.y += gravity * dt;
  const float feet = position.y + kFeetBelowCentre * GetScaledHeight();
  return feet > g_game.GroundHeightAt(position.x);
}

void cCreature::Land() {
  position.y = g_game.GroundHeightAt(position.x) - kFeetBelowCentre * GetScaledHeight();
  state = kCreatureIdle;
}

void cCreature::Tumble(float dt, float rate) {
  rotation += target.x < 0.0f ? rate * dt : -rate * dt;
}

int cCreature::CrashLanding(Vec2 offset, float radiusSq) {
  const int hit = g_game.Blast(position + offset, radiusSq, kCrashDamage, -1);
  ScatterCoinRow(hit);
  return hit;
}

void cCreature::ScatterCoinRow(int count) {
  const float half = static_cast<float>(count) * 0.5f;
  for (int i = 0; i < count; ++i) {
    const float x = position.x - (static_cast<float>(i) - half) * kCoinRowSpacing;
    g_game.SpawnProjectile(kProjectileGold, x, position.y, 0.0f, 0.0f);
  }
}

void cCreature::FallAndLand(float dt, float gravity, float spin, Vec2 crashOffset,
                            float crashFactor) {
  const bool thrown = state == kCreatureThrown;
  if (thrown) yell.SetActive(1);
  if (FlyUnderGravity(dt, gravity)) {
    if (thrown) CrashLanding(crashOffset, crashFactor * ScaledWidthSq());
    Land();
  }
  Tumble(dt, spin);
}

bool cCreature::BurnStep(float dt, float damagePerSecond, Vec2 walkTarget) {
  if (target == walkTarget) target = {};
  health -= damagePerSecond * dt;
  flipX = target.x < 0.0f ? 1 : 0;
  rotation += flipX ? kBurnSpin * dt : -kBurnSpin * dt;
  if (health <= 0.0f) {
    state = kCreatureDying;
    return false;
  }
  position += target * dt;
  target.y += kBurnGravity * dt;
  return true;
}

void cCreature::LeaveCoins(Vec2 origin, std::span<const Vec2> pattern, CoinSize size) {
  for (const Vec2 offset : pattern) {
    const Vec2 at = position + origin + offset;
    cProjectile* coin = g_game.SpawnProjectile(kProjectileGold, at.x, at.y, 0.0f, 0.0f);
    if (coin && size == CoinSize::kBig) static_cast<cGold*>(coin)->MakeBig();
  }
}

void cCreature::FootSoldierMarchStep(float dt, const FootSoldier& kind, bool attackWhenDeciding,
                                     bool attackWhenWalking) {
  switch (state) {
    case kCreatureIdle:
      if (attackWhenDeciding) {
        state = kCreatureAttacking;
        target = {};  // standing to attack: nothing is left of an earlier flight
      } else {
        state = kCreatureWalking;
        target = kind.walkTarget;
      }
      if (health <= 0.0f) state = kCreatureDying;
      break;
    case kCreatureWalking:
      WalkTowardsTarget(dt, kind.walkSpeed);
      Show(kind.walking);
      if (attackWhenWalking) {
        state = kCreatureAttacking;
        break;
      }
      target = kind.walkTarget;
      if (HasCompanyWithin(kind.crowdFactor * ScaledWidthSq(), kAnyButDragon)) {
        state = kCreatureIdle;
      }
      break;
    default:
      break;
  }
}

bool cCreature::FootSoldierFateStep(float dt, const FootSoldier& fate) {
  switch (state) {
    case kCreatureKnocked:
    case kCreatureThrown:
      FallAndLand(dt, fate.fallGravity, fate.fallSpin, fate.crashOffset, fate.crashFactor);
      Show(fate.falling);
      return true;
    case kCreatureBurning:
      if (BurnStep(dt, fate.burnDamage, fate.walkTarget)) Show(fate.burning);
      return true;
    case kCreatureHeld:
      rotation = 0.0f;
      Show(fate.falling);
      return true;
    case kCreatureDying:
      state = kCreatureDead;
      return true;
    case kCreatureDead:
      LeaveCoins({}, fate.deathCoins, CoinSize::kSmall);
      return true;
    default:
      return false;
  }
}

// ---- Bow sounds ---------------------------------------------------------------------------

void cCreature::PlayBowShot() {
  constexpr int kSoundShotA = 129;
  constexpr int kSoundShotB = 130;
  g_game.PlaySound((std::rand() & 1) ? kSoundShotA : kSoundShotB);
}

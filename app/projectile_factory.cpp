// Making, removing and running the projectiles of a match.

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>

#include "app/game.h"
#include "platform/dxut.h"
#include "world/creatures/creature.h"
#include "world/projectiles/arrow.h"
#include "world/projectiles/breath.h"
#include "world/projectiles/fireball.h"
#include "world/projectiles/flame.h"
#include "world/projectiles/gold.h"
#include "world/projectiles/spell.h"
#include "world/projectiles/sword.h"

namespace {

constexpr float kFlameSpacingSq = 10000.0f;  // no two flames within 100 pixels
constexpr float kFlameLift = 100.0f;         // a flame's centre stands this far above its base
constexpr float kFlameFirstStep = 0.1f;
constexpr float kBelowGroundMargin = 10.0f;
constexpr Colour kDragonHitTint{1.0f, 0.0f, 0.0f, 1.0f};

// Far beyond anything that can be seen, hit or collected (the camera shows x -250..5850 and
// nothing above y -350; creatures live between x -300 and 5700 and below y -300). A
// projectile without a timer of its own that is out there and still moving away never comes
// back: fireballs fly straight and breath only rises ever faster.
constexpr float kWorldLeftEdge = -1400.0f;
constexpr float kWorldRightEdge = 7000.0f;
constexpr float kWorldTopEdge = -2000.0f;

template <class Kind>
cProjectile* Make() {
  return new (std::nothrow) Kind;
}

// The maker of each kind the game builds; null for any other number.
using Maker = cProjectile* (*)();
Maker MakerOf(int kind) {
  switch (kind) {
    case kProjectileArrow:
      return &Make<cArrow>;
    case kProjectileFireball:
      return &Make<cFireball>;
    case kProjectileBreath:
      return &Make<cBreath>;
    case kProjectileSpell:
      return &Make<cSpell>;
    case kProjectileSword:
      return &Make<cSword>;
    case kProjectileGold:
      return &Make<cGold>;
    case kProjectileFlame:
      return &Make<cFlame>;
    default:
      return nullptr;
  }
}

void ReportProjectileFailure() { DXUTMessageBox(L"Could not create projectile!", L"WARNING", 0); }

bool HasLeftTheWorld(const cProjectile& projectile) {
  const Vec2 p = projectile.position;
  const Vec2 v = projectile.velocity;
  return (p.x < kWorldLeftEdge && v.x <= 0.0f) || (p.x > kWorldRightEdge && v.x >= 0.0f) ||
         (p.y < kWorldTopEdge && v.y <= 0.0f);
}

}  // namespace

cProjectile* cGame::SpawnProjectile(int kind, float x, float y, float vx, float vy) {
  const Maker make = MakerOf(kind);
  if (!make) return nullptr;

  const Vec2 requested{x, y};
  if (kind == kProjectileFlame) {
    for (const auto& other : projectiles) {
      if (other && other->GetKind() == kProjectileFlame &&
          (other->position - requested).LengthSq() < kFlameSpacingSq) {
        return nullptr;
      }
    }
  }

  std::unique_ptr<cProjectile> projectile(make());
  if (!projectile) {
    ReportProjectileFailure();
    return nullptr;
  }

  if (kind == kProjectileFlame) {
    projectile->Init(x, y - kFlameLift, vx, vy);
    projectile->Update(kFlameFirstStep);
    // Lay the flame along the ground under its base.
    const float halfWidth = projectile->GetScaledWidth() * 0.5f;
    const Vec2 right{x + halfWidth, GroundHeightAt(x + halfWidth)};
    const Vec2 left{x - halfWidth, GroundHeightAt(x - halfWidth)};
    const Vec2 along = Normalize(left - right);
    projectile->rotation = std::acos(std::clamp(along.y, -1.0f, 1.0f)) - 1.5707964f;
  } else {
    projectile->Init(x, y, vx, vy);
    // A kind that cuts its sheet into cells shows its first one from the start: made after
    // the projectile pass has passed its place, it is drawn before its first update.
    if (projectile->cellRect.Width() > 0) projectile->ShowFrame();
  }

  cProjectile* spawned = projectile.get();
  try {
    projectiles.push_back(std::move(projectile));
  } catch (const std::bad_alloc&) {
    ReportProjectileFailure();
    return nullptr;
  }
  return spawned;
}

HRESULT cGame::RemoveProjectile(cProjectile* projectile) {
  const auto entry = std::find_if(projectiles.begin(), projectiles.end(),
                                  [projectile](const auto& p) { return p.get() == projectile; });
  if (entry == projectiles.end()) return E_FAIL;
  projectiles.erase(entry);
  return S_OK;
}

void cGame::UpdateProjectiles(float elapsed) {
  // Removal closes the gap while the index moves on, so the entry behind a removed one waits
  // for the next frame.
  for (std::size_t i = 0; i < projectiles.size(); ++i) {
    cProjectile* projectile = projectiles[i].get();
    if (!projectile) continue;
    projectile->Update(elapsed);
    const int kind = projectile->GetKind();

    bool finished = false;
    if (const std::optional<float> timeLeft = projectile->TimeLeft()) {
      finished = *timeLeft <= 0.0f;
    } else if (projectile->position.y >
               GroundHeightAt(projectile->position.x) + kBelowGroundMargin) {
      projectile->Hit(this, nullptr);
      finished = true;
    } else {
      finished = HasLeftTheWorld(*projectile);
    }
    if (finished) {
      RemoveProjectile(projectile);
      continue;
    }

    for (std::size_t c = 0; c < creatures.size(); ++c) {
      cCreature* creature = creatures[c].get();
      if (!creature || !CirclesTouch(projectile, creature)) continue;
      if (!projectile->Hit(this, creature)) continue;
      // Coins and flames do not hurt the dragon; everything else that reaches it does.
      if (creature->GetType() == kTypeDragon && kind != kProjectileGold &&
          kind != kProjectileFlame) {
        creature->colour = kDragonHitTint;
      }
      RemoveProjectile(projectile);
      break;
    }
  }
}

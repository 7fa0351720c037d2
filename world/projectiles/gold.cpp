#include "world/projectiles/gold.h"

#include "app/game.h"
#include "world/creatures/creature.h"

namespace {
constexpr int kBigCoinAmount = 50;
constexpr float kBigCoinScale = 0.6f;
constexpr float kBlinkTime = 1.0f;         // the last second of a coin's life
constexpr float kDrawInRangeSq = 160000.0f;  // the dragon within 400 pixels
constexpr float kDrawInSpeed = 250.0f;
}  // namespace

void cGold::Init(float x, float y, float vx, float vy) {
  cProjectile::Init(x, y, vx, vy);
  SetTexture(g_game.LoadTexture("./data/art/gold.png"), g_game.gui);
  SetCellSize(64, 64);
  SetAnimation(0, 8, 4, 1.0f, 1);
}

void cGold::MakeBig() {
  amount = kBigCoinAmount;
  scale = kBigCoinScale;
}

void cGold::Update(float dt) {
  if (amount >= kBigCoinAmount) {
    SetAnimation(9, 11, 4, 0.3f, 1);
  } else {
    SetAnimation(0, 8, 4, 1.0f, 1);
  }
  cSprite::Update(dt);
  life -= dt;
  // Blinks, switching every hundredth of a second of its remaining life.
  if (life < kBlinkTime) colour.a = static_cast<float>(static_cast<int>(life * 100.0f) & 1);

  const cCreature* dragon = g_game.GetDragon();
  const Vec2 toDragon = dragon ? dragon->position - position : Vec2{};
  if (dragon && toDragon.LengthSq() <= kDrawInRangeSq) {
    velocity = Normalize(toDragon) * (0.5f * kDrawInSpeed) + velocity * 0.5f;
  } else {
    velocity = {};
  }
  position += velocity * dt;
}

int cGold::Hit(cGame* game, cCreature* creature) {
  if (!game || !creature || creature->GetType() != kTypeDragon) return 0;
  game->gold += static_cast<std::uint32_t>(amount);
  return 1;
}

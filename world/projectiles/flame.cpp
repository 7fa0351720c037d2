#include "world/projectiles/flame.h"

#include "app/game.h"
#include "world/creatures/creature.h"

namespace {
constexpr float kFlameLife = 4.0f;
}  // namespace

void cFlame::Init(float x, float y, float, float) {
  position = {x, y};
  SetTexture(g_game.LoadTexture("./data/art/flame.png"), g_game.gui);
  SetAnimation(0, 1, 2, 0.1f, 1);
  SetCellSize(256, 256);
}

void cFlame::Update(float dt) {
  cSprite::Update(dt);
  life -= dt;
  colour.a = life / kFlameLife;
}

int cFlame::Hit(cGame* game, cCreature* creature) {
  if (!game || !creature) return 0;
  creature->Burn();
  return 1;
}

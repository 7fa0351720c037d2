#include "world/projectiles/projectile.h"

#include "app/game.h"

void cProjectile::Init(float x, float y, float vx, float vy) {
  position = {x, y};
  velocity = {vx, vy};
}

void cProjectile::InitWithStill(float x, float y, float vx, float vy, const char* sheet, int cell) {
  cProjectile::Init(x, y, vx, vy);
  SetTexture(g_game.LoadTexture(sheet), g_game.gui);
  SetCellSize(cell, cell);
  SetAnimation(0, 0, 1, 1.0f, 0);
}

#include "world/projectiles/projectile.h"

void cProjectile::Init(float x, float y, float vx, float vy) {
  position = {x, y};
  velocity = {vx, vy};
}

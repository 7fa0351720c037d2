#include "world/creatures/defender.h"

#include "app/defender_posts.h"

cDefender::cDefender() {
  health = 50.0f;
  grabbable = 0;
}

cDefender::~cDefender() { SetDefenderPostOccupied(post, false); }

void cDefender::Update(float dt) {
  cCreature::Update(dt);
  FadeTint(dt);
}

#include "world/creatures/hero.h"

namespace {

constexpr int kCell = 256;
constexpr int kColumns = 4;
constexpr int kStandingCell = 0;  // the first cell of the walk

}  // namespace

cHero::cHero() {
  health = 400.0f;
  grabbable = 0;
}

void cHero::Update(float dt) {
  cCreature::Update(dt);
  FadeTint(dt);
  SetCellSize(kCell, kCell);
  SetAnimation(kStandingCell, kStandingCell, kColumns, 1.0f, 0);
  StandOnGround();
}

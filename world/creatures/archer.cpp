#include "world/creatures/archer.h"

namespace {

constexpr int kCell = 64;
constexpr int kColumns = 4;
constexpr int kStandingCell = 0;  // the first cell of the walk

}  // namespace

cArcher::cArcher() { health = 25.0f; }

void cArcher::Update(float dt) {
  cCreature::Update(dt);
  SetCellSize(kCell, kCell);
  SetAnimation(kStandingCell, kStandingCell, kColumns, 1.0f, 1);
  StandOnGround();
}

#include "world/creatures/wizard.h"

namespace {

constexpr int kCell = 64;
constexpr int kColumns = 4;
constexpr int kStandingCell = 0;

}  // namespace

cWizard::cWizard() { health = 15.0f; }

void cWizard::Update(float dt) {
  cCreature::Update(dt);
  SetCellSize(kCell, kCell);
  SetAnimation(kStandingCell, kStandingCell, kColumns, 1.0f, 0);
  StandOnGround();
}

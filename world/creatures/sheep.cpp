#include "world/creatures/sheep.h"

namespace {

constexpr int kCellW = 64;
constexpr int kCellH = 128;
constexpr int kColumns = 2;
constexpr int kStandingCell = 0;

}  // namespace

void cSheep::Update(float dt) {
  cCreature::Update(dt);
  SetCellSize(kCellW, kCellH);
  SetAnimation(kStandingCell, kStandingCell, kColumns, 1.0f, 1);
}

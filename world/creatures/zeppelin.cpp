#include "world/creatures/zeppelin.h"

#include "app/game.h"

namespace {

constexpr int kCellW = 256;
constexpr int kFlyingCellH = 320;
constexpr int kColumns = 4;
constexpr int kHoveringCell = 3;
const Vec2 kSmokeOffset{0.0f, -50.0f};

}  // namespace

cZeppelin::cZeppelin() {
  health = 100.0f;
  grabbable = 0;
  smoke.SetGame(&g_game);
  smoke.rate = 80.0f;
  smoke.startScale = 0.3f;
  smoke.endScale = 0.9f;
  smoke.drift = Vec2{};
}

void cZeppelin::Update(float dt) {
  cCreature::Update(dt);
  smoke.SetActive(0);
  smoke.position = position + kSmokeOffset;
  FadeTint(dt);
  SetCellSize(kCellW, kFlyingCellH);
  flipX = 0;
  SetAnimation(kHoveringCell, kHoveringCell, kColumns, 1.0f, 1);
  smoke.Tick(dt);
}

void cZeppelin::Render(cGUI* gui, float camX, float camY) {
  smoke.Render(gui, camX, camY);
  cCreature::Render(gui, camX, camY);
}

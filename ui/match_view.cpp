// The in-game render: the world in its layers seen through the shaking camera, the
// projectiles in a batch of their own, then the HUD.

#include <algorithm>
#include <cstdlib>

#include "app/game.h"
#include "ui/gui.h"
#include "ui/hud.h"
#include "ui/scenery.h"
#include "world/creatures/creature.h"
#include "world/projectiles/projectile.h"

namespace {

constexpr std::uint32_t kHeroDarkening = 0xa0000000;

bool HeroOnTheField(const cGame& game) {
  return std::any_of(game.creatures.begin(), game.creatures.end(), [](const auto& creature) {
    return creature && creature->GetType() == kTypeHero;
  });
}

// While a hero is on the field everything behind the front creatures is darkened. The band
// is a line, which reaches the screen at once, so the images queued so far go first.
void DarkenBehindTheFront(cGUI& gui) {
  gui.FlushImages();
  const float w = static_cast<float>(gui.GetDialog()->GetWidth());
  const float h = static_cast<float>(gui.GetDialog()->GetHeight());
  gui.DrawLine({0.0f, 0.5f * h}, {w, 0.5f * h}, kHeroDarkening, h);
}

}  // namespace

void cGame::RenderMatch(DXUTDevice*, float elapsed) {
  if (!gui) return;
  const float yJitter = static_cast<float>(std::rand() & 1) * shake;
  const float xJitter = static_cast<float>(std::rand() & 1) * shake;
  const Vec2 view = DrawnCamera() + Vec2{xJitter, yJitter};

  if (SUCCEEDED(gui->BeginImages())) {
    RenderBackground(*this, gui, view);
    RenderCreatureLayer(*this, gui, view, CreatureLayer::kBack);
    RenderGroundTiles(*this, gui, view);
    if (HeroOnTheField(*this)) DarkenBehindTheFront(*gui);
    RenderCreatureLayer(*this, gui, view, CreatureLayer::kFront);
    RenderClouds(*this, gui, view);
    gui->EndImages();
  }

  if (SUCCEEDED(gui->BeginImages())) {
    for (const auto& projectile : projectiles) {
      if (!projectile) continue;
      const Vec2 spriteCamera = CameraFor(*projectile, view);
      projectile->Render(gui, spriteCamera.x, spriteCamera.y);
    }
    gui->EndImages();
  }

  RenderHud(*this, elapsed);
}

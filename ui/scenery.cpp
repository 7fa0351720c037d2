#include "ui/scenery.h"

#include "app/game.h"
#include "ui/gui.h"
#include "world/creatures/creature.h"

namespace {

// Scenery is drawn at the same size every frame: stretched once, drawn as it is.
template <std::size_t N>
void RenderAll(cScreenElement (&elements)[N], cGUI* gui, Vec2 camera) {
  if (gui == nullptr) return;
  gui->SetKeepStretched(true);
  for (cScreenElement& element : elements) element.Render(gui, camera.x, camera.y);
  gui->SetKeepStretched(false);
}

}  // namespace

void RenderBackground(cGame& game, cGUI* gui, Vec2 view) {
  game.sky.Render(gui, 0.0f, 0.0f);
  RenderAll(game.parallaxLayers, gui, Vec2{kParallaxFactor * view.x, view.y});
}

void RenderCreatureLayer(cGame& game, cGUI* gui, Vec2 view, CreatureLayer layer) {
  const int wanted = layer == CreatureLayer::kBack ? 1 : 0;
  for (const auto& creature : game.creatures) {
    if (creature && (creature->backLayer != 0 ? 1 : 0) == wanted) {
      const Vec2 camera = game.CameraFor(*creature, view);
      creature->Render(gui, camera.x, camera.y);
    }
  }
}

void RenderGroundTiles(cGame& game, cGUI* gui, Vec2 view) { RenderAll(game.mapTiles, gui, view); }

void RenderClouds(cGame& game, cGUI* gui, Vec2 view) { RenderAll(game.clouds, gui, view); }

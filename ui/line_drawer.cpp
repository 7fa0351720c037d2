#include "ui/line_drawer.h"

bool cLineDrawer::Draw(Vec2 a, Vec2 b, SDL_Color colour, float width) {
  const Vec2 along = Normalize(b - a);
  if (along == Vec2{} || !(width > 0.0f)) return true;
  const Vec2 side = Vec2{-along.y, along.x} * (width * 0.5f);
  const Vec2 corners[4] = {a + side, b + side, b - side, a - side};
  SDL_Vertex band[4];
  for (int i = 0; i < 4; ++i)
    band[i] = SDL_Vertex{SDL_FPoint{corners[i].x, corners[i].y}, colour, SDL_FPoint{}};
  static constexpr int kIndices[6] = {0, 1, 2, 0, 2, 3};
  return SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND) == 0 &&
         SDL_RenderGeometry(renderer, nullptr, band, 4, kIndices, 6) == 0;
}

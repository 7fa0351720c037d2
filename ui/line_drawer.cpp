#include "ui/line_drawer.h"

#include <algorithm>
#include <cmath>

#include "ui/visible_area.h"

bool cLineDrawer::Draw(Vec2 a, Vec2 b, SDL_Color colour, float width) {
  const Vec2 along = Normalize(b - a);
  if (along == Vec2{} || !(width > 0.0f)) return true;
  const float half = width * 0.5f;
  // The band lies within half its width of the segment's bounds.
  if (culling &&
      !cVisibleArea::Of(renderer).Reaches(std::min(a.x, b.x) - half, std::min(a.y, b.y) - half,
                                          std::max(a.x, b.x) + half, std::max(a.y, b.y) + half)) {
    return true;
  }
  if (SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND) != 0) return false;
  // Bars and tints run level or upright: a filled rectangle, which renderers fill fastest.
  if (a.y == b.y || a.x == b.x) {
    const float left = std::min(a.x, b.x) - (a.x == b.x ? half : 0.0f);
    const float top = std::min(a.y, b.y) - (a.y == b.y ? half : 0.0f);
    const SDL_FRect band{left, top, a.x == b.x ? width : std::abs(b.x - a.x),
                         a.y == b.y ? width : std::abs(b.y - a.y)};
    return SDL_SetRenderDrawColor(renderer, colour.r, colour.g, colour.b, colour.a) == 0 &&
           SDL_RenderFillRectF(renderer, &band) == 0;
  }
  const Vec2 side = Vec2{-along.y, along.x} * half;
  const Vec2 corners[4] = {a + side, b + side, b - side, a - side};
  SDL_Vertex band[4];
  for (int i = 0; i < 4; ++i)
    band[i] = SDL_Vertex{SDL_FPoint{corners[i].x, corners[i].y}, colour, SDL_FPoint{}};
  static constexpr int kIndices[6] = {0, 1, 2, 0, 2, 3};
  return SDL_RenderGeometry(renderer, nullptr, band, 4, kIndices, 6) == 0;
}

#pragma once
// Lines as filled bands: a segment drawn `width` wide, centred on it, blended at once.

#include <SDL.h>

#include "world/vec2.h"

class cLineDrawer {
 public:
  explicit cLineDrawer(SDL_Renderer* lineRenderer) : renderer(lineRenderer) {}

  // Fills the rectangle around a -> b that reaches width / 2 to either side, with square
  // ends at a and b. Draws nothing and succeeds for a zero-length segment or a width of zero
  // or less; false when the renderer failed.
  // Bands that miss the target are dropped before any SDL call, unless culling is off (to
  // compare pictures).
  bool Draw(Vec2 a, Vec2 b, SDL_Color colour, float width);
  void SetCulling(bool on) { culling = on; }

 private:
  SDL_Renderer* renderer = nullptr;
  bool culling = true;
};

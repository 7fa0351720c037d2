#pragma once
// The part of the render target that drawing can reach, and whether a box reaches it. Images
// and bands that miss it are dropped before any SDL call: SDL's software renderer would still
// scale and turn them, only to clip every pixel away.

#include <SDL.h>

class cVisibleArea {
 public:
  // The renderer's viewport on its current target (what draws are clipped to).
  static cVisibleArea Of(SDL_Renderer* renderer) {
    SDL_Rect viewport{};
    SDL_RenderGetViewport(renderer, &viewport);
    return cVisibleArea(static_cast<float>(viewport.w), static_cast<float>(viewport.h));
  }

  cVisibleArea(float areaWidth, float areaHeight) : width(areaWidth), height(areaHeight) {}

  // Whether the box [left, right] x [top, bottom] comes within kMargin pixels of the area:
  // the margin covers every renderer's rounding of edges and the software renderer's turned
  // images, whose bounds it rounds outwards.
  bool Reaches(float left, float top, float right, float bottom) const {
    return right > -kMargin && bottom > -kMargin && left < width + kMargin &&
           top < height + kMargin;
  }

 private:
  static constexpr float kMargin = 2.0f;

  float width = 0.0f;
  float height = 0.0f;
};

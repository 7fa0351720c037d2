#pragma once
// Pixels read back in tests: what a renderer drew, read once into a screenshot with the
// questions the tests ask of it (a pixel, how many are lit, where the lit ones lie), and a
// picture file read into RGBA pixels with its own (how opaque a pixel is, whether a rectangle
// holds a drawing or keeps clear).

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "world/creatures/screen_element.h"

// The area of a renderer's current target (all of it unless given) as ARGB8888, read back
// once. Pixels are addressed in the target's coordinates.
class Screenshot {
 public:
  explicit Screenshot(SDL_Renderer* renderer, SDL_Rect area = {}) : area_(area) {
    if (area_.w == 0) SDL_GetRendererOutputSize(renderer, &area_.w, &area_.h);
    pixels_.resize(static_cast<std::size_t>(area_.w) * area_.h);
    SDL_RenderFlush(renderer);
    SDL_RenderReadPixels(renderer, &area_, SDL_PIXELFORMAT_ARGB8888, pixels_.data(), area_.w * 4);
  }

  std::uint32_t At(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y - area_.y) * area_.w + (x - area_.x)];
  }
  const std::vector<std::uint32_t>& Pixels() const { return pixels_; }
  // A pixel is lit when one of its colour channels is brighter than `above`.
  static bool Lit(std::uint32_t argb, int above = 0) {
    return std::max({argb >> 16 & 0xffu, argb >> 8 & 0xffu, argb & 0xffu}) >
           static_cast<unsigned>(above);
  }
  int CountLit(int above = 0) const {
    return static_cast<int>(std::count_if(pixels_.begin(), pixels_.end(),
                                          [above](std::uint32_t p) { return Lit(p, above); }));
  }
  // The bounding box of the lit pixels; empty when none is.
  Rect LitBounds() const {
    Rect bounds{area_.x + area_.w, area_.y + area_.h, area_.x, area_.y};
    for (int y = area_.y; y < area_.y + area_.h; ++y) {
      for (int x = area_.x; x < area_.x + area_.w; ++x) {
        if (!Lit(At(x, y))) continue;
        bounds = Rect{std::min(bounds.left, x), std::min(bounds.top, y),
                      std::max(bounds.right, x + 1), std::max(bounds.bottom, y + 1)};
      }
    }
    return bounds.Width() > 0 ? bounds : Rect{};
  }

 private:
  SDL_Rect area_;
  std::vector<std::uint32_t> pixels_;
};

// The pixel at (x, y) of the renderer's current target, as ARGB8888.
inline std::uint32_t ReadPixel(SDL_Renderer* renderer, int x, int y) {
  return Screenshot(renderer, {x, y, 1, 1}).At(x, y);
}

struct PixelRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

class Picture {
 public:
  // Alpha from which a pixel counts as drawn rather than an edge's soft fringe.
  static constexpr std::uint8_t kOpaque = 128;

  explicit Picture(const std::string& path) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded == nullptr) return;
    surface_.reset(SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0));
    SDL_FreeSurface(loaded);
  }

  bool loaded() const { return surface_ != nullptr; }
  int width() const { return surface_ ? surface_->w : 0; }
  int height() const { return surface_ ? surface_->h : 0; }

  // Channel 0 red, 1 green, 2 blue, 3 alpha.
  std::uint8_t channel(int x, int y, int c) const {
    const auto* row = static_cast<const std::uint8_t*>(surface_->pixels) + y * surface_->pitch;
    return row[x * 4 + c];
  }
  std::uint8_t alpha(int x, int y) const { return channel(x, y, 3); }
  bool opaque(int x, int y) const { return alpha(x, y) >= kOpaque; }

  int opaqueCount(PixelRect r) const {
    return Count(r, [&](int x, int y) { return opaque(x, y); });
  }
  // True when every pixel of r is fully transparent.
  bool clear(PixelRect r) const {
    return Count(r, [&](int x, int y) { return alpha(x, y) != 0; }) == 0;
  }

 private:
  template <class Counts>
  int Count(PixelRect r, Counts counts) const {
    int count = 0;
    for (int y = r.y; y < r.y + r.h; ++y) {
      for (int x = r.x; x < r.x + r.w; ++x) count += counts(x, y) ? 1 : 0;
    }
    return count;
  }

  std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> surface_{nullptr, SDL_FreeSurface};
};

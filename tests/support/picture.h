#pragma once
// Pixels read back in tests: one pixel of what a renderer drew, and a picture file read into
// RGBA pixels with the questions the tests ask of it (how opaque a pixel is, where the first
// opaque pixel of a column lies, whether a rectangle holds a drawing or keeps clear).

#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>
#include <memory>
#include <string>

// The pixel at (x, y) of the renderer's current target, as ARGB8888.
inline std::uint32_t ReadPixel(SDL_Renderer* renderer, int x, int y) {
  std::uint32_t pixel = 0;
  const SDL_Rect one{x, y, 1, 1};
  SDL_RenderReadPixels(renderer, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, sizeof(pixel));
  return pixel;
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

  // Row of the first drawn pixel of column x at or below row `from`, or -1.
  int firstOpaqueRow(int x, int from = 0) const {
    for (int y = from; y < height(); ++y) {
      if (opaque(x, y)) return y;
    }
    return -1;
  }

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

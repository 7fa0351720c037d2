#include "ui/picture_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include <SDL.h>

namespace {

// One source pixel's share in a new pixel.
struct Tap {
  int index = 0;
  float weight = 0.0f;
};

// For each of the `fittedLength` new pixels along one axis, the source pixels it covers and
// the fraction of it each covers.
std::vector<std::vector<Tap>> AxisTaps(int sourceLength, int fittedLength) {
  const double step = static_cast<double>(sourceLength) / fittedLength;
  std::vector<std::vector<Tap>> taps(fittedLength);
  for (int fitted = 0; fitted < fittedLength; ++fitted) {
    const double from = fitted * step;
    const double to = std::min<double>(sourceLength, from + step);
    for (int source = static_cast<int>(from); source < sourceLength && source < to; ++source) {
      const double covered = std::min<double>(to, source + 1) - std::max<double>(from, source);
      if (covered > 0.0)
        taps[fitted].push_back({source, static_cast<float>(covered / (to - from))});
    }
  }
  return taps;
}

// One row of pixels as premultiplied blue, green, red, alpha.
void Premultiply(const std::uint32_t* row, int width, float* premultiplied) {
  for (int x = 0; x < width; ++x) {
    const std::uint32_t pixel = row[x];
    const float alpha = static_cast<float>(pixel >> 24) * (1.0f / 255.0f);
    *premultiplied++ = static_cast<float>(pixel & 0xff) * alpha;
    *premultiplied++ = static_cast<float>((pixel >> 8) & 0xff) * alpha;
    *premultiplied++ = static_cast<float>((pixel >> 16) & 0xff) * alpha;
    *premultiplied++ = alpha * 255.0f;
  }
}

std::uint32_t Channel(float premultiplied, float alpha) {
  return static_cast<std::uint32_t>(std::clamp(premultiplied / alpha + 0.5f, 0.0f, 255.0f));
}

// A premultiplied row of the source's width fitted to the new width, back to ARGB.
void FitRow(const float* row, const std::vector<std::vector<Tap>>& columns, std::uint32_t* out) {
  for (const std::vector<Tap>& column : columns) {
    float b = 0.0f, g = 0.0f, r = 0.0f, a = 0.0f;
    for (const Tap& tap : column) {
      const float* p = row + static_cast<std::size_t>(tap.index) * 4;
      b += p[0] * tap.weight;
      g += p[1] * tap.weight;
      r += p[2] * tap.weight;
      a += p[3] * tap.weight;
    }
    // Alpha runs 0..255 here, so a colour is its premultiplied sum x 255 / alpha.
    *out++ = a <= 0.0f ? 0u
                       : Channel(a, 1.0f) << 24 | Channel(r * 255.0f, a) << 16 |
                             Channel(g * 255.0f, a) << 8 | Channel(b * 255.0f, a);
  }
}

}  // namespace

SDL_Surface* FitPicture(SDL_Surface* picture, int width, int height) {
  if (picture == nullptr || width <= 0 || height <= 0 || picture->w <= 0 || picture->h <= 0) {
    return nullptr;
  }
  SDL_Surface* source = SDL_ConvertSurfaceFormat(picture, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_Surface* fitted =
      SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (source == nullptr || fitted == nullptr) {
    SDL_FreeSurface(source);
    SDL_FreeSurface(fitted);
    return nullptr;
  }
  const std::vector<std::vector<Tap>> columns = AxisTaps(source->w, width);
  const std::vector<std::vector<Tap>> rows = AxisTaps(source->h, height);
  // Rows are summed at the source's width first, then each sum is fitted to the new width
  // once; a source row shared by two new rows is premultiplied only once.
  const std::size_t rowFloats = static_cast<std::size_t>(source->w) * 4;
  std::vector<float> premultiplied(rowFloats);
  std::vector<float> sum(rowFloats);
  int premultipliedRow = -1;
  for (int y = 0; y < height; ++y) {
    std::fill(sum.begin(), sum.end(), 0.0f);
    for (const Tap& row : rows[y]) {
      if (row.index != premultipliedRow) {
        Premultiply(reinterpret_cast<const std::uint32_t*>(
                        static_cast<const std::uint8_t*>(source->pixels) +
                        static_cast<std::ptrdiff_t>(row.index) * source->pitch),
                    source->w, premultiplied.data());
        premultipliedRow = row.index;
      }
      for (std::size_t i = 0; i < rowFloats; ++i) sum[i] += premultiplied[i] * row.weight;
    }
    FitRow(sum.data(), columns,
           reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(fitted->pixels) +
                                            static_cast<std::ptrdiff_t>(y) * fitted->pitch));
  }
  SDL_FreeSurface(source);
  return fitted;
}

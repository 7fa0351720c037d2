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

// One source row fitted to the new width, premultiplied: blue, green, red, alpha per pixel.
void FitRow(const std::uint32_t* row, const std::vector<std::vector<Tap>>& columns, float* fitted) {
  for (const std::vector<Tap>& column : columns) {
    float b = 0.0f, g = 0.0f, r = 0.0f, a = 0.0f;
    for (const Tap& tap : column) {
      const std::uint32_t pixel = row[tap.index];
      const float alpha = static_cast<float>(pixel >> 24) * tap.weight;
      b += static_cast<float>(pixel & 0xff) * alpha;
      g += static_cast<float>((pixel >> 8) & 0xff) * alpha;
      r += static_cast<float>((pixel >> 16) & 0xff) * alpha;
      a += alpha;
    }
    *fitted++ = b;
    *fitted++ = g;
    *fitted++ = r;
    *fitted++ = a;
  }
}

std::uint32_t Channel(float premultiplied, float alpha) {
  return static_cast<std::uint32_t>(std::clamp(premultiplied / alpha + 0.5f, 0.0f, 255.0f));
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
  std::vector<float> fittedRow(static_cast<std::size_t>(width) * 4);
  std::vector<float> sum(fittedRow.size());
  for (int y = 0; y < height; ++y) {
    std::fill(sum.begin(), sum.end(), 0.0f);
    for (const Tap& row : rows[y]) {
      const auto* pixels = reinterpret_cast<const std::uint32_t*>(
          static_cast<const std::uint8_t*>(source->pixels) +
          static_cast<std::ptrdiff_t>(row.index) * source->pitch);
      FitRow(pixels, columns, fittedRow.data());
      for (std::size_t i = 0; i < sum.size(); ++i) sum[i] += fittedRow[i] * row.weight;
    }
    auto* out = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(fitted->pixels) +
                                                 static_cast<std::ptrdiff_t>(y) * fitted->pitch);
    for (int x = 0; x < width; ++x) {
      const float* p = &sum[static_cast<std::size_t>(x) * 4];
      const float alpha = p[3];
      out[x] = alpha <= 0.0f ? 0u
                             : Channel(alpha, 1.0f) << 24 | Channel(p[2], alpha) << 16 |
                                   Channel(p[1], alpha) << 8 | Channel(p[0], alpha);
    }
  }
  SDL_FreeSurface(source);
  return fitted;
}

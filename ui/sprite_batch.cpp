#include "ui/sprite_batch.h"

#include <cmath>
#include <numbers>

#include "ui/visible_area.h"

namespace {

constexpr std::size_t kReservedCopies = 4096;
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

bool SameColour(SDL_Color a, SDL_Color b) {
  return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

bool Opaque(SDL_Texture* texture) {
  Uint32 format = 0;
  return SDL_QueryTexture(texture, &format, nullptr, nullptr, nullptr) == 0 &&
         !SDL_ISPIXELFORMAT_ALPHA(format);
}

bool WholePixels(float size) { return size >= 1.0f && size == std::floor(size); }

}  // namespace

cSpriteBatch::cSpriteBatch(SDL_Renderer* batchRenderer)
    : renderer(batchRenderer), stretched(batchRenderer) {
  copies.reserve(kReservedCopies);
}

HRESULT cSpriteBatch::Begin() {
  if (open) return E_FAIL;
  if (SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND) != 0) return E_FAIL;
  open = true;
  return S_OK;
}

HRESULT cSpriteBatch::End() {
  if (!open) return E_FAIL;
  const HRESULT hr = Flush();
  open = false;
  return hr;
}

void cSpriteBatch::Tint(const Copy& copy) const {
  SDL_SetTextureColorMod(copy.texture, copy.colour.r, copy.colour.g, copy.colour.b);
  SDL_SetTextureAlphaMod(copy.texture, copy.colour.a);
  // Blending an opaque texel over the target leaves the texel: the copy says so for much less.
  const bool replace = shortcuts && copy.colour.a == 255 && Opaque(copy.texture);
  SDL_SetTextureBlendMode(copy.texture, replace ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
}

HRESULT cSpriteBatch::Flush() {
  if (!open) return E_FAIL;
  HRESULT hr = S_OK;
  const Copy* tinted = nullptr;  // the last copy whose tint was set on its texture
  for (const Copy& copy : copies) {
    if (tinted == nullptr || tinted->texture != copy.texture ||
        !SameColour(tinted->colour, copy.colour)) {
      Tint(copy);
      tinted = &copy;
    }
    const int result = (copy.degrees == 0.0 && copy.flip == SDL_FLIP_NONE)
                           ? SDL_RenderCopyF(renderer, copy.texture, &copy.source, &copy.dest)
                           : SDL_RenderCopyExF(renderer, copy.texture, &copy.source, &copy.dest,
                                               copy.degrees, nullptr, copy.flip);
    if (result != 0) hr = E_FAIL;
  }
  copies.clear();
  return hr;
}

bool cSpriteBatch::ReachesTarget(const SDL_FRect& dest, double degrees) const {
  double halfWidth = 0.5 * dest.w;
  double halfHeight = 0.5 * dest.h;
  if (degrees != 0.0) {
    const double c = std::fabs(std::cos(degrees * kRadiansPerDegree));
    const double s = std::fabs(std::sin(degrees * kRadiansPerDegree));
    const double turnedWidth = halfWidth * c + halfHeight * s;
    halfHeight = halfWidth * s + halfHeight * c;
    halfWidth = turnedWidth;
  }
  const double centreX = dest.x + 0.5 * dest.w;
  const double centreY = dest.y + 0.5 * dest.h;
  return cVisibleArea::Of(renderer).Reaches(
      static_cast<float>(centreX - halfWidth), static_cast<float>(centreY - halfHeight),
      static_cast<float>(centreX + halfWidth), static_cast<float>(centreY + halfHeight));
}

void cSpriteBatch::Add(SDL_Texture* texture, const SDL_Rect& source, const SDL_FRect& dest,
                       double degrees, SDL_RendererFlip flip, SDL_Color colour) {
  if (!open) return;
  if (shortcuts && !ReachesTarget(dest, degrees)) return;
  Copy copy{texture, source, dest, degrees, flip, colour};
  // The copy is stretched to the target's own pixels, which the renderer's scale maps dest to.
  float scaleX = 1.0f, scaleY = 1.0f;
  SDL_RenderGetScale(renderer, &scaleX, &scaleY);
  const float pixelsWide = dest.w * scaleX;
  const float pixelsHigh = dest.h * scaleY;
  const bool scaled =
      pixelsWide != static_cast<float>(source.w) || pixelsHigh != static_cast<float>(source.h);
  if (shortcuts && keepStretched && stretched.Worthwhile() && scaled && degrees == 0.0 &&
      flip == SDL_FLIP_NONE && WholePixels(pixelsWide) && WholePixels(pixelsHigh)) {
    const int width = static_cast<int>(pixelsWide);
    const int height = static_cast<int>(pixelsHigh);
    if (SDL_Texture* copyTexture = stretched.Get(texture, source, width, height)) {
      copy.texture = copyTexture;
      copy.source = SDL_Rect{0, 0, width, height};
    }
  }
  copies.push_back(copy);
}

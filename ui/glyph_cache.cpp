#include "ui/glyph_cache.h"

#include <algorithm>
#include <utility>

namespace {
constexpr int kPageSize = 512;
constexpr int kCellGap = 1;  // keeps neighbouring cells from bleeding into each other
}  // namespace

cGlyphCache::cGlyphCache(SDL_Renderer* cacheRenderer, TTF_Font* ownedFace)
    : renderer(cacheRenderer), face(ownedFace), lineHeight(TTF_FontHeight(ownedFace)) {}

cGlyphCache::~cGlyphCache() { TTF_CloseFont(face); }

const cGlyphCache::Glyph& cGlyphCache::Find(char32_t codePoint) {
  const auto found = glyphs.find(codePoint);
  if (found != glyphs.end()) return found->second;
  return glyphs.emplace(codePoint, Rasterise(codePoint)).first->second;
}

void cGlyphCache::ReleaseTextures() {
  for (SDL_Texture* page : pages) SDL_DestroyTexture(page);
  pages.clear();
  glyphs.clear();
  shelfX = shelfY = shelfHeight = 0;
}

bool cGlyphCache::TakeFailure() { return std::exchange(failed, false); }

cGlyphCache::Glyph cGlyphCache::Rasterise(char32_t codePoint) {
  Glyph glyph;
  int minX = 0, maxX = 0, minY = 0, maxY = 0;
  if (TTF_GlyphMetrics32(face, codePoint, &minX, &maxX, &minY, &maxY, &glyph.advance) != 0)
    return glyph;
  // A rendered glyph starts at the pen, or at its ink when that reaches left of the pen.
  glyph.offsetX = std::min(minX, 0);
  SDL_Surface* rendered = TTF_RenderGlyph32_Blended(face, codePoint, SDL_Color{255, 255, 255, 255});
  if (rendered == nullptr) return glyph;  // blanks have no pixels to render
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(rendered);
  if (argb == nullptr) {
    failed = true;
    return glyph;
  }
  SDL_Rect cell;
  if (Place(argb->w, argb->h, cell) &&
      SDL_UpdateTexture(pages.back(), &cell, argb->pixels, argb->pitch) == 0) {
    glyph.page = pages.back();
    glyph.texels = cell;
  } else {
    failed = true;
  }
  SDL_FreeSurface(argb);
  return glyph;
}

bool cGlyphCache::Place(int w, int h, SDL_Rect& cell) {
  if (w > kPageSize || h > kPageSize) return false;
  if (!pages.empty() && shelfX + w > kPageSize) {
    shelfX = 0;
    shelfY += shelfHeight + kCellGap;
    shelfHeight = 0;
  }
  if (pages.empty() || shelfY + h > kPageSize) {
    SDL_Texture* page = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                          SDL_TEXTUREACCESS_STATIC, kPageSize, kPageSize);
    if (page == nullptr) return false;
    // A new texture's pixels are undefined: start transparent.
    const std::vector<Uint32> clear(kPageSize * kPageSize, 0);
    SDL_UpdateTexture(page, nullptr, clear.data(), kPageSize * static_cast<int>(sizeof(Uint32)));
    SDL_SetTextureBlendMode(page, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(page, SDL_ScaleModeNearest);
    pages.push_back(page);
    shelfX = shelfY = shelfHeight = 0;
  }
  cell = SDL_Rect{shelfX, shelfY, w, h};
  shelfX += w + kCellGap;
  shelfHeight = std::max(shelfHeight, h);
  return true;
}

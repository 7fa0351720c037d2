#include "ui/sprite_batch.h"

namespace {

constexpr std::size_t kReservedCopies = 4096;

bool SameColour(SDL_Color a, SDL_Color b) {
  return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

}  // namespace

cSpriteBatch::cSpriteBatch(SDL_Renderer* batchRenderer) : renderer(batchRenderer) {
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

HRESULT cSpriteBatch::Flush() {
  if (!open) return E_FAIL;
  HRESULT hr = S_OK;
  const Copy* tinted = nullptr;  // the last copy whose colour was set on its texture
  for (const Copy& copy : copies) {
    if (tinted == nullptr || tinted->texture != copy.texture ||
        !SameColour(tinted->colour, copy.colour)) {
      SDL_SetTextureColorMod(copy.texture, copy.colour.r, copy.colour.g, copy.colour.b);
      SDL_SetTextureAlphaMod(copy.texture, copy.colour.a);
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

void cSpriteBatch::Add(SDL_Texture* texture, const SDL_Rect& source, const SDL_FRect& dest,
                       double degrees, SDL_RendererFlip flip, SDL_Color colour) {
  if (open) copies.push_back(Copy{texture, source, dest, degrees, flip, colour});
}

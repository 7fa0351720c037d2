#include "ui/stretched_copies.h"

#include <algorithm>

#include "platform/dxut.h"

namespace {

bool SameRect(const SDL_Rect& a, const SDL_Rect& b) {
  return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

// The texture's own drawing state, put aside while it is stretched into a copy.
struct TextureState {
  explicit TextureState(SDL_Texture* saved) : texture(saved) {
    SDL_GetTextureBlendMode(texture, &blend);
    SDL_GetTextureColorMod(texture, &r, &g, &b);
    SDL_GetTextureAlphaMod(texture, &a);
  }
  ~TextureState() {
    SDL_SetTextureBlendMode(texture, blend);
    SDL_SetTextureColorMod(texture, r, g, b);
    SDL_SetTextureAlphaMod(texture, a);
  }
  TextureState(const TextureState&) = delete;
  TextureState& operator=(const TextureState&) = delete;

  SDL_Texture* texture;
  SDL_BlendMode blend = SDL_BLENDMODE_BLEND;
  Uint8 r = 255, g = 255, b = 255, a = 255;
};

}  // namespace

cStretchedCopies::cStretchedCopies(SDL_Renderer* copyRenderer) : renderer(copyRenderer) {
  SDL_RendererInfo info{};
  worthwhile =
      SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
}

cStretchedCopies::~cStretchedCopies() {
  for (Copy& copy : copies) SDL_DestroyTexture(copy.stretched);
}

SDL_Texture* cStretchedCopies::Get(SDL_Texture* texture, const SDL_Rect& source, int width,
                                   int height) {
  const double now = DXUTGetTime();
  for (Copy& copy : copies) {
    if (copy.original == texture && copy.width == width && copy.height == height &&
        SameRect(copy.source, source)) {
      copy.lastUsed = now;
      return copy.stretched;
    }
  }
  SDL_Texture* stretched = Make(texture, source, width, height);
  // A copy that could not be made is remembered too, so it is not tried on every draw.
  copies.push_back(Copy{texture, source, width, height, stretched, now});
  return stretched;
}

void cStretchedCopies::ReleaseIdle() {
  const double now = DXUTGetTime();
  std::erase_if(copies, [now](const Copy& copy) {
    if (now - copy.lastUsed < kIdleSeconds) return false;
    if (copy.stretched != nullptr) SDL_DestroyTexture(copy.stretched);
    return true;
  });
}

SDL_Texture* cStretchedCopies::Make(SDL_Texture* texture, const SDL_Rect& source, int width,
                                    int height) {
  Uint32 format = 0;
  if (SDL_QueryTexture(texture, &format, nullptr, nullptr, nullptr) != 0) return nullptr;
  // The copy keeps the original's format, so an opaque picture stays one.
  SDL_Texture* stretched =
      SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_TARGET, width, height);
  if (stretched == nullptr) return nullptr;
  SDL_Texture* target = SDL_GetRenderTarget(renderer);
  float scaleX = 1.0f, scaleY = 1.0f;  // SDL forgets the target's scale when it changes
  SDL_RenderGetScale(renderer, &scaleX, &scaleY);
  bool made = false;
  {
    // Stretched as the renderer stretches it when drawing: texels replaced, not blended.
    const TextureState kept(texture);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureColorMod(texture, 255, 255, 255);
    SDL_SetTextureAlphaMod(texture, 255);
    made = SDL_SetRenderTarget(renderer, stretched) == 0 &&
           SDL_RenderCopy(renderer, texture, &source, nullptr) == 0;
    SDL_SetRenderTarget(renderer, target);
    SDL_RenderSetScale(renderer, scaleX, scaleY);
    SDL_SetTextureBlendMode(stretched, kept.blend);
  }
  if (!made) {
    SDL_DestroyTexture(stretched);
    return nullptr;
  }
  return stretched;
}

#include "platform/present.h"

#include "platform/letterbox.h"
#include "platform/sdl_device.h"

namespace {

// SDL's software renderer draws straight into the window's surface, which nothing else
// touches between presents.
bool KeepsWindowPixels(SDL_Renderer* renderer) {
  SDL_RendererInfo info{};
  return SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
}

}  // namespace

HRESULT SelectBackBuffer(DXUTDevice* device) {
  if (device == nullptr || device->renderer == nullptr || device->backBuffer == nullptr) {
    return E_FAIL;
  }
  if (SDL_SetRenderTarget(device->renderer, device->backBuffer) != 0) return E_FAIL;
  return SDL_RenderSetScale(device->renderer, device->scale, device->scale) == 0 ? S_OK : E_FAIL;
}

HRESULT PresentBackBuffer(DXUTDevice* device) {
  if (device == nullptr || device->renderer == nullptr || device->backBuffer == nullptr) {
    return E_FAIL;
  }
  SDL_Renderer* renderer = device->renderer;
  SDL_SetRenderTarget(renderer, nullptr);
  int outputWidth = 0;
  int outputHeight = 0;
  SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight);
  const ScreenRect area = LetterboxRect(outputWidth, outputHeight);
  // Only the bars beside the picture need clearing (what a present leaves there is undefined);
  // the picture covers the rest.
  const SDL_Rect bars[2] = {
      {0, 0, area.x > 0 ? area.x : outputWidth, area.x > 0 ? outputHeight : area.y},
      {area.x > 0 ? area.x + area.w : 0, area.x > 0 ? 0 : area.y + area.h,
       area.x > 0 ? outputWidth - area.x - area.w : outputWidth,
       area.x > 0 ? outputHeight : outputHeight - area.y - area.h}};
  const bool barsKept =
      device->barsClearedWidth == outputWidth && device->barsClearedHeight == outputHeight;
  if ((area.w != outputWidth || area.h != outputHeight) && !barsKept) {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_RenderFillRects(renderer, bars, 2);
    if (KeepsWindowPixels(renderer)) {
      device->barsClearedWidth = outputWidth;
      device->barsClearedHeight = outputHeight;
    }
  }
  const SDL_Rect destination{area.x, area.y, area.w, area.h};
  SDL_RenderCopy(renderer, device->backBuffer, nullptr, &destination);
  SDL_RenderPresent(renderer);
  return SelectBackBuffer(device);
}

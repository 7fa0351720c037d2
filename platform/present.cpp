#include "platform/present.h"

#include "platform/letterbox.h"
#include "platform/sdl_device.h"

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
  // Only the bars beside the picture need clearing; the picture covers the rest.
  if (area.w != outputWidth || area.h != outputHeight) {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
  }
  const SDL_Rect destination{area.x, area.y, area.w, area.h};
  SDL_RenderCopy(renderer, device->backBuffer, nullptr, &destination);
  SDL_RenderPresent(renderer);
  return SelectBackBuffer(device);
}

#include "ui/frame.h"

#include "platform/sdl_device.h"
#include "platform/present.h"

HRESULT ClearBackBuffer(DXUTDevice* device) {
  if (device == nullptr || device->renderer == nullptr) return E_FAIL;
  if (SDL_SetRenderDrawColor(device->renderer, 0, 0, 0, 0) != 0) return E_FAIL;
  return SDL_RenderClear(device->renderer) == 0 ? S_OK : E_FAIL;
}

HRESULT PresentBackBufferNow(DXUTDevice* device) { return PresentBackBuffer(device); }

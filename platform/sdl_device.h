#pragma once
// The rendering device behind DXUTDevice. Only platform/ and ui/ include this.

#include <SDL.h>

// The platform renders every frame into backBuffer, an 800x600 render-target
// texture that is the renderer's current target while the frame-render
// callback runs; at present it is copied, scaled and letterboxed, to the
// window. Drawing code draws with renderer into whatever target is current.
struct DXUTDevice {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* backBuffer = nullptr;
};

#pragma once
// The rendering device behind DXUTDevice. Only platform/ and ui/ include this.

#include <SDL.h>

// The platform renders every frame into backBuffer, a render-target texture of
// pixelWidth x pixelHeight pixels (the 4:3 picture at the size it is shown, or smaller
// where the renderer draws every pixel on the processor, see BackBufferSize), which is the
// renderer's current target while the frame-render callback runs, scaled by `scale` so that
// every draw keeps its 800x600 coordinates. At present it is copied, letterboxed, to the
// window. Drawing code draws with renderer into whatever target is current.
struct DXUTDevice {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* backBuffer = nullptr;
  int pixelWidth = 800;
  int pixelHeight = 600;
  float scale = 1.0f;  // back-buffer pixels per 800x600 unit
  // The output size whose letterbox bars were last cleared, on a renderer that keeps the
  // window's pixels from one present to the next (SDL's software renderer): they stay black.
  int barsClearedWidth = 0;
  int barsClearedHeight = 0;
};

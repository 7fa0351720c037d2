#pragma once
// The image batch: textured rectangles queued between Begin and End and copied to the
// renderer in queue order when the batch is flushed. Each is a texture copy (turned and
// mirrored where asked), which every SDL renderer draws fastest: the software renderer blits
// unturned copies directly. The queue keeps its storage from frame to frame, so drawing
// allocates nothing once warm.

#include <vector>

#include <SDL.h>

#include "platform/status.h"

class cSpriteBatch {
 public:
  explicit cSpriteBatch(SDL_Renderer* renderer);

  // Opens the batch and turns alpha blending on. E_FAIL when already open or when the
  // renderer refuses the blend mode.
  HRESULT Begin();
  // Flushes and closes. E_FAIL when not open or when drawing failed (the batch closes anyway).
  HRESULT End();
  // Copies the queued rectangles to the renderer in queue order and empties the queue. E_FAIL
  // when not open or when a copy failed (the queue is emptied anyway).
  HRESULT Flush();
  bool IsOpen() const { return open; }

  // Queues the `source` texels of `texture` stretched over `dest`, mirrored by `flip` inside
  // it, then turned `degrees` clockwise about dest's centre, texels multiplied by `colour`.
  // Only while open.
  void Add(SDL_Texture* texture, const SDL_Rect& source, const SDL_FRect& dest, double degrees,
           SDL_RendererFlip flip, SDL_Color colour);

 private:
  struct Copy {
    SDL_Texture* texture = nullptr;
    SDL_Rect source{};
    SDL_FRect dest{};
    double degrees = 0.0;
    SDL_RendererFlip flip = SDL_FLIP_NONE;
    SDL_Color colour{};
  };

  SDL_Renderer* renderer = nullptr;
  bool open = false;
  std::vector<Copy> copies;
};

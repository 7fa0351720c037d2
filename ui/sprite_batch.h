#pragma once
// The image batch: textured quads queued between Begin and End and sent to the renderer in as
// few geometry calls as the texture changes allow (one per run of quads sharing a texture).
// The queue keeps its storage from frame to frame, so drawing allocates nothing once warm.

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
  // Sends the queued quads to the renderer in queue order and empties the queue. E_FAIL when
  // not open or when a geometry call failed (the queue is emptied anyway).
  HRESULT Flush();
  bool IsOpen() const { return open; }

  // Queues a quad: corners[0..3] are the screen positions of the texture points (u0, v0),
  // (u1, v0), (u1, v1), (u0, v1) (texture coordinates 0..1). Only while open.
  void AddQuad(SDL_Texture* texture, const SDL_FPoint (&corners)[4], float u0, float v0, float u1,
               float v1, SDL_Color colour);

 private:
  struct Run {
    SDL_Texture* texture = nullptr;
    int firstQuad = 0;
    int quadCount = 0;
  };

  void EnsureIndicesFor(int quadCount);

  SDL_Renderer* renderer = nullptr;
  bool open = false;
  std::vector<SDL_Vertex> vertices;
  std::vector<Run> runs;
  // Two triangles per quad, relative to the first vertex of a run: 0 1 2, 0 2 3, 4 5 6, ...
  std::vector<int> quadIndices;
};

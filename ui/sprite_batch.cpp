#include "ui/sprite_batch.h"

namespace {
constexpr int kReservedQuads = 4096;
}

cSpriteBatch::cSpriteBatch(SDL_Renderer* batchRenderer) : renderer(batchRenderer) {
  vertices.reserve(kReservedQuads * 4);
  runs.reserve(256);
  EnsureIndicesFor(kReservedQuads);
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
  for (const Run& run : runs) {
    if (SDL_RenderGeometry(renderer, run.texture, &vertices[run.firstQuad * 4], run.quadCount * 4,
                           quadIndices.data(), run.quadCount * 6) != 0) {
      hr = E_FAIL;
    }
  }
  vertices.clear();
  runs.clear();
  return hr;
}

void cSpriteBatch::AddQuad(SDL_Texture* texture, const SDL_FPoint (&corners)[4], float u0, float v0,
                           float u1, float v1, SDL_Color colour) {
  if (!open) return;
  const int quad = static_cast<int>(vertices.size() / 4);
  if (runs.empty() || runs.back().texture != texture) runs.push_back(Run{texture, quad, 0});
  Run& run = runs.back();
  ++run.quadCount;
  EnsureIndicesFor(run.quadCount);
  vertices.push_back(SDL_Vertex{corners[0], colour, SDL_FPoint{u0, v0}});
  vertices.push_back(SDL_Vertex{corners[1], colour, SDL_FPoint{u1, v0}});
  vertices.push_back(SDL_Vertex{corners[2], colour, SDL_FPoint{u1, v1}});
  vertices.push_back(SDL_Vertex{corners[3], colour, SDL_FPoint{u0, v1}});
}

void cSpriteBatch::EnsureIndicesFor(int quadCount) {
  for (int quad = static_cast<int>(quadIndices.size() / 6); quad < quadCount; ++quad) {
    const int first = quad * 4;
    for (int corner : {0, 1, 2, 0, 2, 3}) quadIndices.push_back(first + corner);
  }
}

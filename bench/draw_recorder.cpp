#include "bench/draw_recorder.h"

#include <SDL_ttf.h>

// The calls as SDL and SDL_ttf define them; the link sends the game's calls to the wrappers.
extern "C" {
int __real_SDL_RenderClear(SDL_Renderer* renderer);
int __real_SDL_SetRenderDrawColor(SDL_Renderer* renderer, Uint8 r, Uint8 g, Uint8 b, Uint8 a);
int __real_SDL_SetRenderDrawBlendMode(SDL_Renderer* renderer, SDL_BlendMode mode);
int __real_SDL_RenderFillRectF(SDL_Renderer* renderer, const SDL_FRect* rect);
int __real_SDL_RenderGeometry(SDL_Renderer* renderer, SDL_Texture* texture,
                              const SDL_Vertex* vertices, int vertexCount, const int* indices,
                              int indexCount);
int __real_SDL_SetTextureColorMod(SDL_Texture* texture, Uint8 r, Uint8 g, Uint8 b);
int __real_SDL_SetTextureAlphaMod(SDL_Texture* texture, Uint8 a);
int __real_SDL_SetTextureBlendMode(SDL_Texture* texture, SDL_BlendMode mode);
int __real_SDL_RenderCopyF(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Rect* source,
                           const SDL_FRect* dest);
int __real_SDL_RenderCopyExF(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Rect* source,
                             const SDL_FRect* dest, const double angle, const SDL_FPoint* centre,
                             const SDL_RendererFlip flip);
int __real_SDL_RenderSetClipRect(SDL_Renderer* renderer, const SDL_Rect* rect);
SDL_Surface* __real_TTF_RenderGlyph32_Blended(TTF_Font* font, Uint32 glyph, SDL_Color fg);
}

struct DrawRecorderAccess {
  using Call = cDrawList::Call;
  using Kind = cDrawList::Kind;
  static void Add(cDrawList& list, const Call& call) { list.calls.push_back(call); }
  static void AddGeometry(cDrawList& list, SDL_Texture* texture, const SDL_Vertex* vertices,
                          int vertexCount, const int* indices, int indexCount) {
    Call call;
    call.kind = Kind::kGeometry;
    call.texture = texture;
    call.firstVertex = list.vertices.size();
    call.vertexCount = vertexCount;
    list.vertices.insert(list.vertices.end(), vertices, vertices + vertexCount);
    if (indices != nullptr) {
      call.firstIndex = list.indices.size();
      call.indexCount = indexCount;
      list.indices.insert(list.indices.end(), indices, indices + indexCount);
    }
    list.calls.push_back(call);
  }
};

namespace {

using Call = DrawRecorderAccess::Call;
using Kind = DrawRecorderAccess::Kind;

cDrawList* g_recording = nullptr;
std::size_t g_glyphRasterisations = 0;

void Note(const Call& call) {
  if (g_recording != nullptr) DrawRecorderAccess::Add(*g_recording, call);
}

Call CopyCall(Kind kind, SDL_Texture* texture, const SDL_Rect* source, const SDL_FRect* dest) {
  Call call;
  call.kind = kind;
  call.texture = texture;
  call.hasSource = source != nullptr;
  if (source != nullptr) call.source = *source;
  if (dest != nullptr) call.dest = *dest;
  return call;
}

}  // namespace

void StartRecording(cDrawList* list) {
  list->Clear();
  g_recording = list;
}

void StopRecording() { g_recording = nullptr; }

std::size_t GlyphRasterisations() { return g_glyphRasterisations; }

void cDrawList::Clear() {
  calls.clear();
  vertices.clear();
  indices.clear();
}

std::size_t cDrawList::DrawCount() const {
  std::size_t count = 0;
  for (const Call& call : calls) {
    if (call.kind == Kind::kClear || call.kind == Kind::kFillRect || call.kind == Kind::kGeometry ||
        call.kind == Kind::kCopy || call.kind == Kind::kCopyEx) {
      ++count;
    }
  }
  return count;
}

void cDrawList::Replay(SDL_Renderer* renderer) const {
  for (const Call& call : calls) {
    const SDL_Rect* source = call.hasSource ? &call.source : nullptr;
    switch (call.kind) {
      case Kind::kClear:
        __real_SDL_RenderClear(renderer);
        break;
      case Kind::kDrawColour:
        __real_SDL_SetRenderDrawColor(renderer, call.colour.r, call.colour.g, call.colour.b,
                                      call.colour.a);
        break;
      case Kind::kDrawBlendMode:
        __real_SDL_SetRenderDrawBlendMode(renderer, call.blend);
        break;
      case Kind::kFillRect:
        __real_SDL_RenderFillRectF(renderer, &call.dest);
        break;
      case Kind::kGeometry:
        __real_SDL_RenderGeometry(
            renderer, call.texture, &vertices[call.firstVertex], call.vertexCount,
            call.indexCount > 0 ? &indices[call.firstIndex] : nullptr, call.indexCount);
        break;
      case Kind::kTextureColourMod:
        __real_SDL_SetTextureColorMod(call.texture, call.colour.r, call.colour.g, call.colour.b);
        break;
      case Kind::kTextureAlphaMod:
        __real_SDL_SetTextureAlphaMod(call.texture, call.colour.a);
        break;
      case Kind::kTextureBlendMode:
        __real_SDL_SetTextureBlendMode(call.texture, call.blend);
        break;
      case Kind::kCopy:
        __real_SDL_RenderCopyF(renderer, call.texture, source, &call.dest);
        break;
      case Kind::kCopyEx:
        __real_SDL_RenderCopyExF(renderer, call.texture, source, &call.dest, call.angle, nullptr,
                                 call.flip);
        break;
      case Kind::kClipRect:
        __real_SDL_RenderSetClipRect(renderer, call.hasRect ? &call.source : nullptr);
        break;
    }
  }
}

extern "C" {

int __wrap_SDL_RenderClear(SDL_Renderer* renderer) {
  Note(Call{});
  return __real_SDL_RenderClear(renderer);
}

int __wrap_SDL_SetRenderDrawColor(SDL_Renderer* renderer, Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
  Call call;
  call.kind = Kind::kDrawColour;
  call.colour = SDL_Color{r, g, b, a};
  Note(call);
  return __real_SDL_SetRenderDrawColor(renderer, r, g, b, a);
}

int __wrap_SDL_SetRenderDrawBlendMode(SDL_Renderer* renderer, SDL_BlendMode mode) {
  Call call;
  call.kind = Kind::kDrawBlendMode;
  call.blend = mode;
  Note(call);
  return __real_SDL_SetRenderDrawBlendMode(renderer, mode);
}

int __wrap_SDL_RenderFillRectF(SDL_Renderer* renderer, const SDL_FRect* rect) {
  if (rect != nullptr) Note(CopyCall(Kind::kFillRect, nullptr, nullptr, rect));
  return __real_SDL_RenderFillRectF(renderer, rect);
}

int __wrap_SDL_RenderGeometry(SDL_Renderer* renderer, SDL_Texture* texture,
                              const SDL_Vertex* vertices, int vertexCount, const int* indices,
                              int indexCount) {
  if (g_recording != nullptr && vertices != nullptr) {
    DrawRecorderAccess::AddGeometry(*g_recording, texture, vertices, vertexCount, indices,
                                    indexCount);
  }
  return __real_SDL_RenderGeometry(renderer, texture, vertices, vertexCount, indices, indexCount);
}

int __wrap_SDL_SetTextureColorMod(SDL_Texture* texture, Uint8 r, Uint8 g, Uint8 b) {
  Call call;
  call.kind = Kind::kTextureColourMod;
  call.texture = texture;
  call.colour = SDL_Color{r, g, b, 255};
  Note(call);
  return __real_SDL_SetTextureColorMod(texture, r, g, b);
}

int __wrap_SDL_SetTextureAlphaMod(SDL_Texture* texture, Uint8 a) {
  Call call;
  call.kind = Kind::kTextureAlphaMod;
  call.texture = texture;
  call.colour = SDL_Color{255, 255, 255, a};
  Note(call);
  return __real_SDL_SetTextureAlphaMod(texture, a);
}

int __wrap_SDL_SetTextureBlendMode(SDL_Texture* texture, SDL_BlendMode mode) {
  Call call;
  call.kind = Kind::kTextureBlendMode;
  call.texture = texture;
  call.blend = mode;
  Note(call);
  return __real_SDL_SetTextureBlendMode(texture, mode);
}

int __wrap_SDL_RenderCopyF(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Rect* source,
                           const SDL_FRect* dest) {
  // A copy to the whole target has no destination; the game always gives one.
  if (dest != nullptr) Note(CopyCall(Kind::kCopy, texture, source, dest));
  return __real_SDL_RenderCopyF(renderer, texture, source, dest);
}

int __wrap_SDL_RenderCopyExF(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Rect* source,
                             const SDL_FRect* dest, const double angle, const SDL_FPoint* centre,
                             const SDL_RendererFlip flip) {
  // Turns about the destination's centre, as the game asks for them (no centre given).
  if (dest != nullptr && centre == nullptr) {
    Call call = CopyCall(Kind::kCopyEx, texture, source, dest);
    call.angle = angle;
    call.flip = flip;
    Note(call);
  }
  return __real_SDL_RenderCopyExF(renderer, texture, source, dest, angle, centre, flip);
}

int __wrap_SDL_RenderSetClipRect(SDL_Renderer* renderer, const SDL_Rect* rect) {
  Call call;
  call.kind = Kind::kClipRect;
  call.hasRect = rect != nullptr;
  if (rect != nullptr) call.source = *rect;
  Note(call);
  return __real_SDL_RenderSetClipRect(renderer, rect);
}

SDL_Surface* __wrap_TTF_RenderGlyph32_Blended(TTF_Font* font, Uint32 glyph, SDL_Color fg) {
  ++g_glyphRasterisations;
  return __real_TTF_RenderGlyph32_Blended(font, glyph, fg);
}

}  // extern "C"

#pragma once
// Records the SDL drawing calls the game makes while a recording is open, so that a
// benchmark can issue exactly the same calls again straight to SDL, with no game code in
// between. The link wraps each recorded call (see CMakeLists.txt): the game's call reaches
// the recorder, which notes it when recording and always passes it on to SDL.
//
// It also counts the glyphs the font rasterises, to show that text is not rasterised again
// every frame.

#include <cstddef>
#include <vector>

#include <SDL.h>

class cStretchedCopies;

class cDrawList {
 public:
  // Issues every recorded call again, in order, to `renderer` (the recorded renderer is
  // ignored: the calls go to the one given).
  void Replay(SDL_Renderer* renderer) const;
  void Clear();
  std::size_t CallCount() const { return calls.size(); }
  // How many of the calls put pixels on the target (copies, fills, geometry, clears).
  std::size_t DrawCount() const;

  // The cheapest known way to put the same pixels on a width x height target, written into
  // `floor` (emptied first): the calls kept in order, but only the draws that reach the
  // target, every scaled unturned copy drawn from a copy stretched once by `stretcher`, and
  // opaque textures copied untinted in alpha without blending (frame_floor.cpp).
  void BuildFloor(cDrawList& floor, cStretchedCopies& stretcher, int width, int height) const;

 private:
  friend struct DrawRecorderAccess;

  enum class Kind {
    kClear,
    kDrawColour,
    kDrawBlendMode,
    kFillRect,
    kGeometry,
    kTextureColourMod,
    kTextureAlphaMod,
    kTextureBlendMode,
    kCopy,
    kCopyEx,
    kClipRect,
  };
  struct Call {
    Kind kind = Kind::kClear;
    SDL_Texture* texture = nullptr;
    SDL_Color colour{};  // draw colour, colour mod (r, g, b) or alpha mod (a)
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    bool hasSource = false;  // copies: a source rectangle was given
    bool hasRect = false;    // clip: a rectangle was given (else clipping is switched off)
    SDL_Rect source{};       // copy source, clip rectangle
    SDL_FRect dest{};        // copy destination, filled rectangle
    double angle = 0.0;
    SDL_RendererFlip flip = SDL_FLIP_NONE;
    std::size_t firstVertex = 0;
    int vertexCount = 0;
    std::size_t firstIndex = 0;
    int indexCount = 0;
  };

  std::vector<Call> calls;
  std::vector<SDL_Vertex> vertices;
  std::vector<int> indices;
};

// Notes every recorded SDL call into `list` (emptied first) until StopRecording.
void StartRecording(cDrawList* list);
void StopRecording();

// Glyphs the font has rasterised since the program started.
std::size_t GlyphRasterisations();

#pragma once
// Pictures kept stretched to the size they are drawn at. SDL's software renderer stretches a
// scaled image again on every draw, and a scaled image that reaches past the target's edge
// costs it a whole temporary surface of the stretched size each time (a 1.5x ground tile:
// 1536 x 1536 pixels). A copy stretched once by the renderer itself, in the same way, then
// drawn unscaled, puts exactly the same pixels on the target for a plain copy's cost.
//
// Only the software renderer gains: a graphics card (or an OpenGL rasteriser) stretches as
// fast as it copies, and the copies would only cost memory. A copy that has not been drawn
// for kIdleSeconds is released, so that the scenery of an ended match does not stay in
// memory behind the menus.

#include <vector>

#include <SDL.h>

class cStretchedCopies {
 public:
  explicit cStretchedCopies(SDL_Renderer* renderer);
  ~cStretchedCopies();
  cStretchedCopies(const cStretchedCopies&) = delete;
  cStretchedCopies& operator=(const cStretchedCopies&) = delete;

  // Whether stretched copies pay off on this renderer.
  bool Worthwhile() const { return worthwhile; }

  // The `source` texels of `texture` stretched to width x height, made on first use (the
  // render target is restored afterwards); null when the copy cannot be made (the caller then
  // draws the original, scaled as before).
  SDL_Texture* Get(SDL_Texture* texture, const SDL_Rect& source, int width, int height);

  // Releases the copies not drawn for kIdleSeconds.
  void ReleaseIdle();
  // How many copies are kept (made or tried).
  int Count() const { return static_cast<int>(copies.size()); }

  static constexpr double kIdleSeconds = 10.0;

 private:
  struct Copy {
    SDL_Texture* original = nullptr;
    SDL_Rect source{};
    int width = 0;
    int height = 0;
    SDL_Texture* stretched = nullptr;
    double lastUsed = 0.0;  // DXUTGetTime of the last draw
  };

  SDL_Texture* Make(SDL_Texture* texture, const SDL_Rect& source, int width, int height);

  SDL_Renderer* renderer = nullptr;
  bool worthwhile = false;
  std::vector<Copy> copies;
};

#pragma once
// The image batch: textured rectangles queued between Begin and End and copied to the
// renderer in queue order when the batch is flushed. Each is a texture copy (turned and
// mirrored where asked), which every SDL renderer draws fastest: the software renderer blits
// unturned copies directly. The queue keeps its storage from frame to frame, so drawing
// allocates nothing once warm.
//
// Three shortcuts put the same pixels on the target for less work, all on unless switched
// off (to compare pictures): images that miss the target are dropped when queued; opaque
// pictures (no alpha channel) drawn untinted in alpha are copied without blending; and
// while stretched copies are kept (see SetKeepStretched), scaled unturned images come from a
// copy stretched once (cStretchedCopies).

#include <memory>
#include <vector>

#include <SDL.h>

#include "platform/status.h"
#include "ui/stretched_copies.h"

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

  // Whether images queued from now on that are scaled by a whole number of pixels, unturned
  // and unmirrored, are drawn from stretched copies (where the renderer gains from them).
  // For pictures drawn at one size frame after frame: the scenery, the menu pictures.
  void SetKeepStretched(bool keep) { keepStretched = keep; }
  // Switches the shortcuts above on or off (on when made).
  void SetShortcuts(bool on) { shortcuts = on; }
  // The stretched copies, released when idle (see cStretchedCopies).
  cStretchedCopies& StretchedCopies() { return stretched; }

 private:
  struct Copy {
    SDL_Texture* texture = nullptr;
    SDL_Rect source{};
    SDL_FRect dest{};
    double degrees = 0.0;
    SDL_RendererFlip flip = SDL_FLIP_NONE;
    SDL_Color colour{};
  };

  // Whether the copy, turned about its centre, reaches the current target.
  bool ReachesTarget(const SDL_FRect& dest, double degrees) const;
  // Sets the texture's tint and blend mode for the copy.
  void Tint(const Copy& copy) const;

  SDL_Renderer* renderer = nullptr;
  bool open = false;
  bool shortcuts = true;
  bool keepStretched = false;
  std::vector<Copy> copies;
  cStretchedCopies stretched;
};

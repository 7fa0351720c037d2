#pragma once
// The glyphs of one opened face, each rasterised once (white, with coverage in alpha) into a
// shared atlas texture and drawn from there in any colour. Glyphs are keyed by code point;
// the face has one style, so the code point is the whole key.

#include <unordered_map>
#include <vector>

#include <SDL.h>
#include <SDL_ttf.h>

class cGlyphCache {
 public:
  struct Glyph {
    SDL_Texture* page = nullptr;  // null for glyphs with no pixels (blanks, failures)
    SDL_Rect texels{};            // the glyph's cell in the page
    int offsetX = 0;              // cell's left relative to the pen position
    int advance = 0;              // pen movement after the glyph
  };

  // Takes ownership of `face` (closed by the destructor).
  cGlyphCache(SDL_Renderer* renderer, TTF_Font* face);
  // Closes the face; the atlas textures are left to the renderer (see ReleaseTextures).
  ~cGlyphCache();
  cGlyphCache(const cGlyphCache&) = delete;
  cGlyphCache& operator=(const cGlyphCache&) = delete;

  // The glyph of `codePoint`, rasterised on first use. Cells are as tall as a line and their
  // top lies on the line's top.
  const Glyph& Find(char32_t codePoint);
  // Destroys the atlas textures and forgets every glyph.
  void ReleaseTextures();
  // Ascent + descent of the face, in pixels.
  int LineHeight() const { return lineHeight; }
  // Set when creating or filling an atlas texture failed since the last call.
  bool TakeFailure();

 private:
  Glyph Rasterise(char32_t codePoint);
  // Finds room for a w x h cell in the current page (opening a new page when full).
  bool Place(int w, int h, SDL_Rect& cell);

  SDL_Renderer* renderer = nullptr;
  TTF_Font* face = nullptr;
  int lineHeight = 0;
  std::unordered_map<char32_t, Glyph> glyphs;
  std::vector<SDL_Texture*> pages;
  int shelfX = 0;       // next free column on the current shelf
  int shelfY = 0;       // top of the current shelf
  int shelfHeight = 0;  // tallest cell on the current shelf
  bool failed = false;
};

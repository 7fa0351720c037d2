#pragma once
// The GUI font: one TrueType face at a fixed line height, drawn from a cache of glyphs that
// are rasterised once each. Text reaches the render target at once (no batching with images).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/status.h"
#include "world/creatures/screen_element.h"  // Rect

struct DXUTDevice;
struct SDL_Renderer;
class cGlyphCache;
class cSpriteBatch;

// Format flags of DrawText.
inline constexpr unsigned kTextLeft = 0;    // left-aligned, top
inline constexpr unsigned kTextCenter = 1;  // horizontally centred, top
inline constexpr unsigned kTextRight = 2;   // right-aligned, top

class cFont {
 public:
  cFont();
  ~cFont();
  cFont(const cFont&) = delete;
  cFont& operator=(const cFont&) = delete;

  // The font file of a face: "./data/font/" + the face name in upper case + ".ttf"
  // (L"CelticMD" -> "./data/font/CELTICMD.ttf").
  static std::string FaceFile(const std::wstring& faceName);

  // Opens `faceName` for drawing on `device` at the point size whose line height (ascent +
  // descent) comes closest to `lineHeight` 800x600 units without exceeding it: the glyphs are
  // drawn with the back buffer's own pixels (lineHeight x the device's scale). Fails (E_FAIL)
  // when the device has no renderer or the face's file cannot be opened.
  HRESULT Create(DXUTDevice* device, const std::wstring& faceName, int lineHeight);

  // Destroys the cached glyphs' textures (glyphs are rasterised again on demand). Called at
  // device loss and before the font is released with its device; the destructor itself
  // touches no texture, since the renderer may be gone by then.
  void OnLostDevice();

  // Draws `count` characters of `text` (-1: up to the terminator) in `rect`: the first line at
  // the rectangle's top, each "\n" one line height lower, each line aligned by `format`
  // (kTextLeft, kTextCenter, kTextRight; centre wins over right), clipped to the rectangle,
  // glyphs multiplied by the ARGB `colour`. Positions and sizes are in 800x600 units. Returns
  // the height of the text block, 0 when nothing was drawn (null text or rect, no face). Failed SDL
  // calls are traced.
  int DrawText(const wchar_t* text, int count, const Rect* rect, unsigned format,
               std::uint32_t colour);

  // The distance between two lines in 800x600 units (ascent + descent of the opened size).
  int GetLineHeight() const;

 private:
  // Queues the glyphs of one line with the pen starting at (x, y); grows `ink` (left, top,
  // right, bottom) to cover them.
  void QueueLine(std::wstring_view line, float x, float y, std::uint32_t colour, Rect& ink);
  // Width of one line in 800x600 units: the sum of its glyphs' advances.
  float MeasureLine(std::wstring_view line);
  // The line height in 800x600 units, unrounded.
  float LineUnits() const;

  SDL_Renderer* renderer = nullptr;
  float scale = 1.0f;  // back-buffer pixels per 800x600 unit
  bool ttfStarted = false;
  std::unique_ptr<cGlyphCache> glyphs;
  std::unique_ptr<cSpriteBatch> quads;  // the glyph quads of the text being drawn
};

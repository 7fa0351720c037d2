#pragma once
// The GUI font: one TrueType face at a fixed line height, drawn from a cache of glyphs that
// are rasterised once each. Text reaches the render target at once (no batching with images).

#include <cstdint>
#include <memory>
#include <string>

#include "platform/status.h"
#include "world/creatures/screen_element.h"  // Rect

struct DXUTDevice;
class cGlyphCache;

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
  // descent) comes closest to `lineHeight` pixels without exceeding it. Fails (E_FAIL) when
  // the device has no renderer or the face's file cannot be opened.
  HRESULT Create(DXUTDevice* device, const std::wstring& faceName, int lineHeight);

  // Drops the cached glyphs (they are rasterised again on demand).
  void OnLostDevice();
  void OnResetDevice() {}

  // Draws `count` characters of `text` (-1: up to the terminator) in `rect`: the first line at
  // the rectangle's top, each "\n" one line height lower, each line aligned by `format`
  // (kTextLeft, kTextCenter, kTextRight; centre wins over right), clipped to the rectangle,
  // glyphs multiplied by the ARGB `colour`. Returns the height of the text block in pixels,
  // 0 when nothing was drawn (null text or rect, no face). Failed SDL calls are traced.
  int DrawText(const wchar_t* text, int count, const Rect* rect, unsigned format,
               std::uint32_t colour);

  // The distance between two lines, in pixels (ascent + descent of the opened size).
  int GetLineHeight() const;

 private:
  std::unique_ptr<cGlyphCache> glyphs;
};

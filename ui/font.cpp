#include "ui/font.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

#include <SDL.h>
#include <SDL_ttf.h>

#include "platform/dxut.h"
#include "platform/game_folders.h"
#include "platform/sdl_device.h"
#include "platform/utf8.h"
#include "ui/argb.h"
#include "ui/glyph_cache.h"
#include "ui/sprite_batch.h"

static_assert(sizeof(wchar_t) == sizeof(char32_t),
              "the game's wide text is one code point per wchar_t");

namespace {

// Opens the largest point size whose ascent + descent does not exceed `lineHeight` (the
// smallest size when even that is taller).
void FitLineHeight(TTF_Font* face, int lineHeight) {
  int best = 1;
  for (int points = 1; points <= lineHeight * 4; ++points) {
    if (TTF_SetFontSize(face, points) != 0 || TTF_FontHeight(face) > lineHeight) break;
    best = points;
  }
  TTF_SetFontSize(face, best);
}

}  // namespace

cFont::cFont() = default;

cFont::~cFont() {
  glyphs.reset();
  if (ttfStarted) TTF_Quit();
}

std::string cFont::FaceFile(const std::wstring& faceName) {
  std::wstring upper = faceName;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](wchar_t c) { return std::towupper(c); });
  return "./data/font/" + WideToUtf8(upper) + ".ttf";
}

HRESULT cFont::Create(DXUTDevice* device, const std::wstring& faceName, int lineHeight) {
  if (glyphs != nullptr) glyphs->ReleaseTextures();
  glyphs.reset();
  quads.reset();
  renderer = nullptr;
  if (device == nullptr || device->renderer == nullptr) return E_FAIL;
  if (!ttfStarted) {
    if (TTF_Init() != 0) return DXUTTrace("gui", __LINE__, E_FAIL, L"TTF_Init()", false);
    ttfStarted = true;
  }
  const std::string file = DataPath(FaceFile(faceName));
  TTF_Font* face = TTF_OpenFont(file.c_str(), std::max(1, lineHeight));
  if (face == nullptr) {
    const std::wstring call = L"TTF_OpenFont(\"" + std::wstring(file.begin(), file.end()) + L"\")";
    return DXUTTrace("gui", __LINE__, E_FAIL, call.c_str(), false);
  }
  // Drawn with the back buffer's own pixels: the face is opened at the line height those
  // pixels give, and glyphs are placed back in 800x600 units.
  scale = device->scale > 0.0f ? device->scale : 1.0f;
  FitLineHeight(face, std::max(1, static_cast<int>(std::lround(lineHeight * scale))));
  renderer = device->renderer;
  glyphs = std::make_unique<cGlyphCache>(renderer, face);
  quads = std::make_unique<cSpriteBatch>(renderer);
  return S_OK;
}

void cFont::OnLostDevice() {
  if (glyphs != nullptr) glyphs->ReleaseTextures();
}

int cFont::GetLineHeight() const {
  return glyphs != nullptr ? static_cast<int>(std::lround(LineUnits())) : 0;
}

float cFont::LineUnits() const { return static_cast<float>(glyphs->LineHeight()) / scale; }

float cFont::MeasureLine(std::wstring_view line) {
  int pixels = 0;
  for (wchar_t c : line) pixels += glyphs->Find(static_cast<char32_t>(c)).advance;
  return static_cast<float>(pixels) / scale;
}

void cFont::QueueLine(std::wstring_view line, float x, float y, std::uint32_t colour, Rect& ink) {
  const SDL_Color tint = ArgbToSdlColor(colour);
  // The pen moves in whole back-buffer pixels, so every glyph lands texel on pixel.
  int pen = static_cast<int>(std::lround(x * scale));
  const float top = std::round(y * scale) / scale;
  for (wchar_t c : line) {
    const cGlyphCache::Glyph& glyph = glyphs->Find(static_cast<char32_t>(c));
    if (glyph.page != nullptr) {
      const SDL_FRect cell{static_cast<float>(pen + glyph.offsetX) / scale, top,
                           static_cast<float>(glyph.texels.w) / scale,
                           static_cast<float>(glyph.texels.h) / scale};
      quads->Add(glyph.page, glyph.texels, cell, 0.0, SDL_FLIP_NONE, tint);
      ink.left = std::min(ink.left, static_cast<int>(std::floor(cell.x)));
      ink.top = std::min(ink.top, static_cast<int>(std::floor(cell.y)));
      ink.right = std::max(ink.right, static_cast<int>(std::ceil(cell.x + cell.w)));
      ink.bottom = std::max(ink.bottom, static_cast<int>(std::ceil(cell.y + cell.h)));
    }
    pen += glyph.advance;
  }
}

int cFont::DrawText(const wchar_t* text, int count, const Rect* rect, unsigned format,
                    std::uint32_t colour) {
  if (text == nullptr || rect == nullptr || glyphs == nullptr) return 0;
  if (rect->Width() <= 0 || rect->Height() <= 0) return 0;
  const std::wstring_view all =
      count < 0 ? std::wstring_view(text) : std::wstring_view(text, count);
  if (FAILED(quads->Begin())) return 0;

  const float lineHeight = LineUnits();
  Rect ink{rect->left, rect->top, rect->left, rect->top};
  int lines = 0;
  for (std::size_t start = 0; start <= all.size(); ++lines) {
    const std::size_t end = std::min(all.find(L'\n', start), all.size());
    const std::wstring_view line = all.substr(start, end - start);
    float x = static_cast<float>(rect->left);
    if (format & kTextCenter) {
      x += std::trunc((static_cast<float>(rect->Width()) - MeasureLine(line)) / 2.0f);
    } else if (format & kTextRight) {
      x = static_cast<float>(rect->right) - MeasureLine(line);
    }
    QueueLine(line, x, static_cast<float>(rect->top) + static_cast<float>(lines) * lineHeight,
              colour, ink);
    start = end + 1;
  }
  if (glyphs->TakeFailure())
    DXUTTrace("gui", __LINE__, E_FAIL, L"SDL_UpdateTexture(glyphPage, ...)", false);

  // Clip only text that reaches outside its rectangle: most text fits, and a clip change is
  // a state change for the renderer.
  const bool clip = ink.left < rect->left || ink.top < rect->top || ink.right > rect->right ||
                    ink.bottom > rect->bottom;
  SDL_Rect previous{};
  const bool hadClip = clip && SDL_RenderIsClipEnabled(renderer) == SDL_TRUE;
  if (clip) {
    SDL_RenderGetClipRect(renderer, &previous);
    SDL_Rect area{rect->left, rect->top, rect->Width(), rect->Height()};
    if (hadClip && SDL_IntersectRect(&area, &previous, &area) == SDL_FALSE) area = SDL_Rect{};
    SDL_RenderSetClipRect(renderer, &area);
  }
  const HRESULT hr = quads->End();
  if (clip) SDL_RenderSetClipRect(renderer, hadClip ? &previous : nullptr);
  if (FAILED(hr))
    DXUTTrace("gui", __LINE__, hr, L"SDL_RenderCopyF(renderer, glyphPage, ...)", false);
  return static_cast<int>(std::lround(static_cast<float>(lines) * lineHeight));
}

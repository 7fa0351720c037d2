#include "ui/gui.h"

#include <cmath>

#include <SDL.h>

#include "platform/dxut.h"
#include "platform/sdl_device.h"
#include "ui/argb.h"
#include "ui/line_drawer.h"
#include "ui/sprite_batch.h"

namespace {

constexpr double kDegreesPerRadian = 57.295779513082320876798;

// The texels of `texture` under a rectangle of its picture: a picture drawn at a higher
// density has more texels per picture pixel (see cTextureCache).
SDL_Rect TexelsOf(SDL_Texture* texture, const Rect& rect) {
  const auto* node = static_cast<const DXUTTextureNode*>(SDL_GetTextureUserData(texture));
  if (node == nullptr || (node->texelsPerPixelX == 1.0f && node->texelsPerPixelY == 1.0f)) {
    return SDL_Rect{rect.left, rect.top, rect.Width(), rect.Height()};
  }
  const auto texels = [](int pixels, float density) {
    return static_cast<int>(std::lround(static_cast<float>(pixels) * density));
  };
  const int left = texels(rect.left, node->texelsPerPixelX);
  const int top = texels(rect.top, node->texelsPerPixelY);
  return SDL_Rect{left, top, texels(rect.right, node->texelsPerPixelX) - left,
                  texels(rect.bottom, node->texelsPerPixelY) - top};
}

}  // namespace

cGUI::cGUI() = default;

cGUI::~cGUI() {
  // The renderer may already be gone (the static instance dies after main returns): drop
  // every pointer into it without calling SDL on it; SDL_DestroyRenderer frees the textures.
  mainDialog.RemoveAllControls();
  secondDialog.RemoveAllControls();
}

HRESULT cGUI::Init(void* eventContext, const std::wstring& face) {
  faceName = face;
  for (CDXUTDialog* dialog : {&mainDialog, &secondDialog}) {
    dialog->Init(&resourceManager);
    dialog->SetUserContext(eventContext);
  }
  secondDialog.SetVisible(false);
  secondDialog.SetLocation(0, 0);
  return S_OK;
}

HRESULT cGUI::OnCreateDevice(DXUTDevice* device) {
  const HRESULT hr = resourceManager.OnCreateDevice(device);
  if (FAILED(hr))
    return DXUTTrace("gui", __LINE__, hr, L"OnCreateDevice: a device without a renderer", false);
  return RecreateFont();
}

void cGUI::OnResetDevice(DXUTDevice* device, const DXUTSurfaceDesc* desc) {
  if (device != nullptr && device->renderer != nullptr) {
    m_pImgSprite = std::make_unique<cSpriteBatch>(device->renderer);
    line = std::make_unique<cLineDrawer>(device->renderer);
    SetDrawingShortcuts(drawingShortcuts);
    SetKeepStretched(keepStretched);
  }
  if (desc != nullptr) {
    for (CDXUTDialog* dialog : {&mainDialog, &secondDialog}) {
      dialog->SetLocation(0, 0);
      dialog->SetSize(desc->width, desc->height);
    }
  }
}

void cGUI::OnLostDevice() {
  if (font != nullptr) font->OnLostDevice();
  m_pImgSprite.reset();
  line.reset();
}

void cGUI::OnDestroyDevice() {
  if (font != nullptr) font->OnLostDevice();
  font.reset();
  resourceManager.OnDestroyDevice();
}

HRESULT cGUI::RecreateFont() {
  if (font != nullptr) font->OnLostDevice();
  font.reset();
  auto created = std::make_unique<cFont>();
  const HRESULT hr = created->Create(resourceManager.GetD3DDevice(), faceName, kFontHeight);
  if (SUCCEEDED(hr)) font = std::move(created);
  return hr;
}

Rect cGUI::GetScreenRect() {
  screenRect = Rect{0, 0, mainDialog.GetWidth(), mainDialog.GetHeight()};
  return screenRect;
}

HRESULT cGUI::BeginImages() {
  return CallBatch(&cSpriteBatch::Begin, __LINE__, L"m_pImgSprite->Begin()", true);
}

HRESULT cGUI::EndImages() {
  return CallBatch(&cSpriteBatch::End, __LINE__, L"m_pImgSprite->End()", true);
}

HRESULT cGUI::FlushImages() {
  return CallBatch(&cSpriteBatch::Flush, __LINE__, L"m_pImgSprite->Flush()", false);
}

HRESULT cGUI::CallBatch(HRESULT (cSpriteBatch::*call)(), unsigned line, const wchar_t* callText,
                        bool showBox) {
  // No batch between a loss and the next reset: the caller skips its images, nothing to report.
  if (m_pImgSprite == nullptr) return E_FAIL;
  const HRESULT hr = (m_pImgSprite.get()->*call)();
  if (FAILED(hr)) return DXUTTrace("gui", line, hr, callText, showBox);
  return hr;
}

HRESULT cGUI::DrawSprite(SDL_Texture* texture, const Rect* sourceRect, float x, float y,
                         float rotation, float scale, std::uint32_t colour, bool flipX,
                         bool flipY) {
  if (m_pImgSprite == nullptr || !m_pImgSprite->IsOpen()) return E_FAIL;
  if (sourceRect == nullptr || texture == nullptr || sourceRect->Width() <= 0 ||
      sourceRect->Height() <= 0) {
    return S_OK;
  }
  const float w = static_cast<float>(sourceRect->Width());
  const float h = static_cast<float>(sourceRect->Height());
  // Mirroring both ways is what a negative scale does.
  if (scale < 0.0f) {
    flipX = !flipX;
    flipY = !flipY;
  }
  const float scaledW = w * std::fabs(scale);
  const float scaledH = h * std::fabs(scale);
  const SDL_FRect dest{x + (w - scaledW) * 0.5f, y + (h - scaledH) * 0.5f, scaledW, scaledH};
  const SDL_Rect source = TexelsOf(texture, *sourceRect);
  const int flip = (flipX ? SDL_FLIP_HORIZONTAL : 0) | (flipY ? SDL_FLIP_VERTICAL : 0);
  m_pImgSprite->Add(texture, source, dest, rotation * kDegreesPerRadian,
                    static_cast<SDL_RendererFlip>(flip), ArgbToSdlColor(colour));
  return S_OK;
}

void cGUI::DrawImageStretched(SDL_Texture* texture, float textureWidth, float textureHeight,
                              const Rect* dest, std::uint32_t colour, bool flipX, bool flipY) {
  if (m_pImgSprite == nullptr || !m_pImgSprite->IsOpen()) return;
  if (dest == nullptr || texture == nullptr || !(textureWidth > 0.0f) || !(textureHeight > 0.0f))
    return;
  int w = 0, h = 0;
  if (SDL_QueryTexture(texture, nullptr, nullptr, &w, &h) != 0) return;
  // Scaled by dest / texture size, the texture spans dest's width and height from its
  // top-left corner; a negative scale (flip) spans them towards smaller coordinates.
  const float width = static_cast<float>(dest->Width());
  const float height = static_cast<float>(dest->Height());
  const SDL_FRect area{static_cast<float>(dest->left) - (flipX ? width : 0.0f),
                       static_cast<float>(dest->top) - (flipY ? height : 0.0f), width, height};
  const int flip = (flipX ? SDL_FLIP_HORIZONTAL : 0) | (flipY ? SDL_FLIP_VERTICAL : 0);
  m_pImgSprite->Add(texture, SDL_Rect{0, 0, w, h}, area, 0.0, static_cast<SDL_RendererFlip>(flip),
                    ArgbToSdlColor(colour));
}

void cGUI::SetKeepStretched(bool keep) {
  keepStretched = keep;
  if (m_pImgSprite != nullptr) m_pImgSprite->SetKeepStretched(keep);
}

void cGUI::ReleaseIdleCopies() {
  if (m_pImgSprite != nullptr) m_pImgSprite->StretchedCopies().ReleaseIdle();
}

int cGUI::StretchedCopyCount() {
  return m_pImgSprite != nullptr ? m_pImgSprite->StretchedCopies().Count() : 0;
}

void cGUI::SetDrawingShortcuts(bool on) {
  drawingShortcuts = on;
  if (m_pImgSprite != nullptr) m_pImgSprite->SetShortcuts(on);
  if (line != nullptr) line->SetCulling(on);
}

void cGUI::DrawLine(Vec2 a, Vec2 b, std::uint32_t colour, float width) {
  if (line == nullptr) return;
  if (!line->Draw(a, b, ArgbToSdlColor(colour), width)) {
    DXUTTrace("gui", __LINE__, E_FAIL, L"SDL_RenderGeometry(renderer, NULL, band, 4, indices, 6)",
              false);
  }
}

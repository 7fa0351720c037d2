#include "ui/gui.h"

#include <cmath>

#include <SDL.h>

#include "platform/dxut.h"
#include "platform/sdl_device.h"
#include "ui/argb.h"
#include "ui/line_drawer.h"
#include "ui/sprite_batch.h"

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
  if (sourceRect == nullptr || texture == nullptr) return S_OK;
  int textureWidth = 0, textureHeight = 0;
  if (SDL_QueryTexture(texture, nullptr, nullptr, &textureWidth, &textureHeight) != 0 ||
      textureWidth <= 0 || textureHeight <= 0) {
    return S_OK;
  }
  const float w = static_cast<float>(sourceRect->Width());
  const float h = static_cast<float>(sourceRect->Height());
  const float cx = w * 0.5f;
  const float cy = h * 0.5f;
  const float sx = flipX ? -scale : scale;
  const float sy = flipY ? -scale : scale;
  const float cosine = std::cos(rotation);
  const float sine = std::sin(rotation);
  // Texel corners relative to the rectangle's top-left, in the order AddQuad expects.
  const float cornerX[4] = {0.0f, w, w, 0.0f};
  const float cornerY[4] = {0.0f, 0.0f, h, h};
  SDL_FPoint corners[4];
  for (int i = 0; i < 4; ++i) {
    const float px = sx * (cornerX[i] - cx);
    const float py = sy * (cornerY[i] - cy);
    corners[i] = SDL_FPoint{x + cx + cosine * px - sine * py, y + cy + sine * px + cosine * py};
  }
  const float u0 = static_cast<float>(sourceRect->left) / static_cast<float>(textureWidth);
  const float v0 = static_cast<float>(sourceRect->top) / static_cast<float>(textureHeight);
  const float u1 = static_cast<float>(sourceRect->right) / static_cast<float>(textureWidth);
  const float v1 = static_cast<float>(sourceRect->bottom) / static_cast<float>(textureHeight);
  m_pImgSprite->AddQuad(texture, corners, u0, v0, u1, v1, ArgbToSdlColor(colour));
  return S_OK;
}

void cGUI::DrawImageStretched(SDL_Texture* texture, float textureWidth, float textureHeight,
                              const Rect* dest, std::uint32_t colour, bool flipX, bool flipY) {
  if (m_pImgSprite == nullptr || !m_pImgSprite->IsOpen()) return;
  if (dest == nullptr || texture == nullptr || !(textureWidth > 0.0f) || !(textureHeight > 0.0f))
    return;
  // Scaled by dest / texture size, the texture spans dest's width and height from its
  // top-left corner; a negative scale (flip) spans them towards smaller coordinates.
  const float left = static_cast<float>(dest->left);
  const float top = static_cast<float>(dest->top);
  const float right = left + (flipX ? -1.0f : 1.0f) * static_cast<float>(dest->Width());
  const float bottom = top + (flipY ? -1.0f : 1.0f) * static_cast<float>(dest->Height());
  const SDL_FPoint corners[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
  m_pImgSprite->AddQuad(texture, corners, 0.0f, 0.0f, 1.0f, 1.0f, ArgbToSdlColor(colour));
}

void cGUI::DrawLine(Vec2 a, Vec2 b, std::uint32_t colour, float width) {
  if (line == nullptr) return;
  if (!line->Draw(a, b, ArgbToSdlColor(colour), width)) {
    DXUTTrace("gui", __LINE__, E_FAIL, L"SDL_RenderGeometry(renderer, NULL, band, 4, indices, 6)",
              false);
  }
}

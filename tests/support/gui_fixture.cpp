#include "support/gui_fixture.h"

#include <SDL_image.h>

#include <filesystem>

#include "support/picture.h"

void GuiFixture::SetUp() {
  UseOutputScale(1);
  std::filesystem::create_directories("data/art");
  ASSERT_TRUE(SUCCEEDED(gui.Init(nullptr, L"CelticMD")));
  ClearTarget();
}

void GuiFixture::TearDown() {
  gui.OnLostDevice();
  gui.OnDestroyDevice();
  if (device.renderer != nullptr) SDL_DestroyRenderer(device.renderer);
  if (target != nullptr) SDL_FreeSurface(target);
}

void GuiFixture::UseOutputScale(int scale) {
  if (device.renderer != nullptr) SDL_DestroyRenderer(device.renderer);
  if (target != nullptr) SDL_FreeSurface(target);
  target =
      SDL_CreateRGBSurfaceWithFormat(0, 800 * scale, 600 * scale, 32, SDL_PIXELFORMAT_ARGB8888);
  ASSERT_NE(target, nullptr) << SDL_GetError();
  device.renderer = SDL_CreateSoftwareRenderer(target);
  ASSERT_NE(device.renderer, nullptr) << SDL_GetError();
  device.pixelWidth = target->w;
  device.pixelHeight = target->h;
  device.scale = static_cast<float>(scale);
  SDL_RenderSetScale(device.renderer, device.scale, device.scale);
  ClearTarget();
}

void GuiFixture::CreateAndResetDevice() {
  gui.OnCreateDevice(&device);
  gui.OnResetDevice(&device, &backBuffer);
}

std::string GuiFixture::WriteQuadrantPicture(const std::string& name, int w, int h) {
  SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
  const SDL_Rect quadrants[4] = {{0, 0, w / 2, h / 2},
                                 {w / 2, 0, w - w / 2, h / 2},
                                 {0, h / 2, w / 2, h - h / 2},
                                 {w / 2, h / 2, w - w / 2, h - h / 2}};
  const std::uint32_t colours[4] = {kRed, kGreen, kBlue, kWhite};
  for (int i = 0; i < 4; ++i) SDL_FillRect(picture, &quadrants[i], colours[i]);
  const std::string path = "./data/art/" + name;
  EXPECT_EQ(IMG_SavePNG(picture, path.c_str()), 0) << IMG_GetError();
  SDL_FreeSurface(picture);
  return path;
}

void GuiFixture::ClearTarget() {
  SDL_SetRenderDrawColor(device.renderer, 0, 0, 0, 255);
  SDL_RenderClear(device.renderer);
}

std::uint32_t GuiFixture::Pixel(int x, int y) { return ReadPixel(device.renderer, x, y); }

bool GuiFixture::AnyLit(int left, int top, int right, int bottom) {
  return LitBoundsWithin({left, top, right, bottom}).Width() > 0;
}

Rect GuiFixture::LitBoundsWithin(const Rect& area) {
  return Screenshot(device.renderer, {area.left, area.top, area.Width(), area.Height()})
      .LitBounds();
}

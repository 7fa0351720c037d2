#pragma once
// A GUI layer drawing into an 800x600 software-rendered surface, in a fresh working folder,
// with helpers to write small test pictures and read pixels back.

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <string>

#include "platform/dxut.h"
#include "platform/sdl_device.h"
#include "support/temp_dir.h"
#include "ui/gui.h"

// Colours as read back (ARGB8888, opaque target).
inline constexpr std::uint32_t kBlack = 0xff000000;
inline constexpr std::uint32_t kRed = 0xffff0000;
inline constexpr std::uint32_t kGreen = 0xff00ff00;
inline constexpr std::uint32_t kBlue = 0xff0000ff;
inline constexpr std::uint32_t kWhite = 0xffffffff;

class GuiFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Brings the device up as the framework does: create, then reset at 800x600.
  void CreateAndResetDevice();
  // Makes the target `scale` times 800x600 pixels, drawn in 800x600 units (before the device
  // is brought up). Pixel reads and bounds are in the target's pixels.
  void UseOutputScale(int scale);

  // Writes ./data/art/<name> (size w x h) whose four quadrants are red (top-left), green
  // (top-right), blue (bottom-left) and white (bottom-right). Returns the path.
  std::string WriteQuadrantPicture(const std::string& name, int w, int h);

  void ClearTarget();
  std::uint32_t Pixel(int x, int y);
  // Whether any pixel in [left, right) x [top, bottom) differs from black.
  bool AnyLit(int left, int top, int right, int bottom);
  // The bounding box of the non-black pixels of the whole target; empty when none.
  Rect LitBounds() { return LitBoundsWithin({0, 0, target->w, target->h}); }
  Rect LitBoundsWithin(const Rect& area);

  ScopedTempDir dir;
  SDL_Surface* target = nullptr;
  DXUTDevice device;
  DXUTSurfaceDesc backBuffer;
  cGUI gui;
};

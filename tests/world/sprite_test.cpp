// Sprites: which cell shows when, and how a sprite of the world lands on the screen.

#include "world/creatures/sprite.h"

#include <gtest/gtest.h>

#include <utility>

#include "support/gui_fixture.h"

namespace {

// Cells 0..7 of a four-column sheet in 0.8 s: 8.75 cells a second.
cSprite RunningSprite(int loop) {
  cSprite sprite;
  sprite.SetCellSize(64, 64);
  sprite.SetAnimation(0, 7, 4, 0.8f, loop);
  return sprite;
}

int CellShown(const cSprite& sprite) {
  return sprite.sourceRect.top / 64 * 4 + sprite.sourceRect.left / 64;
}

// Each cell is shown in order, row by row, wrapping to the first after 8 / 8.75 s; asking again
// for the running animation does not restart it, asking for another starts it at its first cell.
TEST(SpriteAnimation, ALoopShowsEveryCellInOrderAndWrapsAndAskingAgainDoesNotRestartIt) {
  cSprite sprite = RunningSprite(1);
  int shown = 0;
  double time = 0.0;
  while (time < 2.0) {
    sprite.Update(0.001f);
    time += 0.001;
    const int cell = CellShown(sprite);
    if (cell == shown) continue;
    if (cell == 0) break;
    ASSERT_EQ(cell, shown + 1) << "cells are shown in order";
    shown = cell;
  }
  EXPECT_EQ(shown, 7);
  EXPECT_NEAR(time, 8.0 / 8.75, 0.002);
  for (const auto& [before, after] : {std::pair{3.5f, 3.5f}, std::pair{9.0f, 0.0f}}) {
    sprite.frame = before;
    sprite.SetAnimation(0, 7, 4, 0.8f, 1);
    EXPECT_FLOAT_EQ(sprite.frame, after) << before;
  }
  // Without a loop the frame keeps running inside the last cell (kinds time their endings by
  // it) but never leaves it.
  sprite = RunningSprite(0);
  for (int i = 0; i < 120; ++i) sprite.Update(1.0f / 60.0f);
  EXPECT_TRUE(sprite.frame >= 7.0f && sprite.frame < 8.0f) << sprite.frame;
}

// Every creature, projectile and particle draws through the sprite: upright, centred on its
// place less the camera, mirrored left to right when flipped, never upside down.
class SpriteOnScreen : public GuiFixture {};

TEST_F(SpriteOnScreen, ASpriteIsDrawnUprightAndMirroredLeftToRightWhenFlipped) {
  CreateAndResetDevice();
  cSprite sprite;
  sprite.SetTexture(gui.GetResourceManager()->AddTexture(WriteQuadrantPicture("q.png", 64, 64)),
                    &gui);
  sprite.position = {1132.0f, 282.0f};  // its centre
  for (const int flipX : {0, 1}) {
    ClearTarget();
    sprite.flipX = flipX;
    ASSERT_TRUE(SUCCEEDED(gui.BeginImages()));
    sprite.Render(&gui, 1000.0f, 200.0f);
    ASSERT_TRUE(SUCCEEDED(gui.EndImages()));
    EXPECT_EQ(LitBounds(), (Rect{100, 50, 164, 114})) << flipX;
    // Red top-left and blue bottom-left as painted; green and white there when mirrored.
    EXPECT_EQ(Pixel(116, 66), flipX ? kGreen : kRed);
    EXPECT_EQ(Pixel(116, 98), flipX ? kWhite : kBlue);
  }

  // Scenery draws through the plain screen element: its top-left corner at its place less the
  // camera.
  cScreenElement scenery;
  scenery.SetTexture(sprite.texture, &gui);
  scenery.position = {1300.0f, 500.0f};
  ClearTarget();
  ASSERT_TRUE(SUCCEEDED(gui.BeginImages()));
  scenery.Render(&gui, 1000.0f, 200.0f);
  ASSERT_TRUE(SUCCEEDED(gui.EndImages()));
  EXPECT_EQ(LitBounds(), (Rect{300, 300, 364, 364}));
}

}  // namespace

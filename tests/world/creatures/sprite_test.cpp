#include "world/creatures/sprite.h"

#include <gtest/gtest.h>

namespace {

cSprite RunningSprite(int loop) {
  cSprite sprite;
  sprite.SetCellSize(64, 64);
  sprite.SetAnimation(0, 7, 4, 0.8f, loop);
  return sprite;
}

int CellShown(const cSprite& sprite) {
  return sprite.sourceRect.top / 64 * 4 + sprite.sourceRect.left / 64;
}

TEST(SpriteAnimation, RepeatingTheRunningAnimationDoesNotRestartIt) {
  cSprite sprite;
  sprite.frame = 3.5f;
  sprite.SetAnimation(0, 7, 4, 0.8f, 1);
  EXPECT_FLOAT_EQ(sprite.frame, 3.5f);

  sprite.frame = 9.0f;
  sprite.SetAnimation(0, 7, 4, 0.8f, 1);
  EXPECT_FLOAT_EQ(sprite.frame, 0.0f);

  sprite.frame = 2.0f;
  sprite.SetAnimation(4, 4, 4, 1.0f, 0);
  EXPECT_FLOAT_EQ(sprite.frame, 4.0f) << "a frame below the range starts the new animation";
}

TEST(SpriteAnimation, LoopShowsEveryCellInOrderAndWrapsAfterAboutPointNineOneFourSeconds) {
  cSprite sprite = RunningSprite(1);
  sprite.Update(1.0f / 8.75f);
  EXPECT_NEAR(sprite.frame, 1.0f, 1e-5f) << "8.75 cells per second";

  sprite = RunningSprite(1);
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
  const double wrappedAt = time;
  EXPECT_NEAR(wrappedAt, 8.0 / 8.75, 0.002);
  EXPECT_FLOAT_EQ(sprite.frame, 0.0f) << "the overshooting fraction is dropped";
}

TEST(SpriteAnimation, WithoutLoopTheLastCellStays) {
  cSprite sprite = RunningSprite(0);
  for (int i = 0; i < 120; ++i) {
    sprite.Update(1.0f / 60.0f);
    if (i > 60) {
      ASSERT_EQ(CellShown(sprite), 7);
    }
  }
  // The frame keeps running inside the last cell (kinds time their endings by it) but never
  // leaves it.
  EXPECT_GE(sprite.frame, 7.0f);
  EXPECT_LT(sprite.frame, 8.0f);
}

TEST(SpriteAnimation, ZeroDurationPinsTheFirstFrameWhateverTheStep) {
  cSprite sprite;
  sprite.SetCellSize(64, 64);
  sprite.SetAnimation(5, 9, 4, 0.0f, 1);
  sprite.frame = 7.0f;
  sprite.Update(123.0f);
  EXPECT_FLOAT_EQ(sprite.frame, 5.0f);
  EXPECT_EQ(sprite.sourceRect, (Rect{64, 64, 128, 128}));
}

TEST(SpriteCells, CellNineOfAFourColumnSheetLiesInRowTwoColumnOne) {
  cSprite sprite;
  sprite.SetCellSize(64, 64);
  sprite.SetAnimation(9, 9, 4, 1.0f, 1);
  sprite.Update(0.0f);
  EXPECT_EQ(sprite.sourceRect, (Rect{64, 128, 128, 192}));
}

TEST(SpriteCells, ZeroColumnsLeaveTheSourceRectangleAlone) {
  cSprite sprite;
  sprite.sourceRect = Rect{1, 2, 3, 4};
  sprite.SetCellSize(64, 64);
  sprite.SetAnimation(0, 3, 0, 1.0f, 1);
  sprite.Update(0.5f);
  EXPECT_EQ(sprite.sourceRect, (Rect{1, 2, 3, 4}));
  EXPECT_FLOAT_EQ(sprite.frame, 1.5f);
}

TEST(ToArgb, ClampsEachChannelAndRoundsTheRest) {
  EXPECT_EQ(ToArgb(Colour{1.2f, 0.5f, -0.1f, 1.0f}), 0xffff8000u);
  EXPECT_EQ(ToArgb(Colour{0.0f, 0.0f, 0.0f, 0.0f}), 0x00000000u);
  EXPECT_EQ(ToArgb(Colour{}), 0xffffffffu);
  EXPECT_EQ(ToArgb(Colour{0.1f, 0.2f, 0.3f, 0.627f}), 0xa01a334du);
}

TEST(ScreenElement, WithoutAGuiOrTextureNothingChangesOrDraws) {
  cScreenElement element;
  element.SetTexture(0, nullptr);
  EXPECT_EQ(element.texture, -1);
  EXPECT_EQ(element.sourceRect, Rect{});
  element.Render(nullptr, 0.0f, 0.0f);
  cSprite sprite;
  sprite.Render(nullptr, 0.0f, 0.0f);
}

}  // namespace

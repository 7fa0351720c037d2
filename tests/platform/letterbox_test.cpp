#include "platform/letterbox.h"

#include <gtest/gtest.h>

namespace {

void ExpectRect(const ScreenRect& rect, int x, int y, int w, int h) {
  EXPECT_EQ(rect.x, x);
  EXPECT_EQ(rect.y, y);
  EXPECT_EQ(rect.w, w);
  EXPECT_EQ(rect.h, h);
}

TEST(Letterbox, TheBackBuffersOwnSizeIsCoveredExactly) { ExpectRect(LetterboxRect(800, 600), 0, 0, 800, 600); }

TEST(Letterbox, AWideScreenGetsBarsLeftAndRight) { ExpectRect(LetterboxRect(1920, 1080), 240, 0, 1440, 1080); }

TEST(Letterbox, ATallScreenGetsBarsAboveAndBelow) { ExpectRect(LetterboxRect(1280, 1024), 0, 32, 1280, 960); }

TEST(Letterbox, AnOutputWithoutAreaGetsNothing) {
  ExpectRect(LetterboxRect(0, 600), 0, 0, 0, 0);
  ExpectRect(LetterboxRect(800, -1), 0, 0, 0, 0);
}

}  // namespace

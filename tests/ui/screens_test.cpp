// What the menu screens put on the back buffer, read back pixel by pixel.

#include <SDL.h>

#include <gtest/gtest.h>

#include "platform/dxut.h"
#include "platform/sdl_device.h"
#include "support/game_fixture.h"
#include "support/picture.h"

namespace {

struct Pixel {
  int r = 0;
  int g = 0;
  int b = 0;
};

class MenuScreens : public GameFixture {
 protected:
  // The back buffer as the last frame left it.
  Pixel At(int x, int y) {
    const std::uint32_t value = ReadPixel(DXUTGetD3DDevice()->renderer, x, y);
    return {static_cast<int>((value >> 16) & 0xff), static_cast<int>((value >> 8) & 0xff),
            static_cast<int>(value & 0xff)};
  }
  // The mean brightness of a row of pixels across the screen.
  double RowBrightness(int y) {
    double sum = 0.0;
    for (int x = 0; x < 800; x += 16) {
      const Pixel p = At(x, y);
      sum += (p.r + p.g + p.b) / 3.0;
    }
    return sum / 50.0;
  }
};

TEST_F(MenuScreens, TheHighlightBandCoversTheSelectedRowOnly) {
  RunFrames(1);
  game().menuSelection = 2;
  RunFrames(1);
  // Row 2 spans y 440..480; away from the text at the screen's edge the band is green.
  const Pixel inBand = At(20, 460);
  const Pixel above = At(20, 430);
  const Pixel below = At(20, 490);
  EXPECT_GT(inBand.g, inBand.b + 60);
  EXPECT_GT(inBand.g, above.g + 60);
  EXPECT_GT(inBand.g, below.g + 60);
}

TEST_F(MenuScreens, TheCreditsDimTheTitlePicture) {
  RunFrames(1);
  const double titleRow = RowBrightness(100);
  Tap('C');
  RunFrames(1);
  ASSERT_EQ(game().screen, kScreenCredits);
  const double dimmedRow = RowBrightness(100);
  ASSERT_GT(titleRow, 20.0) << "the title picture should show at the top of the screen";
  // A 160/255 black band leaves 95/255 of the picture.
  EXPECT_NEAR(dimmedRow / titleRow, 95.0 / 255.0, 0.06);
}

TEST_F(MenuScreens, TheHallOfFameIsDrawnOnBlack) {
  RunFrames(1);
  Tap(VK_DOWN);
  Tap(VK_DOWN);
  Tap(VK_RETURN);
  RunFrames(1);
  ASSERT_EQ(game().screen, kScreenHallOfFame);
  EXPECT_LT(RowBrightness(300), 1.0);
}

}  // namespace

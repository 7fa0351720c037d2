// What the screens and a match's first frame put on the back buffer, read back pixel by pixel.

#include <SDL.h>

#include <vector>

#include "platform/dxut.h"
#include "platform/sdl_device.h"
#include "support/game_fixture.h"
#include "support/picture.h"
#include "ui/gui.h"
#include "world/creatures/creature.h"

namespace {

class MenuScreens : public GameFixture {
 protected:
  // Rows [top, bottom) of the back buffer as the last frame left them.
  Screenshot Rows(int top, int bottom) {
    return Screenshot(DXUTGetD3DDevice()->renderer, {0, top, 800, bottom - top});
  }
  // How many pixels of rows [top, bottom) have a channel brighter than `minimum`.
  int LitPixels(int top, int bottom, int minimum = 64) {
    return Rows(top, bottom).CountLit(minimum);
  }
  // The mean brightness of row y.
  double RowBrightness(int y) {
    double sum = 0.0;
    const auto row = Rows(y, y + 1);
    for (const std::uint32_t p : row.Pixels())
      sum += (p & 0xff) + (p >> 8 & 0xff) + (p >> 16 & 0xff);
    return sum / (3 * 800);
  }
};

// A menu that stands still is drawn once and shown until it changes: a key changes it at the
// next frame. The credits change frame after frame while their texts fade, and F3 shows the
// frame counter on every screen.
TEST_F(MenuScreens, AStillMenuIsDrawnOnceTheCreditsEveryFrameTheyFadeAndF3ShowsTheCounter) {
  const auto presents = [] { return DXUTGetFrameTimesWholeRun().frames; };
  RunFrames(40);  // the new window settles
  const auto still = presents();
  RunFrames(30);
  EXPECT_EQ(presents(), still) << "the title at rest";
  const double secondItem = RowBrightness(420);
  Tap(VK_DOWN);
  RunFrames(1);
  EXPECT_EQ(presents(), still + 1);
  EXPECT_NE(RowBrightness(420), secondItem) << "the highlight moved down";

  Tap('C');
  RunFrames(51);  // the first heading shows fully, the names not yet
  const auto credits = presents();
  RunFrames(60);  // the heading fades from 10 frames in
  EXPECT_GE(presents(), credits + 50);

  Tap(VK_F1 + 2);
  RunFrames(3);
  const std::uint32_t shown = Rows(585, 586).At(790, 585);
  Tap(VK_F1 + 2);
  RunFrames(1);
  EXPECT_NE(Rows(585, 586).At(790, 585), shown);
}

// A match loads inside one frame move: each progress step must draw and show the loading
// screen itself, or the player looks at a frozen picture until the match appears.
TEST_F(MenuScreens, EveryProgressStepDrawsTheLoadingScreen) {
  RunFrames(1);
  SDL_SetRenderDrawColor(DXUTGetD3DDevice()->renderer, 255, 0, 0, 255);
  SDL_RenderClear(DXUTGetD3DDevice()->renderer);
  game().state = kStateLoading;
  game().SetProgress(0.5f);
  EXPECT_EQ(Rows(5, 6).At(5, 5) & 0xff0000, 0u) << "the old red picture is gone";
  EXPECT_GT(LitPixels(300, 316), 50) << "\"Loading.. 50 %\" in the middle of the screen";
}

// The hall of fame draws no pictures: the stretched copies of the title go after 10 s there.
TEST_F(MenuScreens, TheHallOfFameLetsThePicturesOfTheTitleGo) {
  game().ShowScreen(kScreenTitle);
  RunFrames(1);
  ASSERT_GT(gui().StretchedCopyCount(), 0);
  game().ShowScreen(kScreenHallOfFame);
  RunFrames(11, 1.0);
  EXPECT_EQ(gui().StretchedCopyCount(), 0);
}

}  // namespace

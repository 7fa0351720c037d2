// What the screens and a match's first frame put on the back buffer, read back pixel by pixel.

#include <SDL.h>

#include <cmath>
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
// next frame. The credits dim the title, and their texts change frame after frame while they
// fade: each entry's heading shows at once and has faded out 3 s in, as the names fade in.
TEST_F(MenuScreens, AStillMenuIsDrawnOnceTheCreditsEveryFrameTheyFadeAndF3ShowsTheCounter) {
  const auto presents = [] { return DXUTGetFrameTimesWholeRun().frames; };
  RunFrames(40);  // the new window settles
  const double titleRow = RowBrightness(100);
  ASSERT_GT(titleRow, 20.0) << "the title picture should show at the top of the screen";
  const auto still = presents();
  RunFrames(30);
  EXPECT_EQ(presents(), still) << "the title at rest";
  const double secondItem = RowBrightness(420);
  Tap(VK_DOWN);
  RunFrames(1);
  EXPECT_EQ(presents(), still + 1);
  EXPECT_NE(RowBrightness(420), secondItem) << "the highlight moved down";

  Tap('C');
  RunFrames(1);
  ASSERT_EQ(game().screen, kScreenCredits);
  EXPECT_NEAR(RowBrightness(100) / titleRow, 95.0 / 255.0, 0.06) << "a 160/255 black band";
  EXPECT_GT(LitPixels(280, 312, 200), 50) << "the heading";
  const auto credits = presents();
  RunFrames(50);  // the heading shows fully, the names not yet
  EXPECT_EQ(presents(), credits);
  RunFrames(60);  // the heading fades from 10 frames in
  EXPECT_GE(presents(), credits + 50);
  RunFrames(100);
  EXPECT_EQ(LitPixels(280, 312, 150), 0) << "the heading, 3.5 s in";
  EXPECT_GT(LitPixels(340, 372, 150), 50) << "the names";

  // F3 shows the frame counter in the bottom-right corner on every screen; F3 again hides it.
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

// Entering a name takes a prompt of two lines, going on one. The prompt blinks as sin(4 t):
// it is drawn at a time when it shows fully.
// The hall of fame draws no pictures: the stretched copies of the title go after 10 s there.
TEST_F(MenuScreens, TheHallOfFameAsksForANameOnlyWhenANewScoreEntersAndLetsPicturesGo) {
  game().ShowScreen(kScreenTitle);
  RunFrames(1);
  ASSERT_GT(gui().StretchedCopyCount(), 0);
  constexpr double kPeriod = 3.14159265 / 2.0;
  const double now = DXUTGetTime();
  RunFrames(1, kPeriod / 4.0 + kPeriod * std::ceil(now / kPeriod) - now);
  game().gold = 12;
  game().matchTime = 95.25f;
  game().ShowScreen(kScreenHallOfFame);
  ASSERT_EQ(game().nameEntryActive, 1);
  RunFrames(1, 0.0);
  EXPECT_GT(LitPixels(538, 552), 50) << "please enter your name / (confirm with enter)";
  game().nameEntryActive = 0;
  RunFrames(1, 0.0);
  EXPECT_EQ(LitPixels(538, 552), 0) << "press enter to continue";
  RunFrames(11, 1.0);
  EXPECT_EQ(gui().StretchedCopyCount(), 0);
}

}  // namespace

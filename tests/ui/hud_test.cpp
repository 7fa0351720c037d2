// The HUD drawn into the back buffer and read back: bar lengths, widths and colours, hero
// badges, the aiming mark and the pause dimming; and the clock's text.

#include <SDL.h>

#include <cmath>

#include "platform/dxut.h"
#include "platform/sdl_device.h"
#include "support/match_world.h"
#include "support/picture.h"
#include "ui/gui.h"
#include "ui/hud.h"

namespace {

constexpr std::uint32_t kOpaqueBlack = 0xff000000;
constexpr std::uint32_t kOpaqueWhite = 0xffffffff;

class HudTest : public DragonMatch {
 protected:
  void SetUp() override {
    DragonMatch::SetUp();
    // The portrait's entry exists but shows nothing, so the bars lie bare.
    game().hudTexture = game().LoadTexture("./data/art/no-such-portrait.png");
    game().heroHudTexture = game().hudTexture;
    dragon().position = {3000.0f, 900.0f};
    game().camera = {0.0f, 0.0f};  // the dragon far off screen
  }

  // One HUD frame on a black back buffer; a long frame lets the health bar catch up at once.
  void Render(float elapsed = 0.125f, std::uint32_t clear = kOpaqueBlack) {
    DXUTDevice* device = DXUTGetD3DDevice();
    ASSERT_NE(device, nullptr);
    SDL_SetRenderTarget(device->renderer, device->backBuffer);
    SDL_SetRenderDrawColor(device->renderer, (clear >> 16) & 0xff, (clear >> 8) & 0xff,
                           clear & 0xff, 0xff);
    SDL_RenderClear(device->renderer);
    RenderHud(game(), elapsed);
  }

  std::uint32_t Pixel(int x, int y) { return ReadPixel(DXUTGetD3DDevice()->renderer, x, y); }
  bool Lit(int x, int y) { return Pixel(x, y) != kOpaqueBlack; }

  // The first and last lit positions of a run of pixels, (-1, -1) when none is lit.
  template <class IsLit>
  static std::pair<int, int> LitRun(int from, int to, IsLit isLit) {
    std::pair<int, int> run{-1, -1};
    for (int i = from; i < to; ++i) {
      if (!isLit(i)) continue;
      if (run.first < 0) run.first = i;
      run.second = i;
    }
    return run;
  }
  // The first and last lit columns of row y within [from, to).
  std::pair<int, int> LitSpan(int y, int from = 0, int to = 800) {
    return LitRun(from, to, [&](int x) { return Lit(x, y); });
  }
  // The first and last lit rows of column x within [from, to).
  std::pair<int, int> LitRows(int x, int from, int to) {
    return LitRun(from, to, [&](int y) { return Lit(x, y); });
  }
};

TEST_F(HudTest, AFullHealthBarRunsFromFifteenToTwoHundredAndTenInGreenAndNoHealthShowsNone) {
  dragon().health = 100.0f;
  Render();
  EXPECT_EQ(LitSpan(57, 0, 400), std::make_pair(15, 209));
  EXPECT_EQ(LitRows(100, 30, 70), std::make_pair(49, 64)) << "16 wide about y 57";
  EXPECT_EQ(Pixel(100, 57), 0xff90f000u);
  dragon().health = 0.0f;
  Render();
  EXPECT_EQ(LitSpan(57, 0, 400).first, -1);
}

TEST_F(HudTest, TheHealthColourRunsFromRedThroughYellowToGreen) {
  EXPECT_EQ(HealthBarColour(0.0f), 0xa0ff0000u);
  EXPECT_EQ(HealthBarColour(0.5f), 0xc0ffff00u);
  EXPECT_EQ(HealthBarColour(1.0f), 0xff90f000u);
  EXPECT_EQ(HealthBarColour(0.25f), 0xb0ff8000u);
}

TEST_F(HudTest, TheBreathBarGrowsWithTheChargeAndPulsesWhenFull) {
  dragon().charge = 1.0f;
  Render();
  EXPECT_EQ(LitSpan(82, 0, 400), std::make_pair(15, 109));
  dragon().charge = -1.0f;
  Render();
  EXPECT_EQ(LitSpan(82, 0, 400).first, -1);
  dragon().charge = 2.0f;
  Render();
  EXPECT_EQ(LitSpan(82, 0, 400), std::make_pair(15, 209));
  EXPECT_EQ(Pixel(100, 82), kOpaqueWhite) << "full";
}

TEST_F(HudTest, TheGoldBarFlashesRedWhileGoldIsLost) {
  game().goldLossTimer = 2.5525440f;  // sin(8 t) = 1: opaque red, 22 wide
  Render();
  EXPECT_EQ(Pixel(150, 107), 0xffff0000u);
  EXPECT_EQ(LitRows(150, 80, 140), std::make_pair(96, 117));
  game().goldLossTimer = 0.0f;
  Render();
  EXPECT_EQ(Pixel(150, 94), kOpaqueBlack);
}

TEST_F(HudTest, EveryHeroGetsABadgeDownTheRightEdge) {
  cCreature* strong = Spawn(kTypeHero, {1000.0f, 900.0f});
  cCreature* weak = Spawn(kTypeHero, {1200.0f, 900.0f});
  strong->health = 400.0f;
  weak->health = 100.0f;
  Render();
  EXPECT_EQ(LitSpan(60, 400, 800), std::make_pair(594, 788));
  EXPECT_EQ(LitSpan(124, 400, 800), std::make_pair(744, 788));
  EXPECT_EQ(LitRows(700, 40, 140), std::make_pair(53, 66));
  Render(0.125f, kOpaqueWhite);
  EXPECT_NE(Pixel(591, 60), kOpaqueWhite) << "the dark backing reaches 205 in from the edge";
  EXPECT_EQ(Pixel(587, 60), kOpaqueWhite);
}

TEST_F(HudTest, TheAimingMarkShowsWhileSpaceIsHeld) {
  dragon().position = {400.0f, 300.0f};
  dragon().aim = 0.0f;
  const Vec2 mouth = dragon().position + dragon().GetMouthOffset();
  const Vec2 middle = mouth + game().GetAimDirection() * 85.0f;
  Render();
  EXPECT_FALSE(Lit(static_cast<int>(middle.x), static_cast<int>(middle.y)));
  Hold(VK_SPACE, true);
  Render();
  const std::uint32_t mark = Pixel(static_cast<int>(middle.x), static_cast<int>(middle.y));
  EXPECT_GT((mark >> 8) & 0xff, 0x60u) << "green";
  EXPECT_EQ((mark >> 16) & 0xff, (mark >> 16) & 0x1f) << "hardly red";
  const Vec2 closer = mouth + game().GetAimDirection() * 60.0f;
  EXPECT_FALSE(Lit(static_cast<int>(closer.x), static_cast<int>(closer.y)));
  Hold(VK_SPACE, false);
}

TEST_F(HudTest, PauseDimsTheWholeScreen) {
  game().paused = 1;
  Render(0.125f, kOpaqueWhite);
  EXPECT_EQ(Pixel(400, 200), 0xff5f5f5fu);
  EXPECT_EQ(Pixel(10, 590), 0xff5f5f5fu);
  game().paused = 0;
  Render(0.125f, kOpaqueWhite);
  EXPECT_EQ(Pixel(400, 200), kOpaqueWhite);
}

TEST(MatchClockText, MinutesSecondsAndHundredths) {
  EXPECT_EQ(FormatMatchClock(0.0f), L"00:00.00");
  EXPECT_EQ(FormatMatchClock(125.5f), L"02:05.50");
  EXPECT_EQ(FormatMatchClock(61.25f), L"01:01.25");
  EXPECT_EQ(FormatMatchClock(6000.0f), L"100:00.00");
  EXPECT_EQ(FormatMatchClock(3599.99f), L"59:59.98") << "truncated from the stored float";
}

}  // namespace

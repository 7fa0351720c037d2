// The HUD drawn into the back buffer and read back: the bars and the clock's text. (The
// recorded play holds the rest of its look: the radar, the hero badges, the aiming mark, pause.)

#include <SDL.h>

#include <utility>

#include "platform/dxut.h"
#include "platform/sdl_device.h"
#include "support/match_world.h"
#include "support/picture.h"
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
  void Render() {
    SDL_Renderer* renderer = DXUTGetD3DDevice()->renderer;
    SDL_SetRenderTarget(renderer, DXUTGetD3DDevice()->backBuffer);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0xff);
    SDL_RenderClear(renderer);
    RenderHud(game(), 1.0f);
  }

  std::uint32_t Pixel(int x, int y) { return ReadPixel(DXUTGetD3DDevice()->renderer, x, y); }

  // The first and last lit pixels from `from` to `to` (exclusive) of row `at`; (-1, -1) when
  // none is lit.
  std::pair<int, int> LitSpan(int at, int from, int to) {
    std::pair<int, int> run{-1, -1};
    for (int i = from; i < to; ++i) {
      if (Pixel(i, at) == kOpaqueBlack) continue;
      if (run.first < 0) run.first = i;
      run.second = i;
    }
    return run;
  }
};

// Health and breath bars grow from one left edge with what they show, and health turns from red through yellow to green as it
// rises. The gold bar flashes red while attackers carry gold out of the lair, next to the
// gold count. The clock shows minutes, seconds and hundredths.
TEST_F(HudTest, TheBarsShowHealthBreathAndGoldAndTheClockItsTime) {
  constexpr int kHealthRow = 57, kBreathRow = 82, kGoldRow = 107;
  const auto length = [](std::pair<int, int> span) { return span.second - span.first + 1; };
  dragon().health = 100.0f;
  dragon().charge = 2.0f;
  game().goldLossTimer = 2.5525440f;  // at the flash's brightest
  Render();
  const auto full = LitSpan(kHealthRow, 0, 800);
  EXPECT_EQ(LitSpan(kBreathRow, 0, 800), full);
  EXPECT_EQ(full.first, 15) << "in line with the clock below";
  EXPECT_EQ(Pixel(full.first + 50, kBreathRow), kOpaqueWhite) << "a full breath pulses";
  EXPECT_EQ(Pixel(150, kGoldRow), 0xffff0000u) << "gold lost";
  const auto channel = [](float fraction, int shift) {
    return HealthBarColour(fraction) >> shift & 0xff;
  };
  EXPECT_GT(channel(0.0f, 16), channel(0.0f, 8)) << "red when low";
  EXPECT_EQ(channel(0.5f, 16), channel(0.5f, 8)) << "yellow at half";
  EXPECT_LT(channel(1.0f, 16), channel(1.0f, 8)) << "green when full";

  dragon().health = 50.0f;
  dragon().charge = 1.0f;
  game().goldLossTimer = 0.0f;
  game().gold = 888;
  Render();
  for (const int row : {kHealthRow, kBreathRow}) {
    const auto half = LitSpan(row, 0, 800);
    EXPECT_EQ(half.first, full.first) << row;
    EXPECT_NEAR(length(half), length(full) / 2, 3) << row;
  }
  EXPECT_EQ(Pixel(150, kGoldRow), kOpaqueBlack) << "no gold lost";
  EXPECT_NE(LitSpan(kGoldRow - 2, 160, 212).first, -1) << "the gold count, right-aligned";
  dragon().health = 0.0f;
  Render();
  EXPECT_EQ(LitSpan(kHealthRow, 0, 400).first, -1) << "no health";
  EXPECT_EQ(FormatMatchClock(125.5f), L"02:05.50");
  EXPECT_EQ(FormatMatchClock(6000.0f), L"100:00.00");
  EXPECT_EQ(FormatMatchClock(3599.99f), L"59:59.98") << "truncated from the stored float";
}

}  // namespace

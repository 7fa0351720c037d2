// The HUD drawn into the back buffer and read back: the bars, the hero badges, the aiming mark
// and the pause dimming; and the clock's text.

#include <SDL.h>

#include <array>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/dxut.h"
#include "platform/sdl_device.h"
#include "support/match_world.h"
#include "support/picture.h"
#include "ui/hud.h"
#include "ui/radar.h"

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

  // One HUD frame on a grey back buffer (black by default); a long frame lets the health bar
  // catch up at once.
  void Render(std::uint8_t grey = 0) {
    SDL_Renderer* renderer = DXUTGetD3DDevice()->renderer;
    SDL_SetRenderTarget(renderer, DXUTGetD3DDevice()->backBuffer);
    SDL_SetRenderDrawColor(renderer, grey, grey, grey, 0xff);
    SDL_RenderClear(renderer);
    RenderHud(game(), 1.0f);
  }

  std::uint32_t Pixel(int x, int y) { return ReadPixel(DXUTGetD3DDevice()->renderer, x, y); }

  // The first and last lit pixels from `from` to `to` (exclusive) of row `at` (or of column
  // `at`); (-1, -1) when none is lit.
  std::pair<int, int> LitSpan(int at, int from, int to, bool column = false) {
    std::pair<int, int> run{-1, -1};
    for (int i = from; i < to; ++i) {
      if ((column ? Pixel(at, i) : Pixel(i, at)) == kOpaqueBlack) continue;
      if (run.first < 0) run.first = i;
      run.second = i;
    }
    return run;
  }
};

// Health and breath bars grow from one left edge with what they show, over a dark backing a
// little longer than a full bar, and health turns from red through yellow to green as it
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
  Render(0xff);
  for (const int row : {kHealthRow, kBreathRow}) {
    EXPECT_NE(Pixel(full.second + 2, row), kOpaqueWhite) << "backed beyond a full bar";
    EXPECT_EQ(Pixel(full.second + 10, row), kOpaqueWhite) << "and no further";
  }
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

// Each hero's bar grows leftwards from one right edge with its health, over a dark backing
// just longer than a full bar; no health, no bar. Pause dims everything. The aiming mark, a
// short green dash 70 to 100 from the mouth along the aim, shows while Space is held.
TEST_F(HudTest, HeroBadgesDownTheRightEdgeTheAimingMarkWhileSpaceIsHeldAndPauseDims) {
  const float healths[] = {400.0f, 100.0f, 0.0f};
  for (int i = 0; i < 3; ++i) Spawn(kTypeHero, {1000.0f + 200.0f * i, 900.0f})->health = healths[i];
  Render();
  const auto full = LitSpan(60, 400, 800), quarter = LitSpan(124, 400, 800);
  EXPECT_TRUE(full.second > 780 && quarter.second == full.second);
  EXPECT_NEAR(quarter.second - quarter.first, (full.second - full.first) / 4, 5);
  EXPECT_EQ(LitSpan(188, 400, 800).first, -1);
  Render(0xff);
  EXPECT_NE(Pixel(full.first - 2, 60), kOpaqueWhite) << "backed beyond a full bar";
  EXPECT_EQ(Pixel(full.first - 10, 60), kOpaqueWhite);

  dragon().position = {400.0f, 300.0f};
  dragon().aim = 0.0f;
  // The nearest and farthest lit points along the aim, in whole pixels from the mouth.
  const auto mark = [&] {
    Render();
    std::pair<int, int> lit{-1, -1};
    for (int distance = 0; distance < 150; ++distance) {
      const Vec2 p = dragon().position + dragon().GetMouthOffset() +
                     game().GetAimDirection() * static_cast<float>(distance);
      const std::uint32_t colour = Pixel(static_cast<int>(p.x), static_cast<int>(p.y));
      if (colour == kOpaqueBlack) continue;
      EXPECT_TRUE((colour >> 8 & 0xff) > 0x60 && (colour >> 16 & 0xff) < 0x20) << "green";
      lit = {lit.first < 0 ? distance : lit.first, distance};
    }
    return lit;
  };
  EXPECT_EQ(mark().first, -1);
  Hold(VK_SPACE, true);
  const auto [nearest, farthest] = mark();
  EXPECT_TRUE(std::abs(nearest - 70) <= 2 && std::abs(farthest - 100) <= 2)
      << nearest << ", " << farthest;
  Hold(VK_SPACE, false);
  game().paused = 1;
  Render(0xff);
  EXPECT_EQ(Pixel(400, 200), 0xff5f5f5fu) << "pause dims the whole screen";
  EXPECT_EQ(Pixel(10, 590), 0xff5f5f5fu);
}

// While a hero is on the field the world behind the front creatures darkens evenly, corner to
// corner.
TEST_F(HudTest, AHeroOnTheFieldDarkensTheWorldEvenly) {
  const auto corners = [&] {
    SDL_SetRenderTarget(DXUTGetD3DDevice()->renderer, DXUTGetD3DDevice()->backBuffer);
    game().RenderMatch(DXUTGetD3DDevice(), 0.0f);
    return std::array{Pixel(2, 2), Pixel(797, 2), Pixel(2, 597), Pixel(797, 597)};
  };
  const auto bright = corners();
  Spawn(kTypeHero, {5000.0f, kGroundY});  // far off screen
  const auto dark = corners();
  for (std::size_t i = 0; i < bright.size() * 3; ++i) {
    const int shift = 8 * static_cast<int>(i % 3), was = bright[i / 3] >> shift & 0xff;
    EXPECT_NEAR(dark[i / 3] >> shift & 0xff, was * 0x5f / 0xff, 2) << "corner " << i / 3;
  }
}

// The radar spans the valley from x -300 to 5700 across its strip: an attacker lights it where
// it stands and its mark follows it, each kind in a colour of its own, a zeppelin high in the sky
// above one at its station; the frame follows the camera.
TEST_F(HudTest, TheRadarMarksEachAttackerWhereItIsAndFramesTheView) {
  const auto column = [](float x) {
    return kRadarStrip.left + static_cast<int>(kRadarStrip.Width() * (x + 300.0f) / 6000.0f);
  };
  // Between the village and the lair, at the height of creatures standing at y 900.
  const auto litOnRow = [&](int row) { return LitSpan(row, column(300.0f), column(5400.0f)); };
  dragon().position.y = -200.0f;  // its mark at the strip's top
  std::set<std::uint32_t> colours;
  for (const int type : {kTypeArcher, kTypeWizard, kTypeHero, kTypeZeppelin}) {
    cCreature* attacker = Spawn(type, {1200.0f, 900.0f});
    for (const float x : {1200.0f, 4200.0f}) {
      attacker->position.x = x;
      Render();
      const auto [left, right] = litOnRow(30);
      EXPECT_NEAR(0.5f * static_cast<float>(left + right), column(x), 2.0f) << "type " << type;
    }
    colours.insert(Pixel(column(4200.0f), 30));
    attacker->position.y = 0.0f;
    Render();
    EXPECT_EQ(litOnRow(30).first, -1) << "type " << type << " high up";
    ASSERT_TRUE(SUCCEEDED(game().RemoveCreature(attacker)));
  }
  EXPECT_EQ(colours.size(), 4u);

  for (const float x : {700.0f, 2450.0f}) {
    game().camera = {x, 400.0f};
    Render();
    EXPECT_NEAR(litOnRow(26).first, column(x), 1);
    EXPECT_NEAR(litOnRow(26).second, column(x + 800.0f), 1);
  }
}

}  // namespace

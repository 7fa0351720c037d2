// The HUD drawn into the back buffer and read back: the bars, the hero badges, the aiming mark
// and the pause dimming; and the clock's text.

#include <SDL.h>

#include <array>
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

// Health and breath bars start at x 15 and are 200 long when full; the gold bar below them
// flashes red while attackers carry gold out of the lair, next to the gold count. The clock
// shows minutes, seconds and hundredths.
TEST_F(HudTest, TheBarsShowHealthBreathAndGoldAndTheClockItsTime) {
  dragon().health = 100.0f;
  dragon().charge = 1.0f;
  game().goldLossTimer = 2.5525440f;  // sin(8 t) = 1: opaque red, 22 wide
  Render();
  EXPECT_EQ(LitSpan(57, 0, 400), std::make_pair(15, 209)) << "full health";
  EXPECT_EQ(Pixel(100, 57), 0xff90f000u) << "green";
  EXPECT_EQ(HealthBarColour(0.0f), 0xa0ff0000u) << "red when low";
  EXPECT_EQ(HealthBarColour(0.5f), 0xc0ffff00u) << "yellow at half";
  EXPECT_EQ(LitSpan(82, 0, 400), std::make_pair(15, 109)) << "half a full breath";
  EXPECT_EQ(Pixel(150, 107), 0xffff0000u);
  EXPECT_EQ(LitSpan(150, 80, 140, true), std::make_pair(96, 117));

  dragon().health = 0.0f;
  dragon().charge = 2.0f;
  game().goldLossTimer = 0.0f;
  game().gold = 888;
  Render();
  EXPECT_EQ(LitSpan(57, 0, 400).first, -1) << "no health";
  EXPECT_EQ(LitSpan(82, 0, 400), std::make_pair(15, 209));
  EXPECT_EQ(Pixel(100, 82), kOpaqueWhite) << "a full breath pulses";
  EXPECT_EQ(Pixel(150, 107), kOpaqueBlack) << "no gold lost";
  EXPECT_NE(LitSpan(105, 160, 212).first, -1) << "the gold count, right-aligned";
  EXPECT_EQ(FormatMatchClock(125.5f), L"02:05.50");
  EXPECT_EQ(FormatMatchClock(6000.0f), L"100:00.00");
  EXPECT_EQ(FormatMatchClock(3599.99f), L"59:59.98") << "truncated from the stored float";
}

// A bar grows leftwards from the right edge under each hero's badge; no health, no bar. Pause
// dims everything. The aiming mark, a short green dash 70 to 100 from the mouth along the aim,
// shows while Space is held.
TEST_F(HudTest, HeroBadgesDownTheRightEdgeTheAimingMarkWhileSpaceIsHeldAndPauseDims) {
  const float healths[] = {400.0f, 100.0f, 0.0f};
  for (int i = 0; i < 3; ++i) Spawn(kTypeHero, {1000.0f + 200.0f * i, 900.0f})->health = healths[i];
  Render();
  EXPECT_EQ(LitSpan(60, 400, 800), std::make_pair(594, 788));
  EXPECT_EQ(LitSpan(124, 400, 800), std::make_pair(744, 788));
  EXPECT_EQ(LitSpan(188, 400, 800).first, -1);
  EXPECT_EQ(LitSpan(700, 40, 100, true), std::make_pair(53, 66));
  Render(0xff);
  EXPECT_NE(Pixel(591, 60), kOpaqueWhite) << "the dark backing reaches 205 in from the edge";
  EXPECT_EQ(Pixel(587, 60), kOpaqueWhite);

  dragon().position = {400.0f, 300.0f};
  dragon().aim = 0.0f;
  const auto along = [&](float distance) {
    const Vec2 p =
        dragon().position + dragon().GetMouthOffset() + game().GetAimDirection() * distance;
    return Pixel(static_cast<int>(p.x), static_cast<int>(p.y));
  };
  Render();
  EXPECT_EQ(along(85.0f), kOpaqueBlack);
  Hold(VK_SPACE, true);
  Render();
  EXPECT_GT((along(85.0f) >> 8) & 0xff, 0x60u) << "green";
  EXPECT_LT((along(85.0f) >> 16) & 0xff, 0x20u) << "hardly red";
  EXPECT_EQ(along(60.0f), kOpaqueBlack);
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
  for (std::size_t i = 0; i < bright.size(); ++i) {
    for (const int shift : {0, 8, 16}) {
      const int was = (bright[i] >> shift) & 0xff, is = (dark[i] >> shift) & 0xff;
      EXPECT_NEAR(is, was * 0x5f / 0xff, 2) << "corner " << i;
    }
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

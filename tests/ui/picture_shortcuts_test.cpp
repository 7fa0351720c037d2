// The drawing shortcuts (dropping what misses the screen, copying opaque pictures, drawing
// scenery and menu pictures from copies stretched once) change how a frame is drawn, never
// what: every pixel of a frame drawn with them equals the frame drawn without.

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/dxut.h"
#include "platform/sdl_device.h"
#include "support/game_fixture.h"
#include "support/picture.h"
#include "ui/gui.h"
#include "world/creatures/creature.h"
#include "world/projectiles/projectile.h"

namespace {

class PictureShortcuts : public GameFixture {
 protected:
  // The frame as the game draws it, read back from the back buffer.
  std::vector<std::uint32_t> Frame(bool shortcuts) {
    gui().SetDrawingShortcuts(shortcuts);
    DXUTDevice* device = DXUTGetD3DDevice();
    game().OnFrameRender(device, 0.0f);
    std::vector<std::uint32_t> pixels = Screenshot(device->renderer).Pixels();
    gui().SetDrawingShortcuts(true);
    return pixels;
  }

  void ExpectSameWithAndWithoutShortcuts() {
    Frame(false);  // lets the HUD's bars settle
    const std::vector<std::uint32_t> plain = Frame(false);
    const std::vector<std::uint32_t> shortcut = Frame(true);
    int differing = 0;
    for (std::size_t i = 0; i < plain.size(); ++i) {
      if (plain[i] != shortcut[i] && differing++ == 0)
        ADD_FAILURE() << "first differing pixel (" << i % 800 << ", " << i / 800 << ")";
    }
    EXPECT_EQ(differing, 0);
  }
};

// The menu pictures, then a nightmare match crowded from the village to the lair (walking,
// shooting, burning and flying creatures, turned arrows and swords, breath, coins and spells,
// most off screen) seen from four places.
TEST_F(PictureShortcuts, MenusAndACrowdedMatchKeepEveryPixel) {
  for (const int screen : {kScreenTitle, kScreenCredits, kScreenHowToPlay}) {
    SCOPED_TRACE(testing::Message() << "screen " << screen);
    ASSERT_TRUE(SUCCEEDED(game().ShowScreen(screen)));
    ExpectSameWithAndWithoutShortcuts();
  }
  StartMatch(3);
  constexpr int kKinds[] = {kTypeArcher, kTypeWizard, kTypeHero, kTypeZeppelin, kTypeSheep};
  for (int i = 0; i < 90; ++i) {
    const float x = -300.0f + 70.0f * static_cast<float>(i);
    game().SpawnCreature(kKinds[i % 5], x, game().GroundHeightAt(x) - 40.0f);
  }
  constexpr int kProjectiles[] = {kProjectileArrow, kProjectileBreath, kProjectileGold,
                                  kProjectileSpell, kProjectileSword,  kProjectileFireball};
  for (int i = 0; i < 180; ++i) {
    const float x = -200.0f + 35.0f * static_cast<float>(i);
    const float speed = static_cast<float>(i % 7) * 60.0f - 180.0f;
    game().SpawnProjectile(kProjectiles[i % 6], x, game().GroundHeightAt(x) - 150.0f, speed,
                           -speed);
  }
  RunFrames(45);
  game().shake = 0.0f;
  for (const Vec2 view : {Vec2{-400.0f, 300.0f}, Vec2{1100.5f, 420.25f}, Vec2{3000.0f, 600.0f},
                          Vec2{5200.0f, 500.0f}}) {
    SCOPED_TRACE(testing::Message() << "camera " << view.x << ", " << view.y);
    game().camera = view;
    ExpectSameWithAndWithoutShortcuts();
  }
}

}  // namespace

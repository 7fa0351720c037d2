// Particle emitters: each keeps its own rate, and puffs live out their life on their sheet.

#include <gtest/gtest.h>

#include <cmath>

#include "app/game.h"
#include "support/picture.h"
#include "world/effects/pfx_fireball.h"

namespace {

constexpr float kFrame = 1.0f / 60.0f;

// 0.8 particles a frame each: neither emitter may starve the other, and a stalled frame does
// not pile puffs up (the soak bounds them over whole matches).
TEST(FireballEmitter, TwoKeepTheirRateAndAStalledFrameAddsNoPileOfPuffs) {
  cPFX_Fireball first;
  cPFX_Fireball second;
  first.SetGame(&g_game);
  second.SetGame(&g_game);
  for (int frame = 0; frame < 10; ++frame) {
    first.Tick(0.01f);
    second.Tick(0.01f);
  }
  EXPECT_GE(first.particles.size(), 4u);
  EXPECT_GE(second.particles.size(), 4u);
  EXPECT_LE(first.particles.size(), 8u) << "no more than its rate in a tenth of a second";
  first.Tick(1e9f);
  first.Tick(INFINITY);
  EXPECT_LE(first.particles.size(), cPFX::kMaxParticles);
}

// Fireball trails and zeppelin smoke: puffs grow from the start to the end scale while fading,
// and show a cell of their sheet from their first frame to their last, never a rectangle beside
// the picture.
TEST(FireballEmitter, SmokeGrowsAndFadesShowingACellOfItsSheetForItsWholeLife) {
  cPFX_Fireball smoke;
  smoke.SetGame(&g_game);
  smoke.startScale = 0.3f;
  smoke.endScale = 0.9f;
  smoke.Tick(0.1f);  // eight puffs, each 0.1 s old: a quarter of their life
  ASSERT_FALSE(smoke.particles.empty());
  EXPECT_NEAR(smoke.particles[0]->scale, 0.75f * 0.3f + 0.25f * 0.9f, 1e-5f);
  EXPECT_NEAR(smoke.particles[0]->colour.a, 0.875f, 1e-5f);
  EXPECT_NEAR(smoke.particles[0]->rotation, 0.5f, 1e-5f);

  cPFX_Fireball fresh;
  fresh.SetGame(&g_game);
  fresh.Tick(0.02f);  // one puff, a fifth into its first cell's time
  ASSERT_FALSE(fresh.particles.empty());
  EXPECT_EQ(fresh.particles[0]->sourceRect.left, 0) << "a new puff starts on the first cell";
  const Picture sheet("./data/art/breath.png");
  ASSERT_TRUE(sheet.loaded());
  for (int frame = 0; frame < 40; ++frame) {
    smoke.Tick(kFrame);
    for (const auto& puff : smoke.particles) {
      const Rect& cell = puff->sourceRect;
      ASSERT_GT(cell.Width(), 0);
      ASSERT_TRUE(cell.left >= 0 && cell.top >= 0 && cell.right <= sheet.width() &&
                  cell.bottom <= sheet.height())
          << "aged " << cPFX::kParticleLife - puff->life << " s";
    }
  }
}

}  // namespace

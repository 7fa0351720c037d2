// Particle emitters: each keeps its own rate, and puffs live out their life on their sheet.

#include <gtest/gtest.h>

#include <cmath>

#include "app/game.h"
#include "support/picture.h"
#include "world/effects/pfx_fireball.h"

namespace {

// Two emitters each keep their rate (neither starves the other) and a stalled frame does not
// pile puffs up. Puffs grow from the start scale to the end scale while they spin and fade to
// half, showing a cell of their sheet from their first frame to their last.
TEST(FireballEmitter, KeepsItsRateAndItsPuffsGrowSpinAndFadeOnTheirSheet) {
  cPFX_Fireball smoke;
  cPFX_Fireball other;
  smoke.SetGame(&g_game);
  other.SetGame(&g_game);
  smoke.startScale = 0.3f;
  smoke.endScale = 0.9f;
  smoke.Tick(0.02f);
  ASSERT_FALSE(smoke.particles.empty());
  EXPECT_EQ(smoke.particles[0]->sourceRect.left, 0) << "a new puff starts on the first cell";
  for (int frame = 0; frame < 10; ++frame) other.Tick(0.01f);
  EXPECT_GE(other.particles.size(), 4u);
  EXPECT_LE(other.particles.size(), 8u) << "no more than its rate in a tenth of a second";

  const Picture sheet("./data/art/breath.png");
  ASSERT_TRUE(sheet.loaded());
  const cParticle* first = smoke.particles[0].get();
  float scale = first->scale, alpha = first->colour.a, turned = first->rotation;
  for (int frame = 0; frame < 40; ++frame) {
    smoke.Tick(1.0f / 60.0f);
    if (!smoke.particles.empty() && smoke.particles[0].get() == first && frame < 20) {
      EXPECT_GT(first->scale, scale);
      EXPECT_LT(first->colour.a, alpha);
      EXPECT_GT(first->rotation, turned);
      scale = first->scale, alpha = first->colour.a, turned = first->rotation;
    }
    for (const auto& puff : smoke.particles) {
      const Rect& cell = puff->sourceRect;
      ASSERT_TRUE(cell.Width() > 0 && cell.left >= 0 && cell.top >= 0 &&
                  cell.right <= sheet.width() && cell.bottom <= sheet.height());
      ASSERT_TRUE(puff->scale >= 0.3f && puff->scale <= 0.9f && puff->colour.a >= 0.5f);
    }
  }
  EXPECT_NEAR(scale, 0.9f, 0.1f) << "near the end scale at the end of its life";
  smoke.Tick(1e9f);
  smoke.Tick(INFINITY);
  EXPECT_LE(smoke.particles.size(), cPFX::kMaxParticles);
}

}  // namespace

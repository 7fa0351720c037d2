#include <gtest/gtest.h>

#include <cmath>

#include "app/game.h"
#include "world/effects/pfx_fireball.h"
#include "world/effects/pfx_yell.h"

namespace {

constexpr float kFrame = 1.0f / 60.0f;

TEST(YellEmitter, EmitsOneMarkEveryFourthFrameAtSixtyFrames) {
  cPFX_Yell yell;
  yell.SetGame(&g_game);
  std::vector<std::size_t> counts;
  for (int frame = 0; frame < 8; ++frame) {
    yell.Tick(kFrame);
    counts.push_back(yell.particles.size());
  }
  EXPECT_EQ(counts, (std::vector<std::size_t>{0, 0, 0, 1, 1, 1, 1, 2}));
}

TEST(YellEmitter, TwoActiveEmittersBothKeepTheirRate) {
  cPFX_Fireball first;
  cPFX_Fireball second;
  first.SetGame(&g_game);
  second.SetGame(&g_game);
  for (int frame = 0; frame < 10; ++frame) {
    first.Tick(0.01f);   // 0.8 particles a frame each: neither may starve the other
    second.Tick(0.01f);
  }
  EXPECT_GE(first.particles.size(), 4u);
  EXPECT_GE(second.particles.size(), 4u);
}

TEST(YellEmitter, MarksStayPutGrowAndFade) {
  cPFX_Yell yell;
  yell.SetGame(&g_game);
  yell.position = Vec2{10.0f, 20.0f};
  yell.Tick(0.1f);  // 1.5 due: one mark, aged 0.1 s
  ASSERT_EQ(yell.particles.size(), 1u);
  const cParticle& mark = *yell.particles[0];
  EXPECT_EQ(mark.position, (Vec2{10.0f, 20.0f}));
  EXPECT_NEAR(mark.scale, 1.0f - 0.7f * 0.75f, 1e-5f);
  EXPECT_NEAR(mark.colour.a, 0.875f, 1e-5f);
  EXPECT_FLOAT_EQ(mark.colour.r, 1.0f);
}

TEST(Particles, DieInTheUpdateInWhichTheirTimeRunsOutEvenBehindAnotherDyingOne) {
  cPFX_Yell yell;
  yell.SetGame(&g_game);
  yell.Tick(0.2f);  // three marks, each 0.2 s old
  ASSERT_EQ(yell.particles.size(), 3u);
  yell.Tick(0.2f);  // three more; the first three reach 0.4 s and all go at once
  ASSERT_EQ(yell.particles.size(), 3u);
  for (const auto& mark : yell.particles) EXPECT_FLOAT_EQ(mark->life, 0.2f);
}

TEST(Particles, SwitchedOffTheyFreezeAndResumeWithTheLifeTheyHad) {
  cPFX_Yell yell;
  yell.SetGame(&g_game);
  yell.Tick(0.1f);
  ASSERT_EQ(yell.particles.size(), 1u);
  const float life = yell.particles[0]->life;
  yell.SetActive(0);
  for (int i = 0; i < 100; ++i) yell.Tick(kFrame);
  ASSERT_EQ(yell.particles.size(), 1u);
  EXPECT_FLOAT_EQ(yell.particles[0]->life, life);
  yell.SetActive(1);
  yell.Tick(0.05f);
  EXPECT_FLOAT_EQ(yell.particles[0]->life, life - 0.05f);
}

TEST(FireballEmitter, PuffsRiseWithTheDriftAndNeverDriftSideways) {
  cPFX_Fireball trail;
  trail.SetGame(&g_game);
  trail.drift = Vec2{0.0f, -100.0f};
  for (int frame = 0; frame < 20; ++frame) trail.Tick(kFrame);
  ASSERT_FALSE(trail.particles.empty());
  for (const auto& puff : trail.particles) {
    EXPECT_EQ(puff->velocity.x, 0.0f);
    EXPECT_LE(puff->velocity.y, -100.0f);
    EXPECT_GE(puff->velocity.y, -287.5f);
  }
}

TEST(FireballEmitter, SmokeGrowsFromStartToEndScaleWhileFading) {
  cPFX_Fireball smoke;
  smoke.SetGame(&g_game);
  smoke.startScale = 0.3f;
  smoke.endScale = 0.9f;
  smoke.Tick(0.1f);  // eight puffs, each 0.1 s old: a quarter of their life
  ASSERT_FALSE(smoke.particles.empty());
  EXPECT_NEAR(smoke.particles[0]->scale, 0.75f * 0.3f + 0.25f * 0.9f, 1e-5f);
  EXPECT_NEAR(smoke.particles[0]->colour.a, 0.875f, 1e-5f);
  EXPECT_NEAR(smoke.particles[0]->rotation, 0.5f, 1e-5f);
}

TEST(FireballEmitter, WithoutAGameItEmitsNothing) {
  cPFX_Fireball trail;
  trail.Tick(1.0f);
  EXPECT_TRUE(trail.particles.empty());
}

TEST(Particles, StayBoundedOverALongMatchAndAfterAStalledFrame) {
  cPFX_Fireball trail;
  trail.SetGame(&g_game);
  std::size_t most = 0;
  for (int frame = 0; frame < 60 * 60; ++frame) {
    trail.Tick(kFrame);
    most = std::max(most, trail.particles.size());
  }
  EXPECT_LE(most, 25u) << "one puff a frame living 0.4 s";
  trail.Tick(1e9f);
  trail.Tick(INFINITY);
  EXPECT_LE(trail.particles.size(), cPFX::kMaxParticles);
}

}  // namespace

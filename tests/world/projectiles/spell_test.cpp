// The spell: rising 600 in 2 s and bursting once into a star of seven, the pulse of a charged
// spell and the spin of the others, 10 damage to the dragon and nothing to anyone else.

#include "world/projectiles/spell.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/match_world.h"

namespace {


TEST(Spell, AChargedSpellPulsesAndAnUnchargedOneSpins) {
  cSpell charged;
  charged.Init(0.0f, 0.0f, 0.0f, -600.0f);
  charged.charged = 1;
  EXPECT_FLOAT_EQ(charged.timer, 2.0f);
  charged.Update(0.25f);
  EXPECT_NEAR(charged.scale, 0.5f * std::sin(4.0f * 1.75f) + 0.5f, 1e-5f);
  EXPECT_EQ(charged.rotation, 0.0f);
  charged.Update(0.5f);
  EXPECT_NEAR(charged.scale, 0.5f * std::sin(4.0f * 1.25f) + 0.5f, 1e-5f);

  cSpell ball;
  ball.Init(0.0f, 0.0f, 600.0f, 0.0f);
  ball.Update(0.25f);
  EXPECT_EQ(ball.scale, 1.0f);
  EXPECT_NEAR(ball.rotation, 2.0f, 1e-5f);
  EXPECT_NEAR(ball.timer, 1.75f, 1e-6f);
  ASSERT_TRUE(ball.TimeLeft().has_value());
  EXPECT_EQ(*ball.TimeLeft(), ball.timer);
}

using SpellFlight = DragonMatch;

TEST_F(SpellFlight, AChargedSpellRisesSixHundredAndBurstsOnceIntoSevenSpinningBalls) {
  Hear({142});
  dragon().position = Vec2{5000.0f, 500.0f};
  auto* spell = static_cast<cSpell*>(
      game().SpawnProjectile(kProjectileSpell, 2000.0f, 900.0f, 0.0f, -600.0f));
  ASSERT_NE(spell, nullptr);
  spell->charged = 1;

  RunFrames(119);
  ASSERT_EQ(ProjectilesOf<cSpell>(kProjectileSpell).size(), 1u);
  EXPECT_NEAR(spell->position.y, 300.0f, 6.0f) << "almost at the top";
  RunFrames(2);
  const std::vector<cSpell*> balls = ProjectilesOf<cSpell>(kProjectileSpell);
  ASSERT_EQ(balls.size(), 7u) << "the charged one is gone, seven balls are out";
  EXPECT_EQ(SoundsPlayed(), 1);
  for (std::size_t i = 0; i < balls.size(); ++i) {
    SCOPED_TRACE(i);
    const cSpell& ball = *balls[i];
    EXPECT_EQ(ball.charged, 0);
    EXPECT_NEAR((ball.position - Vec2{2000.0f, 300.0f}).Length(), 0.0f, 25.0f);
    const float angle = 2.0f * 3.1415927f * static_cast<float>(i) / 7.0f;
    const Vec2 launch = ball.velocity - Vec2{0.0f, 300.0f * (2.0f - ball.timer)};
    EXPECT_NEAR(launch.x, 600.0f * std::cos(angle), 0.5f);
    EXPECT_NEAR(launch.y, 600.0f * std::sin(angle), 0.5f);
  }

  RunFor(1.0);
  EXPECT_EQ(ProjectilesOf<cSpell>(kProjectileSpell).size(), 7u) << "no further bursts";
  EXPECT_EQ(SoundsPlayed(), 1);
  EXPECT_GT(balls[0]->rotation, 7.0f) << "spinning at 8 rad/s";
  RunFor(1.1);
  EXPECT_TRUE(ProjectilesOf<cSpell>(kProjectileSpell).empty()) << "two seconds each";
}

TEST_F(SpellFlight, ABallHurtsTheDragonByTenButPassesThroughAnArcher) {
  cCreature* archer = Spawn<cCreature>(kTypeArcher, Vec2{1500.0f, 988.0f});
  RunFrames(1);
  game().SpawnProjectile(kProjectileSpell, archer->position.x, archer->position.y, 0, 0);
  RunFrames(1);
  EXPECT_EQ(ProjectilesOf<cSpell>(kProjectileSpell).size(), 1u);
  EXPECT_FLOAT_EQ(archer->health, 25.0f);

  game().SpawnProjectile(kProjectileSpell, dragon().position.x, dragon().position.y, 0, 0);
  RunFrames(1);
  EXPECT_EQ(ProjectilesOf<cSpell>(kProjectileSpell).size(), 1u);
  EXPECT_FLOAT_EQ(dragon().health, 90.0f);
  EXPECT_EQ(dragon().colour.g, 0.0f) << "tinted red by the hit";
}

}  // namespace

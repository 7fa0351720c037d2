// The arrow: gravity and the trail, the fading streak, the whoosh exactly once after 0.4 s,
// landing, and passing through everything but the dragon.

#include "world/projectiles/arrow.h"

#include <gtest/gtest.h>

#include "support/gui_fixture.h"
#include "support/match_world.h"
#include "world/creatures/creature.h"

namespace {

TEST(Arrow, FallsAtThreeHundredAndKeepsItsLastTenPositionsNewestFirst) {
  cArrow arrow;
  arrow.Init(100.0f, 200.0f, 600.0f, 0.0f);
  for (const Vec2 point : arrow.trail) EXPECT_EQ(point, (Vec2{100.0f, 200.0f}));
  for (int i = 0; i < 3; ++i) arrow.Update(0.1f);
  EXPECT_EQ(arrow.sourceRect, Rect{}) << "no picture, so no reach of its own";
  EXPECT_NEAR(arrow.velocity.y, 90.0f, 1e-3f);
  const Vec2 expected[] = {{280.0f, 209.0f}, {220.0f, 203.0f}, {160.0f, 200.0f}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(arrow.trail[i].x, expected[i].x, 1e-3f) << i;
    EXPECT_NEAR(arrow.trail[i].y, expected[i].y, 1e-3f) << i;
  }
  for (int i = 3; i < cArrow::kTrailLength; ++i) EXPECT_EQ(arrow.trail[i], (Vec2{100.0f, 200.0f}));
  EXPECT_EQ(arrow.trail[0], arrow.position);
}

class ArrowStreak : public GuiFixture {
 protected:
  void SetUp() override {
    GuiFixture::SetUp();
    CreateAndResetDevice();
  }
  int RedAt(int x, int y) { return static_cast<int>(Pixel(x, y) >> 16 & 0xff); }
};

TEST_F(ArrowStreak, FadesFromTheHeadToTheTailAndShowsNothingAtLaunch) {
  cArrow arrow;
  arrow.Init(100.0f, 300.0f, 1200.0f, 0.0f);
  arrow.Render(&gui, 0.0f, 0.0f);
  EXPECT_EQ(LitBounds(), Rect{}) << "ten points in one place";

  for (int i = 0; i < 10; ++i) arrow.Update(1.0f / 60.0f);  // 20 pixels a frame
  arrow.Render(&gui, 50.0f, 100.0f);
  // Head segment 230..250 at y 203.5, strongest; tail segment 70..90 at y 200, faintest.
  EXPECT_NEAR(RedAt(240, 203), 138, 6);
  EXPECT_NEAR(RedAt(80, 200), 15, 6);
  EXPECT_EQ(Pixel(240, 203) & 0xffff, 0u) << "pure red";
  EXPECT_NEAR(LitBounds().left, 70, 1);
  EXPECT_NEAR(LitBounds().right, 250, 1);
}

using ArrowFlight = DragonMatch;

TEST_F(ArrowFlight, LaunchedLevelFrom300AboveTheGroundItLandsAfter1_44sAndWhooshesOnce) {
  Hear({131, 132});
  cProjectile* arrow = game().SpawnProjectile(kProjectileArrow, 0.0f, 700.0f, 600.0f, 0.0f);
  ASSERT_NE(arrow, nullptr);
  RunFrames(23);
  EXPECT_EQ(SoundsPlayed(), 0);
  RunFrames(2);
  EXPECT_EQ(SoundsPlayed(), 1) << "as soon as it has flown 0.4 s";
  RunFrames(61);
  ASSERT_EQ(ProjectilesOf<cArrow>(kProjectileArrow).size(), 1u);
  EXPECT_NEAR(arrow->position.x, 860.0f, 1.0f);
  RunFrames(1);  // 1.45 s: more than 10 below the ground line
  EXPECT_TRUE(ProjectilesOf<cArrow>(kProjectileArrow).empty());
  EXPECT_EQ(SoundsPlayed(), 1);
}

TEST_F(ArrowFlight, AnArrowThatLandsEarlierNeverWhooshes) {
  Hear({131, 132});
  game().SpawnProjectile(kProjectileArrow, 0.0f, 990.0f, 0.0f, 600.0f);
  RunFor(1.0);
  EXPECT_TRUE(ProjectilesOf<cArrow>(kProjectileArrow).empty());
  EXPECT_EQ(SoundsPlayed(), 0);
}

TEST_F(ArrowFlight, PassesThroughEveryCreatureButTheDragonWhichLosesFive) {
  for (const int type : {kTypeArcher, kTypeWizard, kTypeHero, kTypeSheep}) {
    SCOPED_TRACE(type);
    cCreature* creature = Spawn<cCreature>(type, Vec2{1500.0f, 900.0f});
    RunFrames(1);
    const float health = creature->health;
    cProjectile* arrow = game().SpawnProjectile(kProjectileArrow, creature->position.x,
                                                creature->position.y, 0.0f, 0.0f);
    RunFrames(1);
    ASSERT_EQ(ProjectilesOf<cArrow>(kProjectileArrow).size(), 1u);
    EXPECT_EQ(creature->health, health);
    EXPECT_TRUE(game().RemoveProjectile(arrow) == S_OK);
  }

  game().SpawnProjectile(kProjectileArrow, dragon().position.x, dragon().position.y, 0, 0);
  RunFrames(1);
  EXPECT_TRUE(ProjectilesOf<cArrow>(kProjectileArrow).empty());
  EXPECT_FLOAT_EQ(dragon().health, 95.0f);
  EXPECT_EQ(dragon().colour.g, 0.0f) << "tinted red by the hit";
}

}  // namespace

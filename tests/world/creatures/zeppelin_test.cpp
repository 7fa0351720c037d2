// Zeppelins: stations, level flight from afar, archers dropped on station, arrows only right of
// x -90, and the fall that trails smoke and ends in a blast, a shaking screen and gold.

#include "world/creatures/zeppelin.h"

#include <gtest/gtest.h>

#include "platform/dxut.h"
#include "support/match_world.h"

namespace {

constexpr float kQuarterTurn = 0.7853982f;  // pi / 4

class ZeppelinTest : public DragonMatch {
 protected:
  void SetUp() override {
    DragonMatch::SetUp();
    dragon().position = kFarAway;
  }

  cZeppelin* ZeppelinAt(Vec2 at) { return Spawn<cZeppelin>(kTypeZeppelin, at); }

  // An archer that stays where it is put (nobody holds it, so nobody moves it).
  cCreature* StillArcherAt(float x) {
    auto* archer = Spawn<cCreature>(kTypeArcher, {x, kGroundY});
    archer->Grab();
    return archer;
  }

  std::vector<cCreature*> Archers() const {
    std::vector<cCreature*> archers;
    for (const auto& creature : g_game.creatures) {
      if (creature->GetType() == kTypeArcher) archers.push_back(creature.get());
    }
    return archers;
  }

  static constexpr Vec2 kFarAway{5600.0f, 300.0f};
};

TEST_F(ZeppelinTest, EachZeppelinTakesItsOwnStationEightyAboveTheGround) {
  // Sloping ground: the height is taken at each station.
  game().groundLine = {Vec2(-1000.0f, 1000.0f), Vec2(7000.0f, 1800.0f)};
  cZeppelin* zeppelins[] = {ZeppelinAt({-300.0f, 0.0f}), ZeppelinAt({-300.0f, 0.0f}),
                            ZeppelinAt({-300.0f, 0.0f})};
  RunFrames(1);
  const float stations[] = {3900.0f, 3700.0f, 3500.0f};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(zeppelins[i]->state, kCreatureWalking) << i;
    EXPECT_EQ(zeppelins[i]->target.x, stations[i]) << i;
    EXPECT_NEAR(zeppelins[i]->target.y, game().GroundHeightAt(stations[i]) - 80.0f, 1e-3f) << i;
  }
}

TEST_F(ZeppelinTest, FliesLevelFromAfarAndStraightForAStationWithin1500) {
  auto* far = ZeppelinAt({-300.0f, 0.0f});
  auto* near = ZeppelinAt({3000.0f, 500.0f});
  RunFor(1.0f);
  // 200 pixels a second, moving on every second update.
  EXPECT_NEAR(far->position.x, -200.0f, 1.0f);
  EXPECT_EQ(far->position.y, 0.0f);
  // The second zeppelin's station: (3700, 920).
  const Vec2 heading = Normalize(Vec2{700.0f, 420.0f});
  EXPECT_NEAR(near->position.x, 3000.0f + 100.0f * heading.x, 1.0f);
  EXPECT_NEAR(near->position.y, 500.0f + 100.0f * heading.y, 1.0f);
}

TEST_F(ZeppelinTest, OnStationItHoversAndDropsAnArcherEveryTwoSeconds) {
  auto* zeppelin = ZeppelinAt({3900.0f, kGroundY - 80.0f});
  RunFrames(1);
  EXPECT_TRUE(Archers().empty());
  RunFrames(1);
  const std::vector<cCreature*> first = Archers();
  ASSERT_EQ(first.size(), 1u) << "the first archer at once";
  EXPECT_EQ(first[0]->position.x, 3900.0f);
  EXPECT_NEAR(first[0]->position.y, kGroundY - 12.0f, 1e-3f) << "standing on the ground below";
  EXPECT_EQ(static_cast<int>(zeppelin->frame), 3) << "hovering";
  EXPECT_EQ(zeppelin->position, (Vec2{3900.0f, kGroundY - 80.0f}));

  RunFor(1.9f);
  EXPECT_EQ(Archers().size(), 1u);
  RunFor(0.2f);
  EXPECT_EQ(Archers().size(), 2u);
}

TEST_F(ZeppelinTest, AFullWorldHoldsTheDropBackUntilThereIsRoom) {
  ZeppelinAt({3900.0f, kGroundY - 80.0f});
  std::vector<cCreature*> crowd;
  while (game().creatures.size() < kMaxCreatures) crowd.push_back(Spawn(kTypePlain, {-2000.0f, 0.0f}));
  RunFor(3.0f);
  EXPECT_TRUE(Archers().empty());
  game().RemoveCreature(crowd.back());
  RunFrames(2);  // it decides and acts on alternate updates
  EXPECT_EQ(Archers().size(), 1u) << "dropped as soon as a place is free";
}

TEST_F(ZeppelinTest, ShootsTwiceASecondAtTheDragonWithinReach) {
  dragon().position = {2200.0f, 600.0f};
  Hear({129, 130});
  auto* zeppelin = ZeppelinAt({2000.0f, 700.0f});
  zeppelin->target = zeppelin->position;  // hovering where it is
  zeppelin->lastDrop = 1e9;               // with no archers to drop
  int shots = 0;
  double lastShot = zeppelin->lastShot;
  for (int i = 0; i < 120; ++i) {
    RunFrames(1);
    if (zeppelin->lastShot != lastShot) ++shots;
    lastShot = zeppelin->lastShot;
    if (shots == 1 && i == 1) {
      // The first arrow, just loosed towards the point 100 above the dragon.
      ASSERT_EQ(NewArrows(), 1);
      const cProjectile& arrow = *game().projectiles.back();
      EXPECT_NEAR(arrow.velocity.Length(), 400.0f, 10.0f);
      EXPECT_GT(arrow.velocity.x, 0.0f);
    }
  }
  EXPECT_EQ(zeppelin->state, kCreatureAttacking);
  EXPECT_EQ(shots, 4);
  EXPECT_EQ(SoundsPlayed(), 4) << "each arrow with an archer's bow sound";
}

TEST_F(ZeppelinTest, HoldsItsFireLeftOfMinusNinety) {
  dragon().position = {0.0f, 600.0f};
  for (const float x : {-100.0f, -80.0f}) {
    auto* zeppelin = ZeppelinAt({x, 700.0f});
    zeppelin->target = zeppelin->position;  // hovering where it is
    RunFor(0.5f);
    EXPECT_EQ(zeppelin->state, kCreatureAttacking);
    EXPECT_EQ(zeppelin->lastShot > 0.0, x > -90.0f) << "x " << x;
    game().RemoveCreature(zeppelin);
  }
}

TEST_F(ZeppelinTest, AKnockedZeppelinFallsTrailingSmokeAndCrashesWithABlast) {
  Hear({144});
  auto* zeppelin = ZeppelinAt({2000.0f, 0.0f});
  cCreature* under = StillArcherAt(2000.0f);
  cCreature* aside = StillArcherAt(2800.0f);
  RunFrames(1);
  zeppelin->Knock({});  // a blast or a knock, whatever its health
  ASSERT_EQ(zeppelin->health, 100.0f);

  RunFor(0.5f);
  EXPECT_EQ(zeppelin->smoke.active, 1);
  EXPECT_FALSE(zeppelin->smoke.particles.empty());
  EXPECT_EQ(zeppelin->scale, 1.8f);
  EXPECT_GT(zeppelin->rotation, 0.0f);

  ASSERT_TRUE(RunUntil([&] { return zeppelin->health <= 0.0f; }, 300));
  EXPECT_GE(zeppelin->rotation, kQuarterTurn);
  EXPECT_LT(zeppelin->rotation, kQuarterTurn + 0.01f) << "the tilt stops at a quarter turn";
  EXPECT_EQ(game().shake, 40.0f);
  EXPECT_EQ(SoundsPlayed(), 1) << "the bang";
  // The blast, 600 below the hull, reaches the archer under it but not the one aside; the
  // zeppelin counts itself, so one small coin each.
  EXPECT_EQ(under->health, 25.0f - 50.0f);
  EXPECT_EQ(under->state, kCreatureKnocked);
  EXPECT_EQ(aside->health, 25.0f);
  std::vector<cGold*> coins = Coins();
  ASSERT_EQ(coins.size(), 2u);
  for (const cGold* coin : coins) EXPECT_EQ(coin->amount, 10);

  // The wreck sinks and leaves three big coins.
  const Vec2 wreck = zeppelin->position;
  EXPECT_EQ(zeppelin->smoke.active, 1);
  const double impact = DXUTGetTime();
  ASSERT_TRUE(RunUntil([&] { return !Listed(zeppelin); }, 60));
  EXPECT_NEAR(DXUTGetTime() - impact, 0.3, 0.05);
  coins = Coins();
  ASSERT_EQ(coins.size(), 5u);
  for (int i = 0; i < 3; ++i) {
    const cGold& coin = *coins[2 + i];
    EXPECT_EQ(coin.amount, 50);
    EXPECT_EQ(coin.scale, 0.6f);
    EXPECT_NEAR(coin.position.x, wreck.x - 25.0f + 25.0f * i, 1e-3f) << i;
    EXPECT_NEAR(coin.position.y, wreck.y + 10.0f, 1e-3f) << i;
  }
}

TEST_F(ZeppelinTest, BurningOnlyMakesItDecideAgain) {
  auto* zeppelin = ZeppelinAt({1000.0f, 500.0f});
  zeppelin->target = {5880.0f, 0.0f};  // a stale walk target, as a flame finds it
  zeppelin->Burn();
  RunFrames(1);
  EXPECT_EQ(zeppelin->state, kCreatureWalking);
  EXPECT_EQ(zeppelin->target, (Vec2{3900.0f, kGroundY - 80.0f}));
  EXPECT_EQ(zeppelin->position, (Vec2{1000.0f, 500.0f}));
  EXPECT_EQ(zeppelin->health, 100.0f);
}

}  // namespace

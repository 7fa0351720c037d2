#include <gtest/gtest.h>

#include <cmath>

#include "app/world_setup.h"
#include "support/match_world.h"
#include "world/creatures/dragon.h"

namespace {

using WorldOperations = MatchWorld;

TEST_F(WorldOperations, GroundHeightFollowsTheProfileAndIsZeroOutsideIt) {
  game().groundLine.clear();
  EXPECT_FLOAT_EQ(game().GroundHeightAt(5.0f), 0.0f);
  game().groundLine = {{0.0f, 900.0f}};
  EXPECT_FLOAT_EQ(game().GroundHeightAt(0.0f), 0.0f) << "one point is no line";

  game().groundLine = {{0.0f, 900.0f}, {100.0f, 1000.0f}, {100.0f, 700.0f}, {200.0f, 700.0f}};
  EXPECT_FLOAT_EQ(game().GroundHeightAt(-0.5f), 0.0f);
  EXPECT_FLOAT_EQ(game().GroundHeightAt(200.5f), 0.0f);
  EXPECT_FLOAT_EQ(game().GroundHeightAt(0.0f), 900.0f);
  EXPECT_FLOAT_EQ(game().GroundHeightAt(25.0f), 925.0f);
  EXPECT_FLOAT_EQ(game().GroundHeightAt(100.0f), 1000.0f) << "the first segment that holds x";
  EXPECT_FLOAT_EQ(game().GroundHeightAt(150.0f), 700.0f);
}

TEST_F(WorldOperations, AWallInTheProfileIsStoodOnNotAHoleToTheTopOfTheWorld) {
  game().groundLine = {{100.0f, 1000.0f}, {100.0f, 700.0f}, {200.0f, 700.0f}};
  EXPECT_FLOAT_EQ(game().GroundHeightAt(100.0f), 700.0f);
}

TEST_F(WorldOperations, CirclesTouchWithinAQuarterOfEitherWidth) {
  cSprite small;
  small.sourceRect = Rect{0, 0, 64, 64};    // radius 16
  cSprite big;
  big.sourceRect = Rect{0, 0, 256, 256};    // radius 64
  big.position = Vec2{64.0f, 0.0f};
  EXPECT_TRUE(game().CirclesTouch(&small, &big));
  big.position = Vec2{64.5f, 0.0f};
  EXPECT_FALSE(game().CirclesTouch(&small, &big)) << "the radii are not added";
  EXPECT_FALSE(game().CirclesTouch(&small, &small));
  EXPECT_FALSE(game().CirclesTouch(nullptr, &big));
  EXPECT_FALSE(game().CirclesTouch(&small, nullptr));
}

TEST_F(WorldOperations, ABlastKnocksAndHurtsWhatIsInsideExceptSheepAndTheDragon) {
  PlaceDragon(game())->position = Vec2{1000.0f, 1000.0f};
  cCreature* sheep = game().SpawnCreature(kTypeSheep, 1000.0f, 1000.0f);
  cCreature* below = game().SpawnCreature(kTypeArcher, 1000.0f, 1050.0f);
  cCreature* knocked = game().SpawnCreature(kTypeArcher, 1000.0f, 1000.0f);
  knocked->Knock(Vec2{5.0f, 5.0f});
  cCreature* outside = game().SpawnCreature(kTypeArcher, 1100.0f, 1000.0f);

  EXPECT_EQ(game().Blast(Vec2{1000.0f, 1000.0f}, 100.0f * 100.0f, 10.0f, -1), 2);
  EXPECT_FLOAT_EQ(game().dragon->health, 100.0f);
  EXPECT_FLOAT_EQ(sheep->health, 1.0f);
  EXPECT_EQ(below->state, kCreatureKnocked);
  EXPECT_EQ(below->target, (Vec2{0.0f, 320.0f}));
  EXPECT_FLOAT_EQ(below->health, 15.0f);
  EXPECT_EQ(knocked->target, (Vec2{5.0f, 5.0f})) << "already flying: not knocked again";
  EXPECT_FLOAT_EQ(knocked->health, 15.0f);
  EXPECT_FLOAT_EQ(outside->health, 25.0f) << "the radius is exclusive";
}

TEST_F(WorldOperations, ABlastStopsAtItsMaximumCountingOnlyWhatItDoesNotSkip) {
  game().SpawnCreature(kTypeSheep, 0.0f, 0.0f);
  cCreature* first = game().SpawnCreature(kTypeArcher, 500.0f, 0.0f);  // outside
  cCreature* second = game().SpawnCreature(kTypeArcher, 0.0f, 0.0f);
  cCreature* third = game().SpawnCreature(kTypeArcher, 0.0f, 0.0f);

  EXPECT_EQ(game().Blast(Vec2{}, 100.0f, 1.0f, 1), 1);
  EXPECT_FLOAT_EQ(second->health, 24.0f);
  EXPECT_FLOAT_EQ(third->health, 25.0f);

  EXPECT_EQ(game().Blast(Vec2{}, 100.0f, 1.0f, 0), 0) << "stops after the first it looks at";
  EXPECT_FLOAT_EQ(first->health, 25.0f);
  EXPECT_FLOAT_EQ(second->health, 24.0f);
}

TEST_F(WorldOperations, RemovingACreatureTheDragonHoldsMakesItLetGoFirst) {
  auto* dragon = static_cast<cDragon*>(PlaceDragon(game()));
  cCreature* sheep = game().SpawnCreature(kTypeSheep, 5650.0f, 750.0f);
  dragon->Grab(sheep);
  ASSERT_EQ(dragon->GetHeld(), sheep);

  EXPECT_EQ(game().RemoveCreature(sheep), S_OK);
  EXPECT_EQ(dragon->GetHeld(), nullptr);
  EXPECT_EQ(game().creatures.size(), 1u);
  EXPECT_TRUE(FAILED(game().RemoveCreature(sheep)));
  EXPECT_TRUE(FAILED(game().RemoveCreature(nullptr)));
  EXPECT_EQ(game().creatures.size(), 1u);
}

TEST_F(WorldOperations, TheAimRunsFromForwardAndSlightlyDownToNearlyStraightDown) {
  auto* dragon = static_cast<cDragon*>(PlaceDragon(game()));
  dragon->aim = 0.0f;
  Vec2 d = game().GetAimDirection();
  EXPECT_NEAR(d.x, -std::cos(0.2f), 1e-5f);
  EXPECT_NEAR(d.y, std::sin(0.2f), 1e-5f);
  dragon->flipX = 1;
  EXPECT_NEAR(game().GetAimDirection().x, std::cos(0.2f), 1e-5f);
  dragon->aim = 1.0f;
  d = game().GetAimDirection();
  EXPECT_GT(d.x, 0.0f);
  EXPECT_NEAR(std::atan2(d.x, d.y), 6.5f * 3.14159265f / 180.0f, 1e-3f);
}

}  // namespace

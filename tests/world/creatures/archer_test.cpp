// The archer: deciding at 400 exactly, the lair line, walking on every second update, arrows
// every 3 s that cost the dragon 5, the thrown archer's crash, burning, being eaten or dying.

#include "world/creatures/archer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/match_world.h"
#include "world/creatures/sheep.h"

namespace {

constexpr float kArcherCentreY = kGroundY - 12.0f;  // 48 high: feet 12 below

using ArcherTest = DragonMatch;

TEST_F(ArcherTest, AttacksWithTheDragonExactly400AwayAndWalksWhenItIsFarther) {
  dragon().position = Vec2{3000.0f, 500.0f};
  cArcher* atRange = Spawn<cArcher>(kTypeArcher, Vec2{2600.0f, 500.0f});
  cArcher* beyond = Spawn<cArcher>(kTypeArcher, Vec2{3000.0f, 500.0f - 400.5f});
  atRange->Update(kStep);
  beyond->Update(kStep);
  EXPECT_EQ(atRange->state, kCreatureAttacking);
  EXPECT_EQ(beyond->state, kCreatureWalking);
  EXPECT_EQ(beyond->target, (Vec2{5880.0f, 0.0f}));
}

TEST_F(ArcherTest, ShootsTheDragonOnceEveryThreeSecondsForFiveHealth) {
  Hear({129, 130});
  dragon().position = Vec2{5300.0f, 900.0f};
  cArcher* archer = Spawn<cArcher>(kTypeArcher, Vec2{5000.0f, kArcherCentreY});

  int loosed = 0;
  for (int frame = 0; frame < 420; ++frame) {  // 7 s: shots at once, after 3 s and after 6 s
    RunFrames(1);
    loosed += NewArrows();
    if (frame == 173) {
      EXPECT_FLOAT_EQ(dragon().health, 95.0f) << "one arrow in 2.9 s";
    }
  }
  EXPECT_EQ(loosed, 3);
  EXPECT_EQ(SoundsPlayed(), 3) << "one bow sound per arrow";
  EXPECT_FLOAT_EQ(dragon().health, 85.0f);
  EXPECT_EQ(archer->state, kCreatureAttacking);
  EXPECT_EQ(archer->flipX, 0) << "faces the dragon on its right";
  EXPECT_EQ(archer->position.x, 5000.0f) << "stands while it shoots";
}

TEST_F(ArcherTest, BeyondTheLairLineItWalksOnInsteadOfShooting) {
  dragon().position = Vec2{5400.0f, 900.0f};
  cArcher* archer = Spawn<cArcher>(kTypeArcher, Vec2{5100.0f, kArcherCentreY});
  RunFor(1.0);
  EXPECT_TRUE(ProjectilesOf<cProjectile>(kProjectileArrow).empty());
  EXPECT_GT(archer->position.x, 5150.0f);
  EXPECT_NE(archer->state, kCreatureAttacking);
}

TEST_F(ArcherTest, AimsLevelOrSteeplyByTheHeightOfTheDragon) {
  cArcher* archer = Spawn<cArcher>(kTypeArcher, Vec2{2900.0f, kArcherCentreY});
  dragon().position = Vec2{3200.0f, 950.0f};
  RunFrames(3);
  EXPECT_EQ(archer->sourceRect, (Rect{0, 128, 64, 192})) << "cell 8, aiming level";
  dragon().position = Vec2{3000.0f, 700.0f};
  RunFrames(2);
  EXPECT_EQ(archer->sourceRect, (Rect{64, 128, 128, 192})) << "cell 9, aiming steeply";
}

// Every walker finds itself in its own crowd check, so it stops to decide after each step.
TEST_F(ArcherTest, WalksTowardsTheLairOnEverySecondUpdateAtHalfSpeed) {
  cArcher* archer = Spawn<cArcher>(kTypeArcher, Vec2{1000.0f, kArcherCentreY});
  for (int frame = 1; frame <= 4; ++frame) {
    RunFrames(1);
    EXPECT_EQ(archer->state, frame % 2 ? kCreatureWalking : kCreatureIdle) << frame;
  }
  const float startX = archer->position.x;
  RunFor(1.0);
  // 30 steps of 5 pixels towards (5880, 0), whose horizontal share is 0.98 at this height.
  EXPECT_NEAR(archer->position.x - startX, 147.0f, 2.0f);
  EXPECT_FLOAT_EQ(archer->position.y, kArcherCentreY) << "kept on the ground";
  EXPECT_EQ(archer->flipX, 0);
  EXPECT_LE(archer->frame, 5.0f) << "walking cells 0..4";
}

TEST_F(ArcherTest, AThrownArcherLandingAloneScattersOneCoinAndTakesFifty) {
  cArcher* archer = Spawn<cArcher>(kTypeArcher, Vec2{2000.0f, 800.0f});
  archer->Throw(Vec2{50.0f, 0.0f});
  RunFrames(1);
  EXPECT_EQ(archer->yell.active, 1) << "it yells as it falls";
  EXPECT_EQ(static_cast<int>(archer->frame), 5) << "falling cell";
  EXPECT_LT(archer->rotation, 0.0f) << "flying right, it turns clockwise";

  ASSERT_TRUE(RunUntil([&] { return archer->state != kCreatureThrown; }, 120));
  EXPECT_EQ(archer->state, kCreatureIdle);
  EXPECT_FLOAT_EQ(archer->position.y, kArcherCentreY);
  EXPECT_FLOAT_EQ(archer->health, -25.0f);
  ASSERT_EQ(Coins().size(), 1u);
  EXPECT_FLOAT_EQ(Coins()[0]->position.x, archer->position.x + 5.0f);

  RunFrames(2);  // no health left: dying, then dead with its own coin
  EXPECT_FALSE(Listed(archer));
  EXPECT_EQ(Coins().size(), 2u);
}

TEST_F(ArcherTest, AThrownArcherCrushesTheArchersAroundItButNotSheep) {
  dragon().position = Vec2{2300.0f, 900.0f};  // keeps the bystanders shooting, not walking
  cArcher* left = Spawn<cArcher>(kTypeArcher, Vec2{1950.0f, kArcherCentreY});
  cArcher* right = Spawn<cArcher>(kTypeArcher, Vec2{2050.0f, kArcherCentreY});
  cSheep* sheep = Spawn<cSheep>(kTypeSheep, Vec2{2030.0f, 968.0f});
  cArcher* far = Spawn<cArcher>(kTypeArcher, Vec2{2200.0f, kArcherCentreY});
  cArcher* thrown = Spawn<cArcher>(kTypeArcher, Vec2{2000.0f, kArcherCentreY - 20.0f});
  thrown->Throw(Vec2{});
  thrown->health = 0.0f;  // dropped by the dragon

  ASSERT_TRUE(RunUntil([&] { return thrown->state != kCreatureThrown; }, 60));
  EXPECT_EQ(Coins().size(), 3u) << "itself and the two beside it";
  for (cArcher* hit : {left, right}) {
    EXPECT_FLOAT_EQ(hit->health, -25.0f);
    EXPECT_EQ(hit->state, kCreatureKnocked);
    EXPECT_LT(hit->target.y, 0.0f) << "knocked upwards";
  }
  EXPECT_LT(left->target.x, 0.0f);
  EXPECT_GT(right->target.x, 0.0f);
  EXPECT_FLOAT_EQ(far->health, 25.0f);
  EXPECT_FLOAT_EQ(sheep->health, 1.0f);
  EXPECT_EQ(sheep->state, kCreatureIdle);
}

TEST_F(ArcherTest, AKnockedArcherLandsKeepsItsTurnAndDecidesAgain) {
  cArcher* archer = Spawn<cArcher>(kTypeArcher, Vec2{2000.0f, kArcherCentreY});
  archer->Knock(Vec2{-100.0f, -300.0f});
  ASSERT_TRUE(RunUntil([&] { return archer->state != kCreatureKnocked; }, 240));
  EXPECT_EQ(archer->state, kCreatureIdle);
  EXPECT_FLOAT_EQ(archer->health, 25.0f);
  EXPECT_TRUE(Coins().empty()) << "only a thrown creature crashes down";
  EXPECT_NEAR(archer->rotation, 4.0f * 1.54f, 0.1f) << "1.54 s in the air, anticlockwise";
  const float turned = archer->rotation;
  RunFrames(2);
  EXPECT_EQ(archer->rotation, turned);
}

TEST_F(ArcherTest, BurningTakesItsTwentyFiveHealthInTwoThirdsOfASecondAndLeavesOneCoin) {
  cArcher* archer = Spawn<cArcher>(kTypeArcher, Vec2{2000.0f, kArcherCentreY});
  archer->Knock(Vec2{-60.0f, -200.0f});  // as the breath does
  archer->Burn();
  RunFrames(1);
  EXPECT_LT(archer->position.x, 2000.0f) << "flies off with the breath's push";
  EXPECT_EQ(archer->flipX, 1);
  EXPECT_GT(archer->rotation, 0.0f);
  RunFrames(37);  // 0.63 s
  ASSERT_TRUE(Listed(archer));
  EXPECT_TRUE(Coins().empty());
  RunFrames(4);  // 0.7 s
  EXPECT_FALSE(Listed(archer));
  EXPECT_EQ(Coins().size(), 1u);
}

// A flame's touch sets a creature burning without giving it a velocity, so `target` still
// holds the walk target high above the lair.
TEST_F(ArcherTest, AWalkerSetBurningByAFlameBurnsWhereItStands) {
  cArcher* archer = Spawn<cArcher>(kTypeArcher, Vec2{2000.0f, kArcherCentreY});
  RunFrames(2);
  ASSERT_EQ(archer->target, (Vec2{5880.0f, 0.0f}));
  const float x = archer->position.x;
  archer->Burn();
  RunFrames(10);
  EXPECT_EQ(archer->state, kCreatureBurning);
  EXPECT_FLOAT_EQ(archer->position.x, x);
  EXPECT_FLOAT_EQ(archer->position.y, kArcherCentreY);
  EXPECT_LT(archer->health, 25.0f);
}

TEST_F(ArcherTest, AnEatenArcherLeavesNoCoinButOneDyingOnTheGroundLeavesOne) {
  dragon().position = Vec2{2000.0f, 900.0f};
  cArcher* eaten = Spawn<cArcher>(kTypeArcher, Vec2{2000.0f, kArcherCentreY});
  dragon().Grab(eaten);
  RunFrames(1);
  EXPECT_EQ(eaten->state, kCreatureHeld);
  EXPECT_EQ(eaten->rotation, 0.0f);
  EXPECT_EQ(static_cast<int>(eaten->frame), 5) << "falling cell while held";
  dragon().Eat();
  RunFrames(3);
  EXPECT_TRUE(Coins().empty());

  cArcher* killed = Spawn<cArcher>(kTypeArcher, Vec2{1000.0f, kArcherCentreY});
  killed->health = 0.0f;
  RunFrames(3);
  EXPECT_FALSE(Listed(killed));
  ASSERT_EQ(Coins().size(), 1u);
  EXPECT_EQ(Coins()[0]->amount, 10);
}

}  // namespace

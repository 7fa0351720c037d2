// The defender: unhurt while it fades in, arrows every 2 s within 600, a knock it survives,
// fire that does nothing to it, and the D of ten big coins with its post freed and refilled.

#include "world/creatures/defender.h"

#include <gtest/gtest.h>

#include "app/defender_posts.h"
#include "app/world_setup.h"
#include "platform/dxut.h"
#include "support/match_world.h"

namespace {

constexpr int kPost = 3;  // on the village ground, (-91, 890)

class DefenderTest : public DragonMatch {
 protected:
  cDefender* PostDefender() {
    cDefender* defender = SpawnDefenderAtPost(game(), kPost);
    EXPECT_NE(defender, nullptr);
    return defender;
  }
  // The dragon `distance` to the right of `defender`, level with it.
  void DragonBeside(const cDefender& defender, float distance) {
    dragon().position = defender.position + Vec2{distance, 0.0f};
  }
};

TEST_F(DefenderTest, FadesInOverASecondAndCannotBeHurtMeanwhile) {
  cDefender* defender = PostDefender();
  RunFor(0.5);
  EXPECT_NEAR(defender->colour.a, 0.5f, 0.01f) << "half opaque half a second in";

  game().SpawnProjectile(kProjectileFireball, defender->position.x, defender->position.y, 0, 0);
  RunFrames(1);
  EXPECT_TRUE(ProjectilesOf<cProjectile>(kProjectileFireball).empty()) << "it hit the defender";
  RunFrames(1);
  EXPECT_FLOAT_EQ(defender->health, 50.0f);

  RunFor(0.5);
  EXPECT_FLOAT_EQ(defender->colour.a, 1.0f);
  defender->health = 20.0f;
  RunFrames(1);
  EXPECT_FLOAT_EQ(defender->health, 20.0f) << "hurt once it has appeared";
}

TEST_F(DefenderTest, ShootsSilentlyEveryTwoSecondsWithin600AndStopsAt610) {
  Hear({129, 130});
  cDefender* defender = PostDefender();
  DragonBeside(*defender, 590.0f);
  RunFor(1.0);
  EXPECT_EQ(NewArrows(), 0) << "not while it fades in";

  int loosed = 0;
  for (int frame = 0; frame < 246; ++frame) {  // 4.1 s
    RunFrames(1);
    loosed += NewArrows();
  }
  EXPECT_EQ(loosed, 3);
  EXPECT_EQ(SoundsPlayed(), 0);
  EXPECT_EQ(defender->flipX, 0);

  DragonBeside(*defender, 610.0f);
  for (int frame = 0; frame < 180; ++frame) {
    RunFrames(1);
    loosed += NewArrows();
  }
  EXPECT_EQ(loosed, 3);
  EXPECT_EQ(defender->state, kCreatureIdle);
}

TEST_F(DefenderTest, FireDoesNothingToIt) {
  cDefender* defender = PostDefender();
  DragonBeside(*defender, -30.0f);
  RunFor(1.0);
  const Vec2 post = defender->position;
  defender->Burn();
  RunFrames(2);
  EXPECT_EQ(defender->state, kCreatureAttacking) << "burning only watches for the dragon";
  EXPECT_EQ(defender->flipX, 1);
  EXPECT_EQ(defender->position, post);
  EXPECT_FLOAT_EQ(defender->health, 50.0f);
}

TEST_F(DefenderTest, SurvivingAKnockItKeepsTheKnockedPictureAndItsTurn) {
  cDefender* defender = PostDefender();
  RunFor(1.0);
  defender->Knock(Vec2{30.0f, -100.0f});
  ASSERT_TRUE(RunUntil([&] { return defender->state != kCreatureKnocked; }, 240));
  EXPECT_EQ(defender->state, kCreatureIdle);
  EXPECT_FLOAT_EQ(defender->position.y, kGroundY - 16.0f) << "a 64-pixel cell now";
  const float turned = defender->rotation;
  EXPECT_LT(turned, 0.0f);
  RunFrames(2);
  EXPECT_EQ(defender->sourceRect, (Rect{64, 64, 128, 128})) << "cell 5 of the 64 x 64 grid";
  EXPECT_EQ(defender->rotation, turned);
  EXPECT_TRUE(Listed(defender));
}

TEST_F(DefenderTest, AKilledDefenderLeavesADOfTenBigCoinsAndItsPostIsFilledAgain) {
  cDefender* defender = PostDefender();
  RunFor(1.0);
  defender->health = 0.0f;  // as a killing fireball leaves it
  defender->Knock(Vec2{-50.0f, -100.0f});
  ASSERT_TRUE(RunUntil([&] { return !Listed(defender); }, 240));
  EXPECT_FALSE(DefenderPostOccupied(kPost));

  const std::vector<cGold*> coins = Coins();
  ASSERT_EQ(coins.size(), 10u);
  const Vec2 letterD[] = {{0, 0},     {0, -25},  {0, -50},  {0, -75},  {0, -100},
                          {25, -100}, {50, -75}, {50, -50}, {50, -25}, {25, 0}};
  for (std::size_t i = 0; i < coins.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(coins[i]->amount, 50);
    EXPECT_FLOAT_EQ(coins[i]->scale, 0.6f);
    EXPECT_NEAR(coins[i]->position.x - coins[0]->position.x, letterD[i].x, 1e-3f);
    EXPECT_NEAR(coins[i]->position.y - coins[0]->position.y, letterD[i].y, 1e-3f);
  }

  game().lastDefenderRespawn = DXUTGetTime() - 9.5;
  RunFor(0.6);
  ASSERT_EQ(CountOfType(kTypeDefender), 1);
  for (const auto& creature : game().creatures) {
    if (creature->GetType() != kTypeDefender) continue;
    EXPECT_EQ(static_cast<cDefender*>(creature.get())->post, kPost);
    EXPECT_EQ(creature->position, DefenderPostPosition(kPost));
  }
  EXPECT_TRUE(DefenderPostOccupied(kPost));
}

}  // namespace

// Coins: drawn to the dragon within 400, blinking out after five seconds, collected for gold.

#include "support/match_world.h"
#include "world/projectiles/gold.h"

namespace {

using GoldTest = DragonMatch;

TEST_F(GoldTest, CollectedCoinsAddTheirAmount) {
  Shoot(kProjectileGold, dragon().position + Vec2{5.0f, 0.0f});
  auto* big = Shoot<cGold>(kProjectileGold, dragon().position + Vec2{-5.0f, 0.0f});
  big->MakeBig();
  game().UpdateProjectiles(kStep);
  EXPECT_EQ(game().gold, 10u);
  game().UpdateProjectiles(kStep);
  EXPECT_EQ(game().gold, 60u);
  EXPECT_TRUE(game().projectiles.empty());
}

TEST_F(GoldTest, BigCoinsShowTheBigCoinCells) {
  auto* coin = Shoot<cGold>(kProjectileGold, {1000.0f, 500.0f});
  coin->Update(kStep);
  EXPECT_LT(coin->frame, 9.0f);
  coin->MakeBig();
  coin->Update(kStep);
  EXPECT_GE(coin->frame, 9.0f);
  EXPECT_EQ(coin->sourceRect, (Rect{64, 128, 128, 192}));
}

TEST_F(GoldTest, DrawnInAtFourHundredButStoppedDeadBeyond) {
  auto* inRange = Shoot<cGold>(kProjectileGold, dragon().position + Vec2{400.0f, 0.0f});
  auto* outOfRange = Shoot<cGold>(kProjectileGold, dragon().position + Vec2{0.0f, 400.5f},
                                  {100.0f, -300.0f});
  inRange->Update(kStep);
  outOfRange->Update(kStep);
  EXPECT_FLOAT_EQ(inRange->velocity.x, -125.0f);
  EXPECT_LT(inRange->position.x, dragon().position.x + 400.0f);
  EXPECT_EQ(outOfRange->velocity, Vec2{});
  EXPECT_EQ(outOfRange->position, dragon().position + Vec2(0.0f, 400.5f));
}

TEST_F(GoldTest, BlinksInItsLastSecondAndVanishesAfterFive) {
  auto* coin = Shoot<cGold>(kProjectileGold, {1000.0f, 500.0f});
  for (int i = 0; i < 239; ++i) game().UpdateProjectiles(kStep);
  EXPECT_EQ(coin->colour.a, 1.0f);
  bool seenHidden = false;
  bool seenShown = false;
  for (int i = 0; i < 58; ++i) {
    game().UpdateProjectiles(kStep);
    ASSERT_EQ(game().projectiles.size(), 1u);
    EXPECT_TRUE(coin->colour.a == 0.0f || coin->colour.a == 1.0f);
    (coin->colour.a == 0.0f ? seenHidden : seenShown) = true;
  }
  EXPECT_TRUE(seenHidden);
  EXPECT_TRUE(seenShown);
  for (int i = 0; i < 4; ++i) game().UpdateProjectiles(kStep);
  EXPECT_TRUE(game().projectiles.empty());
}

TEST_F(GoldTest, OtherCreaturesWalkOverCoins) {
  Spawn(kTypeArcher, {1000.0f, 800.0f});
  Spawn(kTypeHero, {1000.0f, 800.0f});
  Shoot(kProjectileGold, {1000.0f, 800.0f});
  game().UpdateProjectiles(kStep);
  EXPECT_EQ(game().projectiles.size(), 1u);
  EXPECT_EQ(game().gold, 0u);
}

}  // namespace

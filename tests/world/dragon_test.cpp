// The dragon's own update: meals and the grip, and its death.

#include <gtest/gtest.h>

#include "support/match_world.h"
#include "world/creatures/sheep.h"
#include "world/projectiles/gold.h"

namespace {

using DragonTest = DragonMatch;

TEST_F(DragonTest, EatingGainsHealthByKindCappedAtAHundredHeroesAreNoFoodThePrincessPaysGold) {
  const struct {
    int type;
    float gain;
  } meals[] = {{kTypeArcher, 15.0f}, {kTypeWizard, 25.0f}, {kTypeSheep, 40.0f}, {kTypeHero, 0.0f}};
  for (const auto& meal : meals) {
    dragon().health = 50.0f;
    dragon().frame = 0.0f;
    cCreature* creature = Spawn(meal.type, {2950.0f, 550.0f});
    dragon().Grab(creature);
    dragon().Eat();
    EXPECT_EQ(dragon().health, 50.0f + meal.gain) << "type " << meal.type;
    EXPECT_EQ(Listed(creature), meal.type == kTypeHero);
    EXPECT_EQ(dragon().GetHeld(), meal.type == kTypeHero ? creature : nullptr);
  }
  EXPECT_EQ(CountProjectiles(kProjectileGold), 0) << "an ordinary sheep leaves no coins";
  game().RemoveCreature(dragon().GetHeld());

  // The princess tops the dragon up to a hundred and scatters a ring of sixteen big coins.
  auto* princess = Spawn<cSheep>(kTypeSheep, {2950.0f, 550.0f});
  princess->weight = 100.0f;
  dragon().health = 90.0f;
  dragon().Grab(princess);
  dragon().Eat();
  const Vec2 centre = dragon().position + Vec2{50.0f, 0.0f};
  dragon().Update(kStep);
  EXPECT_EQ(dragon().health, 100.0f);
  const std::vector<cGold*> coins = Coins();
  ASSERT_EQ(coins.size(), 16u);
  EXPECT_EQ(coins.front()->position, centre + Vec2(0.0f, -240.0f));
  EXPECT_EQ(coins.back()->position, centre + Vec2(-80.0f, -240.0f));
  for (const cGold* coin : coins) EXPECT_EQ(coin->amount, 50);
}

TEST_F(DragonTest, ItCarriesOneCreatureBelowItsBodyAndDropsItWithItsVelocityAndNoHealth) {
  cCreature* archer = Spawn(kTypeArcher, {2950.0f, 550.0f});
  dragon().Grab(archer);
  dragon().Grab(Spawn(kTypeSheep, {2950.0f, 550.0f}));
  EXPECT_EQ(dragon().GetHeld(), archer) << "one creature at a time";
  dragon().Update(kStep);
  EXPECT_NEAR(archer->position.y, dragon().position.y + 0.3f * dragon().GetScaledHeight(), 1e-3f);

  dragon().velocity = {120.0f, -40.0f};
  dragon().Drop();
  EXPECT_EQ(archer->state, kCreatureThrown);
  EXPECT_EQ(archer->target, (Vec2{120.0f, -40.0f}));
  EXPECT_EQ(archer->health, 0.0f);

  cCreature* sheep = Spawn(kTypeSheep, {2950.0f, 550.0f});
  dragon().Grab(sheep);
  ASSERT_TRUE(SUCCEEDED(game().RemoveCreature(sheep)));
  EXPECT_EQ(dragon().GetHeld(), nullptr) << "a removed creature frees the grip";
  dragon().Update(kStep);
}

// A dying dragon falls, blasts the ground around its crash once, and lies dead 2.4 s later.
TEST_F(DragonTest, DyingFallsCrashesWithOneBlastAndDiesAfterTheCrash) {
  std::vector<cCreature*> archers;
  for (int i = 0; i < 3; ++i) {
    archers.push_back(Spawn(kTypeArcher, {2900.0f + 100.0f * i, kGroundY - 24.0f}));
    archers.back()->health = 1000.0f;  // survives the blast, so a second one would show
  }
  dragon().Grab(Spawn(kTypeSheep, {2950.0f, 550.0f}));
  dragon().health = 0.0f;
  dragon().Update(kStep);
  EXPECT_EQ(dragon().GetHeld(), nullptr) << "it lets go";

  float touchdown = -1.0f;
  float t = kStep;
  while (dragon().state != kCreatureDead && t < 20.0f) {
    Fly();
    t += kStep;
    if (touchdown < 0.0f && dragon().frame >= 13.0f) touchdown = t;
  }
  ASSERT_EQ(dragon().state, kCreatureDead);
  ASSERT_GT(touchdown, 0.0f);
  EXPECT_NEAR(t - touchdown, 2.4f, 2.0f * kStep);
  EXPECT_EQ(dragon().position.y, kGroundY);
  EXPECT_EQ(game().shake, 80.0f);
  for (cCreature* archer : archers) EXPECT_EQ(archer->health, 900.0f) << "one blast of 100";
}

}  // namespace

// The dragon's own update: meals and the grip.

#include <gtest/gtest.h>

#include "support/match_world.h"
#include "world/creatures/sheep.h"
#include "world/projectiles/gold.h"

namespace {

using DragonTest = DragonMatch;

// A wizard is a better meal than an archer and a sheep than either; a hero is no food. The
// princess tops the dragon up to a hundred and scatters a ring of sixteen big coins.
TEST_F(DragonTest, MealsHealByKindHeroesAreNoFoodAndThePrincessPaysGold) {
  float gains[4];
  const int meals[] = {kTypeArcher, kTypeWizard, kTypeSheep, kTypeHero};
  for (int i = 0; i < 4; ++i) {
    dragon().health = 50.0f;
    dragon().frame = 0.0f;
    cCreature* meal = Spawn(meals[i], {2950.0f, 550.0f});
    dragon().Grab(meal);
    dragon().Eat();
    gains[i] = dragon().health - 50.0f;
    EXPECT_EQ(Listed(meal), meals[i] == kTypeHero);
    EXPECT_EQ(dragon().GetHeld(), meals[i] == kTypeHero ? meal : nullptr);
  }
  EXPECT_TRUE(0.0f < gains[0] && gains[0] < gains[1] && gains[1] < gains[2] && gains[3] == 0.0f);
  EXPECT_TRUE(Coins().empty()) << "an ordinary sheep leaves no coins";
  game().RemoveCreature(dragon().GetHeld());

  auto* princess = Spawn<cSheep>(kTypeSheep, {2950.0f, 550.0f});
  princess->weight = 100.0f;
  dragon().health = 90.0f;
  dragon().frame = 0.0f;
  dragon().Grab(princess);
  dragon().Eat();
  dragon().Update(kStep);
  EXPECT_EQ(dragon().health, 100.0f);
  const std::vector<cGold*> coins = Coins();
  ASSERT_EQ(coins.size(), 16u);
  for (const cGold* coin : coins) EXPECT_EQ(coin->amount, 50);
}

// One creature at a time; a creature removed from the world frees the grip.
TEST_F(DragonTest, ItHoldsOneCreatureAndLetsGoOfOneRemoved) {
  cCreature* archer = Spawn(kTypeArcher, {2950.0f, 550.0f});
  dragon().Grab(archer);
  dragon().Grab(Spawn(kTypeSheep, {2950.0f, 550.0f}));
  EXPECT_EQ(dragon().GetHeld(), archer);
  ASSERT_TRUE(SUCCEEDED(game().RemoveCreature(archer)));
  EXPECT_EQ(dragon().GetHeld(), nullptr);
  EXPECT_TRUE(FAILED(game().RemoveCreature(archer)) && FAILED(game().RemoveCreature(nullptr)));
}

}  // namespace

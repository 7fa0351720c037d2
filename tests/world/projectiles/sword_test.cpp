// Thrown swords fly straight for two seconds and hurt only the dragon.

#include "world/projectiles/sword.h"

#include "support/match_world.h"

namespace {

using SwordTest = DragonMatch;

TEST_F(SwordTest, FliesStraightForTwoSecondsAndIsGone) {
  auto* sword = Shoot<cSword>(kProjectileSword, {1000.0f, 500.0f}, {850.0f, 0.0f});
  sword->rotation = 0.3f;
  for (int i = 0; i < 119; ++i) game().UpdateProjectiles(kStep);
  ASSERT_EQ(CountProjectiles(kProjectileSword), 1);
  EXPECT_NEAR(sword->position.x, 1000.0f + 850.0f * 119.0f / 60.0f, 0.1f);
  EXPECT_EQ(sword->position.y, 500.0f) << "no gravity";
  EXPECT_EQ(sword->velocity, (Vec2{850.0f, 0.0f}));
  EXPECT_EQ(sword->rotation, 0.3f) << "not turned in flight";
  game().UpdateProjectiles(kStep);
  game().UpdateProjectiles(kStep);
  EXPECT_EQ(CountProjectiles(kProjectileSword), 0) << "after 2 s, about 1700 pixels on";
}

TEST_F(SwordTest, OnlyTheDragonIsHurtAndTinted) {
  cCreature* archer = Spawn(kTypeArcher, {1000.0f, 800.0f});
  cCreature* hero = Spawn(kTypeHero, {1200.0f, 800.0f});
  Shoot(kProjectileSword, archer->position);
  Shoot(kProjectileSword, hero->position);
  game().UpdateProjectiles(0.0f);
  EXPECT_EQ(CountProjectiles(kProjectileSword), 2);
  EXPECT_EQ(archer->health, 25.0f);
  EXPECT_EQ(hero->health, 400.0f);

  Shoot(kProjectileSword, dragon().position);
  game().UpdateProjectiles(0.0f);
  EXPECT_EQ(CountProjectiles(kProjectileSword), 2) << "used up on the dragon";
  EXPECT_EQ(dragon().health, 75.0f);
  EXPECT_EQ(ToArgb(dragon().colour), 0xffff0000u);
}

TEST_F(SwordTest, NothingToHitIsNoHit) {
  auto* sword = Shoot<cSword>(kProjectileSword, {1000.0f, 500.0f});
  EXPECT_EQ(sword->Hit(&game(), nullptr), 0);
  EXPECT_EQ(sword->Hit(nullptr, &dragon()), 0);
  EXPECT_EQ(dragon().health, 100.0f);
}

}  // namespace

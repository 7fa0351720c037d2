// Breath puffs set fire to everything they pass through and leave flames where they land.

#include "support/match_world.h"
#include "world/projectiles/breath.h"

namespace {

using BreathTest = DragonMatch;

TEST_F(BreathTest, APuffRisesSpinsAndDrawsAtItsOwnSizeAndAlpha) {
  auto* puff = Shoot<cBreath>(kProjectileBreath, {1000.0f, 500.0f}, {600.0f, 0.0f});
  ASSERT_NE(puff, nullptr);
  EXPECT_EQ(puff->scale, 0.5f);
  puff->Update(0.1f);
  EXPECT_FLOAT_EQ(puff->scale, 0.6f);
  EXPECT_FLOAT_EQ(puff->colour.a, 0.5f);
  EXPECT_FLOAT_EQ(puff->rotation, 0.8f);
  EXPECT_EQ(puff->position, (Vec2{1060.0f, 500.0f}));
  EXPECT_FLOAT_EQ(puff->velocity.y, -80.0f);
}

TEST_F(BreathTest, BurnsEveryCreatureItTouchesAndStays) {
  const Vec2 at{1000.0f, 800.0f};
  cCreature* sheep = Spawn(kTypeSheep, at);
  cCreature* archer = Spawn(kTypeArcher, at + Vec2{10.0f, 0.0f});
  cCreature* wizard = Spawn(kTypeWizard, at + Vec2{-10.0f, 0.0f});
  cCreature* hero = Spawn(kTypeHero, at + Vec2{0.0f, 10.0f});
  Shoot(kProjectileBreath, at, {-1000.0f, 0.0f});
  game().UpdateProjectiles(0.0f);

  EXPECT_EQ(game().projectiles.size(), 1u);
  for (cCreature* creature : {sheep, archer, wizard, hero}) {
    EXPECT_EQ(creature->state, kCreatureBurning) << "type " << creature->GetType();
  }
  // Archers and wizards are knocked along the puff first; the knock's velocity stays.
  EXPECT_EQ(archer->target, (Vec2{-500.0f, -200.0f}));
  EXPECT_EQ(wizard->target, (Vec2{-500.0f, -200.0f}));
  EXPECT_EQ(sheep->target, Vec2{});
}

TEST_F(BreathTest, BurnsTheDragonToo) {
  Shoot(kProjectileBreath, dragon().position, {-1000.0f, 0.0f});
  game().UpdateProjectiles(0.0f);
  EXPECT_EQ(dragon().state, kCreatureBurning);
  EXPECT_EQ(ToArgb(dragon().colour), 0xffffffffu);
}

TEST_F(BreathTest, LeavesAFlameWhereItReachesTheGround) {
  Shoot(kProjectileBreath, {1000.0f, kGroundY + 5.0f}, {0.0f, 600.0f});
  game().UpdateProjectiles(kStep);  // 15 px below the ground now
  ASSERT_EQ(game().projectiles.size(), 1u);
  const cProjectile& flame = *game().projectiles.front();
  EXPECT_EQ(flame.GetKind(), kProjectileFlame);
  EXPECT_NEAR(flame.position.x, 1000.0f, 1e-3f);
  EXPECT_NEAR(flame.position.y, kGroundY + 15.0f - 100.0f, 0.5f);
}

TEST_F(BreathTest, AFlameBurnsOnlyTheFirstCreatureItTouches) {
  cCreature* first = Spawn(kTypeSheep, {1000.0f, 900.0f});
  cCreature* second = Spawn(kTypeArcher, {1010.0f, 900.0f});
  Shoot(kProjectileFlame, {1000.0f, kGroundY});
  game().UpdateProjectiles(kStep);
  EXPECT_TRUE(game().projectiles.empty());
  EXPECT_EQ(first->state, kCreatureBurning);
  EXPECT_EQ(second->state, kCreatureIdle);
}

}  // namespace

// Fireballs hurt the armoured, pass through the rest, and blast where they hit the ground.

#include "world/creatures/hero.h"
#include "support/match_world.h"
#include "world/projectiles/fireball.h"

namespace {

class FireballTest : public DragonMatch {
 protected:
  // A fireball fired at a creature from where it stands, then one pass.
  int FireAt(cCreature* creature) {
    Shoot(kProjectileFireball, creature->position, {700.0f, 0.0f});
    const std::size_t before = game().projectiles.size();
    game().UpdateProjectiles(0.0f);
    return static_cast<int>(before - game().projectiles.size());
  }
};

TEST_F(FireballTest, FliesStraightWithARisingTrail) {
  auto* fireball = Shoot<cFireball>(kProjectileFireball, {1000.0f, 500.0f}, {700.0f, 0.0f});
  ASSERT_NE(fireball, nullptr);
  for (int i = 0; i < 30; ++i) fireball->Update(kStep);
  EXPECT_NEAR(fireball->position.x, 1350.0f, 1e-2f);
  EXPECT_EQ(fireball->position.y, 500.0f);
  EXPECT_EQ(fireball->emitter.position, fireball->position);
  ASSERT_FALSE(fireball->emitter.particles.empty());
  for (const auto& particle : fireball->emitter.particles) {
    EXPECT_EQ(particle->velocity.x, 0.0f);
    EXPECT_LT(particle->velocity.y, 0.0f);
  }
}

TEST_F(FireballTest, PassesThroughTheUnarmoured) {
  for (int type : {kTypeArcher, kTypeWizard, kTypeSheep}) {
    cCreature* creature = Spawn(type, {1000.0f + 300.0f * type, 800.0f});
    const float health = creature->health;
    EXPECT_EQ(FireAt(creature), 0) << "type " << type;
    EXPECT_EQ(creature->health, health);
    EXPECT_EQ(creature->state, kCreatureIdle);
    game().projectiles.clear();
  }
}

TEST_F(FireballTest, ADefenderDiesOnTheSecondHitAndIsKnockedAway) {
  cCreature* defender = Spawn(kTypeDefender, {1000.0f, 800.0f});
  defender->health = 30.0f;
  EXPECT_EQ(FireAt(defender), 1);
  EXPECT_EQ(defender->health, 5.0f);
  EXPECT_EQ(ToArgb(defender->colour), 0xffff0000u);
  EXPECT_EQ(defender->state, kCreatureIdle);
  EXPECT_EQ(FireAt(defender), 1);
  EXPECT_EQ(defender->health, -20.0f);
  EXPECT_EQ(defender->state, kCreatureKnocked);
  EXPECT_EQ(defender->target, (Vec2{-50.0f, -100.0f}));
}

TEST_F(FireballTest, TheKnockedAndTheDeadAreNotHurtAgain) {
  cCreature* hero = Spawn(kTypeHero, {1000.0f, 800.0f});
  hero->Knock({1.0f, 1.0f});
  EXPECT_EQ(FireAt(hero), 0);
  EXPECT_EQ(hero->health, 400.0f);
  hero->state = kCreatureIdle;
  hero->health = 0.0f;
  EXPECT_EQ(FireAt(hero), 0);
}

TEST_F(FireballTest, AGuardedHeroTakesLittleAndRecoils) {
  auto* hero = Spawn<cHero>(kTypeHero, {1000.0f, 800.0f});
  hero->SetAnimation(6, 6, 4, 1.0f, 0);
  hero->frame = 6.0f;
  hero->colour = Colour{0.5f, 0.5f, 0.5f, 1.0f};
  EXPECT_EQ(FireAt(hero), 1);
  EXPECT_EQ(hero->health, 397.5f);
  EXPECT_EQ(ToArgb(hero->colour), 0xffffffffu);
  EXPECT_EQ(static_cast<int>(hero->frame), 10);
  EXPECT_EQ(hero->blockTime, 0.05f);

  hero->SetAnimation(0, 3, 4, 1.0f, 1);
  hero->frame = 1.0f;
  EXPECT_EQ(FireAt(hero), 1);
  EXPECT_EQ(hero->health, 372.5f);
  EXPECT_EQ(ToArgb(hero->colour), 0xffff0000u);
}

TEST_F(FireballTest, ADownedZeppelinLetsTwoArchersFall) {
  cCreature* zeppelin = Spawn(kTypeZeppelin, {1000.0f, 300.0f});
  zeppelin->health = 25.0f;
  EXPECT_EQ(FireAt(zeppelin), 1);
  EXPECT_EQ(zeppelin->health, 0.0f);
  EXPECT_EQ(zeppelin->state, kCreatureKnocked);
  EXPECT_EQ(zeppelin->target, (Vec2{150.0f, -50.0f}));

  ASSERT_EQ(game().creatures.size(), 4u);
  const Vec2 throws[] = {{-25.0f, -50.0f}, {25.0f, -50.0f}};
  for (int i = 0; i < 2; ++i) {
    const cCreature& archer = *game().creatures[2 + i];
    EXPECT_EQ(archer.GetType(), kTypeArcher);
    EXPECT_EQ(archer.target, throws[i]);
    EXPECT_EQ(archer.health, 0.0f);
    EXPECT_EQ(archer.position.x, 1000.0f);
  }
}

TEST_F(FireballTest, AtTheGroundItBlastsTheFirstThreeWithinEighty) {
  std::vector<cCreature*> archers;
  for (int i = 0; i < 5; ++i) {
    archers.push_back(Spawn(kTypeArcher, {1000.0f + 10.0f * i, kGroundY - 20.0f}));
    archers.back()->health = 100.0f;
  }
  Shoot(kProjectileFireball, {1000.0f, kGroundY + 11.0f}, {0.0f, 700.0f});
  game().UpdateProjectiles(0.0f);
  EXPECT_TRUE(game().projectiles.empty());
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(archers[i]->health, i < 3 ? 75.0f : 100.0f) << "archer " << i;
  }
}

}  // namespace

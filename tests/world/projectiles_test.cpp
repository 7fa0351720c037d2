// What flies in a match: the projectile pass with its tint rule, and each kind's hits, sounds
// and lifetime.

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "platform/sdl_device.h"
#include "support/match_world.h"
#include "world/projectiles/arrow.h"
#include "world/projectiles/gold.h"
#include "world/projectiles/spell.h"

namespace {

class Projectiles : public DragonMatch {
 protected:
  // A projectile of `kind` where `creature` stands, then one pass; true when it was used up.
  bool HitWith(int kind, cCreature* creature) {
    Shoot(kind, creature->position, {700.0f, 0.0f});
    const std::size_t before = game().projectiles.size();
    game().UpdateProjectiles(0.0f);
    const bool used = game().projectiles.size() < before;
    game().projectiles.clear();
    return used;
  }
};

// A flame may not start within 100 of another, and fades out over four seconds.
TEST_F(Projectiles, FlamesKeepTheirDistanceAndFadeOutInFourSeconds) {
  ASSERT_NE(Shoot(kProjectileFlame, {1000.0f, kGroundY}), nullptr);
  EXPECT_EQ(Shoot(kProjectileFlame, {1000.0f, kGroundY - 10.0f}), nullptr);
  EXPECT_NE(Shoot(kProjectileFlame, {1000.0f, kGroundY}), nullptr) << "exactly 100 away";
  for (int i = 0; i < 233; ++i) {
    const float before = game().projectiles.front()->colour.a;
    game().UpdateProjectiles(kStep);
    const float alpha = game().projectiles.front()->colour.a;
    ASSERT_TRUE(alpha < before && alpha <= 1.0f) << "fading out from fully seen: " << alpha;
  }
  EXPECT_EQ(CountProjectiles(kProjectileFlame), 2);
  for (int i = 0; i < 2; ++i) game().UpdateProjectiles(kStep);
  EXPECT_EQ(CountProjectiles(kProjectileFlame), 1) << "the second, a frame younger, is left";

  // On a slope a flame lies along the ground under it.
  game().groundLine = {{2000.0f, 1000.0f}, {3000.0f, 900.0f}};  // rising one in ten
  const cProjectile* onSlope = Shoot(kProjectileFlame, {2500.0f, 950.0f});
  ASSERT_NE(onSlope, nullptr);
  EXPECT_NEAR(onSlope->rotation, -std::atan(0.1f), 0.01f) << "turned up the slope";
}

// The attackers' missiles pass through every attacker and sheep and are used up on the dragon.
TEST_F(Projectiles, MissilesHurtAndTintTheDragonButCoinsAndFlamesDoNot) {
  for (const auto& [kind, harm] :
       {std::pair{kProjectileSword, 25.0f}, std::pair{kProjectileArrow, 5.0f},
        std::pair{kProjectileSpell, 10.0f}}) {
    for (const int type : {kTypeArcher, kTypeWizard, kTypeHero, kTypeSheep}) {
      EXPECT_FALSE(HitWith(kind, Spawn(type, {1500.0f, 900.0f}))) << kind << " on " << type;
    }
    dragon().health = 100.0f;
    EXPECT_TRUE(HitWith(kind, &dragon())) << kind;
    EXPECT_EQ(dragon().health, 100.0f - harm) << kind;
  }
  EXPECT_EQ(ToArgb(dragon().colour), 0xffff0000u);

  dragon().colour = Colour{};
  Shoot(kProjectileGold, dragon().position);
  Shoot(kProjectileFlame, dragon().position + Vec2{0.0f, 100.0f});
  game().UpdateProjectiles(kStep);
  game().UpdateProjectiles(kStep);  // the flame moved up behind the coin: its turn comes now
  EXPECT_TRUE(game().projectiles.empty());
  EXPECT_EQ(game().gold, 10u);
  EXPECT_EQ(dragon().state, kCreatureBurning) << "the flame burnt it";
  EXPECT_EQ(ToArgb(dragon().colour), 0xffffffffu);
}

TEST_F(Projectiles, AnArrowWhooshesOnceAfter0_4sAndFallsToTheGround) {
  Hear({131, 132});
  cArrow* arrow = Shoot<cArrow>(kProjectileArrow, {0.0f, 700.0f}, {600.0f, 0.0f});
  ASSERT_NE(arrow, nullptr);
  RunFrames(23);
  EXPECT_EQ(SoundsPlayed(), 0);
  RunFrames(2);
  EXPECT_EQ(SoundsPlayed(), 1) << "at 0.42 s";
  RunFrames(61);
  ASSERT_EQ(CountProjectiles(kProjectileArrow), 1);
  RunFrames(1);  // 1.45 s: more than 10 below the ground line
  EXPECT_EQ(CountProjectiles(kProjectileArrow), 0);
  EXPECT_EQ(SoundsPlayed(), 1);
}

TEST_F(Projectiles, BreathBurnsEveryoneItTouchesKnockingFootSoldiersAndLeavesAFlameOnTheGround) {
  const Vec2 at{1000.0f, 800.0f};
  cCreature* sheep = Spawn(kTypeSheep, at);
  cCreature* archer = Spawn(kTypeArcher, at + Vec2{10.0f, 0.0f});
  cCreature* wizard = Spawn(kTypeWizard, at + Vec2{-10.0f, 0.0f});
  cCreature* hero = Spawn(kTypeHero, at + Vec2{0.0f, 10.0f});
  Shoot(kProjectileBreath, at, {-1000.0f, 0.0f});
  Shoot(kProjectileBreath, dragon().position, {-1000.0f, 0.0f});
  game().UpdateProjectiles(0.0f);
  for (cCreature* creature : {sheep, archer, wizard, hero, static_cast<cCreature*>(&dragon())}) {
    EXPECT_EQ(creature->state, kCreatureBurning) << "type " << creature->GetType();
  }
  EXPECT_EQ(wizard->target, (Vec2{-500.0f, -200.0f})) << "knocked";
  EXPECT_EQ(sheep->target, Vec2{});

  game().projectiles.clear();
  Shoot(kProjectileBreath, {2000.0f, kGroundY + 5.0f}, {0.0f, 600.0f});
  game().UpdateProjectiles(kStep);  // 15 px below the ground now
  ASSERT_EQ(game().projectiles.size(), 1u);
  EXPECT_EQ(game().projectiles.front()->GetKind(), kProjectileFlame);
  EXPECT_NEAR(game().projectiles.front()->position.y, kGroundY + 15.0f - 100.0f, 0.5f);
}

TEST_F(Projectiles, FireballsPassTheUnarmouredHurtTheArmouredAndDownZeppelins) {
  for (int type : {kTypeArcher, kTypeWizard, kTypeSheep}) {
    EXPECT_FALSE(HitWith(kProjectileFireball, Spawn(type, {4000.0f, 800.0f}))) << type;
  }
  cCreature* defender = Spawn(kTypeDefender, {1000.0f, 800.0f});
  defender->health = 30.0f;
  EXPECT_TRUE(HitWith(kProjectileFireball, defender));
  EXPECT_EQ(defender->health, 5.0f);
  EXPECT_TRUE(HitWith(kProjectileFireball, defender));
  EXPECT_EQ(defender->state, kCreatureKnocked) << "killed on the second hit";
  EXPECT_FALSE(HitWith(kProjectileFireball, defender)) << "the knocked are not hurt again";

  cCreature* hero = Spawn(kTypeHero, {2000.0f, 800.0f});
  EXPECT_TRUE(HitWith(kProjectileFireball, hero));
  EXPECT_EQ(hero->health, 375.0f) << "off guard";
  cCreature* zeppelin = Spawn(kTypeZeppelin, {1000.0f, 300.0f});
  zeppelin->health = 25.0f;
  EXPECT_TRUE(HitWith(kProjectileFireball, zeppelin));
  EXPECT_EQ(zeppelin->state, kCreatureKnocked);
  ASSERT_EQ(CountOfType(kTypeArcher), 3) << "two fall from its gondola";
  EXPECT_EQ(game().creatures.back()->state, kCreatureThrown);
  EXPECT_LE(game().creatures.back()->health, 0.0f) << "to die where it lands";
  EXPECT_LT(zeppelin->colour.g, 1.0f) << "tinted by the hit";
  for (int i = 0; i < 60; ++i) zeppelin->Update(kStep);
  EXPECT_GT(zeppelin->colour.g, 0.95f) << "the tint fades";
}

TEST_F(Projectiles, CoinsAreDrawnInWithin400AndCollectedForTheirAmount) {
  Shoot(kProjectileGold, dragon().position + Vec2{5.0f, 0.0f});
  Shoot<cGold>(kProjectileGold, dragon().position + Vec2{-5.0f, 0.0f})->MakeBig();
  game().UpdateProjectiles(kStep);
  EXPECT_EQ(game().gold, 10u);
  game().UpdateProjectiles(kStep);
  EXPECT_EQ(game().gold, 60u);
  auto* big = Shoot<cGold>(kProjectileGold, {1000.0f, 500.0f});
  big->MakeBig();
  big->Update(kStep);
  EXPECT_GE(big->frame, 9.0f) << "a big coin turns in the big coin's cells";

  auto* inRange = Shoot<cGold>(kProjectileGold, dragon().position + Vec2{400.0f, 0.0f});
  auto* beyond =
      Shoot<cGold>(kProjectileGold, dragon().position + Vec2{0.0f, 400.5f}, {100.0f, -300.0f});
  inRange->Update(kStep);
  beyond->Update(kStep);
  EXPECT_LT(inRange->velocity.x, 0.0f) << "drawn towards the dragon";
  EXPECT_EQ(beyond->velocity, Vec2{});
}

TEST_F(Projectiles, AChargedSpellRisesSixHundredAndBurstsOnceIntoSevenBallsLivingTwoSeconds) {
  Hear({142});
  dragon().position = {5000.0f, 500.0f};
  auto* spell = Shoot<cSpell>(kProjectileSpell, {2000.0f, 900.0f}, {0.0f, -600.0f});
  ASSERT_NE(spell, nullptr);
  spell->charged = 1;
  RunFrames(119);
  ASSERT_EQ(CountProjectiles(kProjectileSpell), 1);
  EXPECT_NEAR(spell->position.y, 300.0f, 6.0f);
  RunFrames(2);
  ASSERT_EQ(CountProjectiles(kProjectileSpell), 7);
  RunFor(2.1);
  EXPECT_EQ(CountProjectiles(kProjectileSpell), 0) << "two seconds each";
  EXPECT_EQ(SoundsPlayed(), 1) << "one burst";
}

}  // namespace

// The dragon's own update: flight and damping, tilt, meals, the grip, and its death.

#include <cmath>

#include "world/creatures/sheep.h"
#include "support/match_world.h"
#include "world/projectiles/gold.h"

namespace {

using DragonTest = DragonMatch;

TEST_F(DragonTest, DampingKeepsEightyPercentPerUpdateUpToThirtyUpdatesASecond) {
  struct Case {
    float dt;
    float kept;
  };
  for (const Case c : {Case{1.0f / 60.0f, 0.8f}, Case{1.0f / 30.0f, 0.8f},
                       Case{1.0f / 120.0f, 0.4f}}) {
    dragon().velocity = {};
    dragon().Accelerate(500.0f, 0.0f);
    dragon().Update(c.dt);
    EXPECT_NEAR(dragon().velocity.x, 500.0f * c.kept, 1e-3f) << "dt " << c.dt;
  }
}

TEST_F(DragonTest, AccelerationIsCappedAndTurnsTheDragon) {
  dragon().Accelerate(400.0f, -300.0f);
  dragon().Accelerate(400.0f, -300.0f);
  EXPECT_EQ(dragon().velocity, (Vec2{500.0f, -500.0f}));
  EXPECT_EQ(dragon().flipX, 1);
  dragon().Accelerate(-1.0f, 0.0f);
  EXPECT_EQ(dragon().flipX, 0);
  dragon().Accelerate(0.0f, 0.0f);
  EXPECT_EQ(dragon().flipX, 0);
}

TEST_F(DragonTest, TiltsWithTheFasterComponent) {
  dragon().velocity = {500.0f, 100.0f};
  dragon().Update(kStep);  // after damping: (400, 80)
  EXPECT_NEAR(dragon().rotation, 400.0f / 500.0f * 0.19634955f, 1e-5f);

  dragon().velocity = {100.0f, 500.0f};
  dragon().flipX = 0;
  dragon().Update(kStep);  // (80, 400), facing left: tilted against the climb
  EXPECT_NEAR(dragon().rotation, -400.0f / 500.0f * 0.19634955f, 1e-5f);
}

TEST_F(DragonTest, MouthOffsetFollowsFacingAndScale) {
  dragon().scale = 0.75f;
  EXPECT_EQ(dragon().GetMouthOffset(), (Vec2{-67.0f * 0.75f, -20.0f * 0.75f}));
  dragon().flipX = 1;
  EXPECT_EQ(dragon().GetMouthOffset(), (Vec2{67.0f * 0.75f, -20.0f * 0.75f}));
}

TEST_F(DragonTest, CarriesWhatItHoldsBelowItsBody) {
  auto* sheep = Spawn<cSheep>(kTypeSheep, {2950.0f, 550.0f});
  dragon().Grab(sheep);
  EXPECT_EQ(sheep->state, kCreatureHeld);
  dragon().Update(kStep);
  EXPECT_NEAR(sheep->position.x, dragon().position.x, 1e-3f);
  EXPECT_NEAR(sheep->position.y, dragon().position.y + 0.3f * dragon().GetScaledHeight(), 1e-3f);

  auto* other = Spawn(kTypeSheep, {2950.0f, 550.0f});
  dragon().Grab(other);
  EXPECT_EQ(dragon().GetHeld(), sheep) << "one creature at a time";
  EXPECT_EQ(other->state, kCreatureIdle);
}

TEST_F(DragonTest, EatingGainsHealthByKindCappedAtAHundred) {
  struct Case {
    int type;
    float gain;
  };
  for (const Case c : {Case{kTypeArcher, 15.0f}, Case{kTypeWizard, 25.0f},
                       Case{kTypeSheep, 40.0f}}) {
    dragon().health = 50.0f;
    dragon().frame = 0.0f;
    cCreature* meal = Spawn(c.type, {2950.0f, 550.0f});
    dragon().Grab(meal);
    dragon().Eat();
    EXPECT_EQ(dragon().health, 50.0f + c.gain) << "type " << c.type;
    EXPECT_EQ(dragon().GetHeld(), nullptr);
    EXPECT_EQ(game().creatures.size(), 1u) << "the meal left the world";
  }
  dragon().health = 90.0f;
  dragon().frame = 0.0f;
  dragon().Grab(Spawn(kTypeSheep, {2950.0f, 550.0f}));
  dragon().Eat();
  dragon().Update(kStep);
  EXPECT_EQ(dragon().health, 100.0f);
}

TEST_F(DragonTest, ThePrincessScattersARingOfSixteenBigCoins) {
  auto* princess = Spawn<cSheep>(kTypeSheep, {2950.0f, 550.0f});
  princess->weight = 100.0f;
  dragon().Grab(princess);
  dragon().Eat();
  ASSERT_EQ(CountProjectiles(kProjectileGold), 16);
  const Vec2 centre = dragon().position + Vec2{50.0f, 0.0f};
  const auto* first = static_cast<const cGold*>(game().projectiles.front().get());
  EXPECT_EQ(first->position, centre + Vec2(0.0f, -240.0f));
  for (const auto& projectile : game().projectiles) {
    const auto& coin = static_cast<const cGold&>(*projectile);
    EXPECT_EQ(coin.amount, 50);
    EXPECT_EQ(coin.scale, 0.6f);
    EXPECT_EQ(coin.velocity, Vec2{});
  }
  EXPECT_EQ(game().projectiles.back()->position, centre + Vec2(-80.0f, -240.0f));
}

TEST_F(DragonTest, AnOrdinarySheepLeavesNoCoins) {
  dragon().Grab(Spawn(kTypeSheep, {2950.0f, 550.0f}));
  dragon().Eat();
  EXPECT_EQ(CountProjectiles(kProjectileGold), 0);
}

TEST_F(DragonTest, HeroesAreNoFoodAndStayInTheGrip) {
  cCreature* hero = Spawn(kTypeHero, {2950.0f, 550.0f});
  dragon().Grab(hero);
  dragon().Eat();
  EXPECT_EQ(dragon().GetHeld(), hero);
  EXPECT_EQ(dragon().health, 100.0f);
}

TEST_F(DragonTest, DroppingThrowsWithTheDragonsVelocityAndNoHealth) {
  cCreature* archer = Spawn(kTypeArcher, {2950.0f, 550.0f});
  dragon().Grab(archer);
  dragon().velocity = {120.0f, -40.0f};
  dragon().Drop();
  EXPECT_EQ(dragon().GetHeld(), nullptr);
  EXPECT_EQ(archer->state, kCreatureThrown);
  EXPECT_EQ(archer->target, (Vec2{120.0f, -40.0f}));
  EXPECT_EQ(archer->health, 0.0f);
}

TEST_F(DragonTest, RemovingAHeldCreatureFreesTheGrip) {
  cCreature* sheep = Spawn(kTypeSheep, {2950.0f, 550.0f});
  dragon().Grab(sheep);
  ASSERT_TRUE(SUCCEEDED(game().RemoveCreature(sheep)));
  EXPECT_EQ(dragon().GetHeld(), nullptr);
  dragon().Update(kStep);  // nothing to carry, nothing dangling
}

// A dying dragon falls, blasts the ground around its crash once, and lies dead 2.4 s later.
TEST_F(DragonTest, DyingFallsCrashesWithOneBlastAndDiesAfterTheCrash) {
  std::vector<cCreature*> archers;
  for (int i = 0; i < 3; ++i) {
    archers.push_back(Spawn(kTypeArcher, {2900.0f + 100.0f * i, kGroundY - 24.0f}));
    archers.back()->health = 1000.0f;  // survives the blast, so a second one would show
  }
  cCreature* held = Spawn(kTypeSheep, {2950.0f, 550.0f});
  dragon().Grab(held);
  dragon().health = 0.0f;

  dragon().Update(kStep);
  EXPECT_EQ(dragon().state, kCreatureDying);
  EXPECT_EQ(dragon().GetHeld(), nullptr);
  EXPECT_EQ(held->state, kCreatureThrown);
  EXPECT_EQ(dragon().scale, 1.0f);
  EXPECT_EQ(static_cast<int>(dragon().frame), 12);

  float touchdown = -1.0f;
  float t = kStep;
  while (dragon().state != kCreatureDead && t < 20.0f) {
    game().DragonControlStep(kStep);
    dragon().Update(kStep);
    t += kStep;
    if (touchdown < 0.0f && dragon().frame >= 13.0f) touchdown = t;
  }
  ASSERT_EQ(dragon().state, kCreatureDead);
  ASSERT_GT(touchdown, 0.0f);
  EXPECT_NEAR(t - touchdown, 2.4f, 2.0f * kStep);
  EXPECT_EQ(dragon().position.y, kGroundY);
  EXPECT_EQ(game().shake, 80.0f);
  for (cCreature* archer : archers) EXPECT_EQ(archer->health, 900.0f) << "one blast of 100";

  const Vec2 where = dragon().position;
  dragon().Update(kStep);
  EXPECT_EQ(dragon().position, where) << "the dead dragon lies still";
}

TEST_F(DragonTest, HealthIsCappedEveryUpdate) {
  dragon().health = 160.0f;
  dragon().Update(kStep);
  EXPECT_EQ(dragon().health, 100.0f);
}

}  // namespace

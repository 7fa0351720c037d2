// The wizard: the 50-pixel rule that differs between deciding and walking, a charged spell
// straight up every 4.5 s, its walk, its burning and its two coins.

#include "world/creatures/wizard.h"

#include <gtest/gtest.h>

#include "support/match_world.h"
#include "world/projectiles/spell.h"

namespace {

constexpr float kWizardCentreY = kGroundY - 16.0f;  // 64 high: feet 16 below

using WizardTest = DragonMatch;

TEST_F(WizardTest, ADragonStraightAboveSendsADecidingWizardWalkingButStopsAWalkingOne) {
  cWizard* wizard = Spawn<cWizard>(kTypeWizard, Vec2{2000.0f, kWizardCentreY});
  dragon().position = wizard->position + Vec2{30.0f, -200.0f};
  wizard->Update(kStep);
  EXPECT_EQ(wizard->state, kCreatureWalking) << "within 400, but overhead";
  wizard->Update(kStep);
  EXPECT_EQ(wizard->state, kCreatureAttacking);

  cWizard* far = Spawn<cWizard>(kTypeWizard, Vec2{1000.0f, kWizardCentreY});
  far->state = kCreatureWalking;
  dragon().position = far->position + Vec2{-40.0f, -1500.0f};
  far->Update(kStep);
  EXPECT_EQ(far->state, kCreatureAttacking) << "overhead at any height";
}

TEST_F(WizardTest, CastsAChargedSpellStraightUpEveryFourAndAHalfSeconds) {
  Hear({141});
  cWizard* wizard = Spawn<cWizard>(kTypeWizard, Vec2{2700.0f, kWizardCentreY});
  dragon().position = Vec2{3000.0f, 900.0f};

  RunFrames(2);  // decides, then casts at once: the clock is long past 4.5 s
  std::vector<cSpell*> spells = ProjectilesOf<cSpell>(kProjectileSpell);
  ASSERT_EQ(spells.size(), 1u);
  EXPECT_EQ(spells[0]->charged, 1);
  EXPECT_FLOAT_EQ(spells[0]->position.x, 2700.0f);
  EXPECT_NEAR(spells[0]->velocity.y, -600.0f + 300.0f * kStep, 1e-3f);
  EXPECT_EQ(spells[0]->velocity.x, 0.0f);
  EXPECT_EQ(SoundsPlayed(), 1);
  RunFrames(1);
  EXPECT_EQ(wizard->sourceRect, (Rect{0, 64, 64, 128})) << "cell 4, casting";
  EXPECT_EQ(wizard->flipX, 0);

  RunFrames(268);  // 4.5 s after the first cast: no second one yet
  EXPECT_EQ(SoundsPlayed(), 1);
  RunFrames(2);
  EXPECT_EQ(SoundsPlayed(), 2);
  RunFor(4.5);
  EXPECT_EQ(SoundsPlayed(), 3);
  EXPECT_EQ(wizard->position.x, 2700.0f) << "stands while it casts";
}

TEST_F(WizardTest, WalksOnEverySecondUpdateAtHalfOfItsSpeed) {
  cWizard* wizard = Spawn<cWizard>(kTypeWizard, Vec2{1000.0f, kWizardCentreY});
  RunFrames(2);
  const float startX = wizard->position.x;
  RunFor(1.0);
  // 30 steps of 2.5 pixels towards (5880, 0), whose horizontal share is 0.98 at this height.
  EXPECT_NEAR(wizard->position.x - startX, 73.5f, 1.0f);
  EXPECT_FLOAT_EQ(wizard->position.y, kWizardCentreY);
}

TEST_F(WizardTest, BurningTakesItsFifteenHealthInTwoThirdsOfASecondAndLeavesTwoCoins) {
  cWizard* wizard = Spawn<cWizard>(kTypeWizard, Vec2{2000.0f, kWizardCentreY});
  wizard->Knock(Vec2{40.0f, -200.0f});
  wizard->Burn();
  RunFrames(38);
  ASSERT_TRUE(Listed(wizard));
  EXPECT_EQ(wizard->flipX, 0);
  EXPECT_LT(wizard->rotation, 0.0f) << "flying right, it turns clockwise";
  const Vec2 lastSeen = wizard->position;
  RunFrames(4);
  EXPECT_FALSE(Listed(wizard));
  const std::vector<cGold*> coins = Coins();
  ASSERT_EQ(coins.size(), 2u);
  EXPECT_NEAR(coins[0]->position.x, lastSeen.x - 25.0f, 2.0f);
  EXPECT_NEAR(coins[1]->position.x, lastSeen.x + 25.0f, 2.0f);
  EXPECT_EQ(coins[0]->position.y, coins[1]->position.y);
}

TEST_F(WizardTest, AWalkerSetBurningByAFlameBurnsWhereItStands) {
  cWizard* wizard = Spawn<cWizard>(kTypeWizard, Vec2{2000.0f, kWizardCentreY});
  RunFrames(2);
  const float x = wizard->position.x;
  wizard->Burn();
  RunFrames(10);
  EXPECT_FLOAT_EQ(wizard->position.x, x);
  EXPECT_EQ(wizard->state, kCreatureBurning);
}

TEST_F(WizardTest, AThrownWizardCrashesDownWithACoinForItselfAndDiesWithTwoMore) {
  cWizard* wizard = Spawn<cWizard>(kTypeWizard, Vec2{2000.0f, 800.0f});
  wizard->Throw(Vec2{});
  ASSERT_TRUE(RunUntil([&] { return wizard->state != kCreatureThrown; }, 120));
  EXPECT_EQ(Coins().size(), 1u);
  EXPECT_FLOAT_EQ(wizard->health, -35.0f);
  RunFrames(2);
  EXPECT_FALSE(Listed(wizard));
  EXPECT_EQ(Coins().size(), 3u);
}

TEST_F(WizardTest, AfterAFallItStandsRatherThanShowingItsFallingCell) {
  cWizard* wizard = Spawn<cWizard>(kTypeWizard, Vec2{2700.0f, kWizardCentreY});
  dragon().position = Vec2{3000.0f, 900.0f};
  wizard->lastCast = 1e9;  // nothing to cast for now
  wizard->Knock(Vec2{0.0f, -100.0f});
  ASSERT_TRUE(RunUntil([&] { return wizard->state == kCreatureAttacking; }, 120));
  RunFrames(2);
  EXPECT_EQ(wizard->sourceRect, (Rect{0, 0, 64, 64})) << "cell 0, standing";
}

}  // namespace

// The match rules: the ground, blasts, gold theft, spawning, the end, and each difficulty.

#include <gtest/gtest.h>

#include <cmath>

#include "app/defender_posts.h"
#include "app/world_setup.h"
#include "support/match_world.h"
#include "world/creatures/defender.h"
#include "world/creatures/dragon.h"
#include "world/creatures/sheep.h"

namespace {

class MatchRules : public MatchWorld {
 protected:
  // `count` creatures of `type` die in the field; returns once the world has removed them.
  void KillInField(int type, int count) {
    for (int i = 0; i < count; ++i) Spawn(type, {1000.0f + 10.0f * i, 0.0f})->state = kCreatureDead;
    for (int frame = 0; frame < 2 * count + 2 && !game().creatures.empty(); ++frame) RunFrames(1);
    ASSERT_TRUE(game().creatures.empty());
  }
};

TEST_F(MatchRules, GroundFollowsTheProfileStandsOnWallsAndCirclesTouchWithinAQuarterWidth) {
  game().groundLine.clear();
  EXPECT_FLOAT_EQ(game().GroundHeightAt(5.0f), 0.0f);
  game().groundLine = {{0.0f, 900.0f}};
  EXPECT_FLOAT_EQ(game().GroundHeightAt(0.0f), 0.0f) << "one point is no line";
  game().groundLine = {{0.0f, 900.0f}, {100.0f, 1000.0f}, {100.0f, 700.0f}, {200.0f, 700.0f}};
  const std::pair<float, float> heights[] = {{-0.5f, 0.0f},   {200.5f, 0.0f},    {0.0f, 900.0f},
                                             {25.0f, 925.0f}, {100.0f, 1000.0f}, {150.0f, 700.0f}};
  for (const auto& [x, y] : heights) EXPECT_FLOAT_EQ(game().GroundHeightAt(x), y) << x;
  game().groundLine = {{100.0f, 1000.0f}, {100.0f, 700.0f}, {200.0f, 700.0f}};
  EXPECT_FLOAT_EQ(game().GroundHeightAt(100.0f), 700.0f) << "a wall is stood on";

  cSprite small, big;  // circles touch within a quarter of the wider one's width
  small.sourceRect = Rect{0, 0, 64, 64};
  big.sourceRect = Rect{0, 0, 256, 256};
  big.position = Vec2{64.0f, 0.0f};
  EXPECT_TRUE(game().CirclesTouch(&small, &big) && game().CirclesTouch(&big, &small));
  big.position = Vec2{64.5f, 0.0f};
  EXPECT_FALSE(game().CirclesTouch(&small, &big) || game().CirclesTouch(&small, &small) ||
               game().CirclesTouch(nullptr, &big));
}

TEST_F(MatchRules, ABlastKnocksAndHurtsWhatIsInsideUpToItsCountSkippingSheepAndTheDragon) {
  PlaceDragon(game())->position = Vec2{1000.0f, 1000.0f};
  cCreature* sheep = Spawn(kTypeSheep, {1000.0f, 1000.0f});
  cCreature* below = Spawn(kTypeArcher, {1000.0f, 1050.0f});
  cCreature* knocked = Spawn(kTypeArcher, {1000.0f, 1000.0f});
  knocked->Knock(Vec2{5.0f, 5.0f});
  cCreature* outside = Spawn(kTypeArcher, {1100.0f, 1000.0f});
  EXPECT_EQ(game().Blast(Vec2{1000.0f, 1000.0f}, 100.0f * 100.0f, 10.0f, -1), 2);
  EXPECT_FLOAT_EQ(game().dragon->health, 100.0f);
  EXPECT_FLOAT_EQ(sheep->health, 1.0f);
  EXPECT_EQ(below->target, (Vec2{0.0f, 320.0f}));
  EXPECT_FLOAT_EQ(below->health, 15.0f);
  EXPECT_EQ(knocked->target, (Vec2{5.0f, 5.0f})) << "already flying: not knocked again";
  EXPECT_FLOAT_EQ(outside->health, 25.0f) << "the radius is exclusive";

  EXPECT_EQ(game().Blast(Vec2{1000.0f, 1000.0f}, 100.0f * 100.0f, 1.0f, 1), 1);
  EXPECT_FLOAT_EQ(below->health, 14.0f);
  EXPECT_FLOAT_EQ(knocked->health, 15.0f) << "the first one hit was the last";
}

// At the lair a foot soldier takes its share (a wizard more than an archer, never more than
// there is) and the gold flashes; a hero only flashes it; the burning or dead take nothing.
TEST_F(MatchRules, AttackersReachingTheLairAliveTakeGold) {
  const auto reach = [&](int type, std::uint32_t gold, int state = kCreatureIdle,
                         bool dying = false) {
    SCOPED_TRACE(testing::Message() << "type " << type << " state " << state);
    game().gold = gold;
    game().goldLossTimer = 0.0f;
    cCreature* attacker = Spawn(type, {5700.0f, 0.0f});
    attacker->state = state;
    if (dying) attacker->health = 0.0f;
    RunFrames(1);
    EXPECT_FALSE(Listed(attacker));
    return std::pair{gold - game().gold, game().goldLossTimer > 0.0f};
  };
  const auto [archerShare, archerFlash] = reach(kTypeArcher, 1000);
  const auto [wizardShare, wizardFlash] = reach(kTypeWizard, 1000);
  EXPECT_TRUE(archerShare > 0 && wizardShare > archerShare && archerFlash && wizardFlash);
  EXPECT_EQ(reach(kTypeArcher, archerShare - 1), std::pair(archerShare - 1, true));
  EXPECT_EQ(reach(kTypeHero, 80), std::pair(0u, true));
  EXPECT_EQ(reach(kTypeArcher, 80, kCreatureBurning), std::pair(0u, false));
  EXPECT_EQ(reach(kTypeArcher, 80, kCreatureIdle, true), std::pair(0u, false));
}

TEST_F(MatchRules, KillsBringTheNextAttackersSoonerDownToAFloorAndACrowdHoldsThemBack) {
  KillInField(kTypeArcher, 20);
  EXPECT_NEAR(game().archerInterval, 2.0, 1e-9);
  KillInField(kTypeWizard, 100);
  EXPECT_DOUBLE_EQ(game().archerInterval, 1.0);
  KillInField(kTypeHero, 4);
  EXPECT_DOUBLE_EQ(game().heroInterval, 40.0);
  KillInField(kTypeHero, 30);
  EXPECT_DOUBLE_EQ(game().heroInterval, 10.0);
  KillInField(kTypeZeppelin, 35);
  EXPECT_DOUBLE_EQ(game().zeppelinInterval, 10.0);

  // Five heroes hold back the next, and a hundred and twenty creatures hold back all.
  for (int i = 0; i < 5; ++i) Spawn(kTypeHero, {2000.0f + 300.0f * i, 0.0f});
  game().lastHeroSpawn = 0.0;
  RunFrames(1);
  EXPECT_EQ(CountOfType(kTypeHero), 5);
  EXPECT_DOUBLE_EQ(game().lastHeroSpawn, DXUTGetTime()) << "its clock is reset all the same";
  game().creatures.clear();

  for (int i = 0; i < 120; ++i) Counter(1000.0f + i);
  game().lastArcherSpawn = game().lastHeroSpawn = game().lastZeppelinSpawn = 0.0;
  RunFrames(3);
  EXPECT_EQ(game().creatures.size(), 120u);
  game().RemoveCreature(game().creatures.back().get());
  RunFrames(1);
  EXPECT_EQ(CountOfType(kTypeHero), 1);
  EXPECT_EQ(CountOfType(kTypeZeppelin), 1);
  EXPECT_EQ(CountOfType(kTypeArcher) + CountOfType(kTypeWizard), 1);
}

// Each step up in difficulty starts with more foot soldiers and zeppelins, every kind coming
// sooner; each has the whole village, a foot soldier at once and a hero within a minute.
TEST_F(MatchRules, EachStepUpInDifficultyStartsWithMoreAttackersComingSooner) {
  struct Start {
    int footSoldiers, zeppelins;
    double archer, hero, zeppelin;
  } easier{};
  for (int difficulty = 1; difficulty <= 3; ++difficulty) {
    SCOPED_TRACE(difficulty);
    game().creatures.clear();
    game().settings.difficulty = difficulty;
    ASSERT_NE(PlaceDragon(game()), nullptr);
    PlaceInitialWorld(game(), DXUTGetTime());
    const double now = DXUTGetTime();
    const Start start{CountOfType(kTypeArcher) + CountOfType(kTypeWizard),
                      CountOfType(kTypeZeppelin), game().archerInterval, game().heroInterval,
                      game().zeppelinInterval};
    EXPECT_EQ(CountOfType(kTypeDefender), kDefenderPostCount);
    EXPECT_EQ(CountOfType(kTypeSheep), 4) << "three sheep and the princess";
    EXPECT_LT(game().lastArcherSpawn + game().archerInterval, now);
    EXPECT_LT(game().lastHeroSpawn + game().heroInterval - now, 60.0);
    if (difficulty > 1) {
      EXPECT_GT(start.footSoldiers, easier.footSoldiers);
      EXPECT_GT(start.zeppelins, easier.zeppelins);
      EXPECT_LT(start.archer, easier.archer);
      EXPECT_LT(start.hero, easier.hero);
      EXPECT_LT(start.zeppelin, easier.zeppelin);
    }
    easier = start;
  }
}

}  // namespace

#include <gtest/gtest.h>

#include "app/defender_posts.h"
#include "app/world_setup.h"
#include "support/match_world.h"
#include "world/creatures/defender.h"
#include "world/creatures/dragon.h"

namespace {

class MatchRules : public MatchWorld {
 protected:
  // `count` creatures of `type` die in the field; returns once the world has removed them.
  void KillInField(int type, int count) {
    for (int i = 0; i < count; ++i) {
      game().SpawnCreature(type, 1000.0f + 10.0f * static_cast<float>(i), 0.0f)->state =
          kCreatureDead;
    }
    for (int frame = 0; frame < 2 * count + 2 && !game().creatures.empty(); ++frame) {
      RunFrames(1);
    }
    ASSERT_TRUE(game().creatures.empty());
  }
};

TEST_F(MatchRules, TheCreatureBehindARemovedOneWaitsAFrame) {
  cCreature* dead = Counter(1000.0f);
  dead->state = kCreatureDead;
  cCreature* behind = Counter(1100.0f);
  cCreature* last = Counter(1200.0f);

  RunFrames(1);
  EXPECT_FALSE(Listed(dead));
  EXPECT_FLOAT_EQ(behind->frame, 0.0f) << "skipped in the frame of the removal";
  EXPECT_GT(last->frame, 0.0f);

  RunFrames(1);
  EXPECT_GT(behind->frame, 0.0f);
}

TEST_F(MatchRules, FeetBelowTheGroundAreLiftedOntoIt) {
  cCreature* sunk = Counter(1000.0f);       // 64 high: feet 16 below the centre
  sunk->position.y = kGroundY - 16.0f + 10.0f;
  cCreature* flying = Counter(2000.0f);
  flying->position.y = 500.0f;

  RunFrames(1);
  EXPECT_FLOAT_EQ(sunk->position.y, kGroundY - 16.0f);
  EXPECT_FLOAT_EQ(flying->position.y, 500.0f);
}

TEST_F(MatchRules, CreaturesNearTheGateOrInTheLairAreDrawnBehindTheScenery) {
  cCreature* archerAtGate = game().SpawnCreature(kTypeArcher, 150.0f, 0.0f);
  cCreature* sheepAtGate = game().SpawnCreature(kTypeSheep, 150.0f, 0.0f);
  cCreature* defender = game().SpawnCreature(kTypeDefender, 23.0f, 826.0f);
  cCreature* archerInField = game().SpawnCreature(kTypeArcher, 1000.0f, 0.0f);
  cCreature* sheepAtLair = game().SpawnCreature(kTypeSheep, 5600.0f, 0.0f);

  RunFrames(1);
  EXPECT_EQ(archerAtGate->backLayer, 1);
  EXPECT_EQ(sheepAtGate->backLayer, 0);
  EXPECT_EQ(defender->backLayer, 0);
  EXPECT_EQ(archerInField->backLayer, 0);
  EXPECT_EQ(sheepAtLair->backLayer, 1);
}

struct TheftCase {
  int type;
  int state;
  std::uint32_t goldBefore;
  std::uint32_t goldAfter;
  bool flash;
};

TEST_F(MatchRules, AttackersReachingTheLairAliveTakeGold) {
  const TheftCase cases[] = {
      {kTypeArcher, kCreatureIdle, 30, 0, true},
      {kTypeArcher, kCreatureIdle, 80, 30, true},
      {kTypeWizard, kCreatureIdle, 200, 50, true},
      {kTypeWizard, kCreatureIdle, 150, 0, true},
      {kTypeArcher, kCreatureBurning, 80, 80, false},
      {kTypeHero, kCreatureIdle, 80, 80, true},
  };
  for (const TheftCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << " state " << c.state);
    game().gold = c.goldBefore;
    game().goldLossTimer = 0.0f;
    cCreature* attacker = game().SpawnCreature(c.type, 5700.0f, 0.0f);
    attacker->state = c.state;
    RunFrames(1);
    EXPECT_EQ(game().gold, c.goldAfter);
    if (c.flash) {
      EXPECT_FLOAT_EQ(game().goldLossTimer, 3.0f);
    } else {
      EXPECT_LT(game().goldLossTimer, 0.0f);
    }
    EXPECT_FALSE(Listed(attacker));
  }
}

TEST_F(MatchRules, ADeadAttackerInTheLairStealsNothing) {
  game().gold = 80;
  cCreature* archer = game().SpawnCreature(kTypeArcher, 5700.0f, 0.0f);
  archer->health = 0.0f;
  RunFrames(1);
  EXPECT_EQ(game().gold, 80u);
  EXPECT_FALSE(Listed(archer));
}

TEST_F(MatchRules, KillsInTheFieldBringTheNextAttackersSoonerDownToAFloor) {
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

  KillInField(kTypeSheep, 3);
  EXPECT_DOUBLE_EQ(game().archerInterval, 1.0);
  EXPECT_DOUBLE_EQ(game().heroInterval, 10.0);
}

TEST_F(MatchRules, FiveHeroesOnTheFieldHoldBackTheNextButResetItsClock) {
  for (int i = 0; i < 5; ++i) game().SpawnCreature(kTypeHero, 2000.0f + 300.0f * i, 0.0f);
  game().lastHeroSpawn = 0.0;
  RunFrames(1);
  EXPECT_EQ(CountOfType(kTypeHero), 5);
  EXPECT_DOUBLE_EQ(game().lastHeroSpawn, DXUTGetTime());

  game().RemoveCreature(game().creatures.front().get());
  game().lastHeroSpawn = 0.0;
  RunFrames(1);
  EXPECT_EQ(CountOfType(kTypeHero), 5);
  EXPECT_FLOAT_EQ(game().creatures.back()->position.x, 110.0f) << "a hero enters at the gate";
}

TEST_F(MatchRules, AKilledDefenderIsReplacedAtItsPostWithinTenSeconds) {
  for (int post = 0; post < kDefenderPostCount; ++post) SpawnDefenderAtPost(game(), post);
  game().lastDefenderRespawn = DXUTGetTime();
  auto* fallen = static_cast<cDefender*>(game().creatures[2].get());
  ASSERT_EQ(fallen->post, 2);
  fallen->state = kCreatureDead;
  RunFrames(1, 0.1);
  EXPECT_FALSE(DefenderPostOccupied(2));
  EXPECT_EQ(CountOfType(kTypeDefender), 6);

  RunFrames(98, 0.1);
  EXPECT_EQ(CountOfType(kTypeDefender), 6) << "9.9 seconds after the last check";
  RunFrames(2, 0.1);
  ASSERT_EQ(CountOfType(kTypeDefender), 7);
  auto* replacement = static_cast<cDefender*>(game().creatures.back().get());
  EXPECT_EQ(replacement->post, 2);
  EXPECT_EQ(replacement->position, DefenderPostPosition(2));
  EXPECT_TRUE(DefenderPostOccupied(2));
}

TEST_F(MatchRules, NothingIsSpawnedOnceTheWorldHoldsOneHundredAndTwentyCreatures) {
  for (int i = 0; i < 120; ++i) Counter(1000.0f + i);
  game().lastArcherSpawn = 0.0;
  game().lastHeroSpawn = 0.0;
  game().lastZeppelinSpawn = 0.0;
  RunFrames(3);
  EXPECT_EQ(game().creatures.size(), 120u);

  game().RemoveCreature(game().creatures.back().get());
  RunFrames(1);
  EXPECT_EQ(CountOfType(kTypeHero), 1);
  EXPECT_EQ(CountOfType(kTypeZeppelin), 1);
  EXPECT_EQ(CountOfType(kTypeArcher) + CountOfType(kTypeWizard), 1);
  const cCreature* zeppelin = game().creatures.back().get();
  EXPECT_EQ(zeppelin->position, (Vec2{-300.0f, 0.0f}));
}

TEST_F(MatchRules, NewAttackersComeOutOfTheGateOnTheGround) {
  game().lastArcherSpawn = 0.0;
  RunFrames(1);
  ASSERT_EQ(game().creatures.size(), 1u);
  const cCreature* attacker = game().creatures[0].get();
  EXPECT_GE(attacker->position.x, 120.0f);
  EXPECT_LE(attacker->position.x, 151.0f);
  EXPECT_FLOAT_EQ(attacker->position.y, kGroundY);
  EXPECT_DOUBLE_EQ(game().lastArcherSpawn, DXUTGetTime());
}

TEST_F(MatchRules, PauseFreezesTheWorldButNotTheDragonControlOrTheCamera) {
  cCreature* dragon = PlaceDragon(game());
  cCreature* counter = Counter(1000.0f);
  game().gold = 80;
  cCreature* thief = game().SpawnCreature(kTypeArcher, 5700.0f, 0.0f);
  game().lastArcherSpawn = 0.0;
  game().goldLossTimer = 1.0f;
  game().shake = 10.0f;
  game().paused = 1;
  dragon->position = Vec2{3000.0f, 600.0f};

  RunFrames(30);
  EXPECT_FLOAT_EQ(game().matchTime, 0.0f);
  EXPECT_FLOAT_EQ(counter->frame, 0.0f);
  EXPECT_TRUE(Listed(thief));
  EXPECT_EQ(game().gold, 80u);
  EXPECT_FLOAT_EQ(game().goldLossTimer, 1.0f);
  EXPECT_FLOAT_EQ(game().shake, 10.0f);
  EXPECT_EQ(game().creatures.size(), 3u);
  EXPECT_EQ(game().camera, (Vec2{2600.0f, 450.0f}));

  game().paused = 0;
  RunFrames(1);
  EXPECT_GT(game().matchTime, 0.0f);
  EXPECT_EQ(game().gold, 30u) << "the thief got in";
}

TEST_F(MatchRules, TheShakeDiesDownByAFifthEachFrame) {
  game().shake = 10.0f;
  RunFrames(1);
  EXPECT_FLOAT_EQ(game().shake, 8.0f);
  RunFrames(1, 0.5);
  EXPECT_FLOAT_EQ(game().shake, 4.0f);
}

TEST_F(MatchRules, TheDragonsDeathEndsTheMatchInTheSameFrameWithoutChangingIntervals) {
  cCreature* dragon = PlaceDragon(game());
  cCreature* behind = Counter(1000.0f);
  game().matchTime = 12.0f;
  dragon->health = 0.0f;
  dragon->state = kCreatureDead;

  RunFrames(1);
  EXPECT_EQ(game().state, kStateScreens);
  EXPECT_EQ(game().screen, kScreenHallOfFame);
  EXPECT_FLOAT_EQ(behind->frame, 0.0f) << "the match ended before it";
  EXPECT_DOUBLE_EQ(game().archerInterval, 3.0);
  EXPECT_TRUE(Listed(dragon)) << "the world stays until the title";
}

TEST_F(MatchRules, ALivingDragonInItsLairStays) {
  cCreature* dragon = PlaceDragon(game());
  game().gold = 50;
  dragon->position.x = 5690.0f;
  RunFrames(3);
  EXPECT_TRUE(Listed(dragon));
  EXPECT_EQ(game().gold, 50u);
  EXPECT_EQ(game().state, kStateMatch);
}

}  // namespace

#include <gtest/gtest.h>

#include "app/defender_posts.h"
#include "app/world_setup.h"
#include "support/match_world.h"
#include "world/creatures/defender.h"
#include "world/creatures/sheep.h"

namespace {

class InitialWorld : public MatchWorld {
 protected:
  void Build(int difficulty) {
    game().settings.difficulty = difficulty;
    ASSERT_NE(PlaceDragon(game()), nullptr);
    PlaceInitialWorld(game(), DXUTGetTime());
  }

  // The same world without its dragon: nobody fights, so only the schedule changes it.
  void BuildQuietWorld(int difficulty) {
    game().creatures.clear();
    Build(difficulty);
    game().RemoveCreature(game().dragon);
  }

  // When the first creature of `type` appears at x `x`, in seconds from now, to a quarter
  // of a second.
  double FirstArrival(int type, float x) {
    const double start = DXUTGetTime();
    for (int frame = 0; frame < 300; ++frame) {
      RunFrames(1, 0.25);
      for (const auto& creature : game().creatures) {
        if (creature->GetType() == type && creature->position.x == x) {
          return DXUTGetTime() - start;
        }
      }
    }
    return -1.0;
  }

  int FootSoldiersAtTheGate() {
    int count = 0;
    for (const auto& creature : game().creatures) {
      const int type = creature->GetType();
      count += (type == kTypeArcher || type == kTypeWizard) && creature->position.x < 180.0f;
    }
    return count;
  }
};

TEST_F(InitialWorld, EasyHardAndNightmareStartWithTheirCrowds) {
  const struct {
    int difficulty;
    std::size_t creatures;
    float firstAttackerX;
    double archer, hero, zeppelin;
  } cases[] = {
      {1, 27, 3180.0f, 3.0, 50.0, 40.0},
      {2, 43, 1980.0f, 2.4, 40.0, 32.0},
      {3, 59, 780.0f, 1.2, 20.0, 16.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.difficulty);
    game().creatures.clear();
    Build(c.difficulty);
    EXPECT_EQ(game().creatures.size(), c.creatures);
    EXPECT_EQ(CountOfType(kTypeDefender), 7);
    EXPECT_EQ(CountOfType(kTypeSheep), 4);
    EXPECT_EQ(CountOfType(kTypeZeppelin), c.difficulty - 1);
    EXPECT_EQ(CountOfType(kTypeArcher) + CountOfType(kTypeWizard), 15 * c.difficulty);
    EXPECT_NEAR(game().archerInterval, c.archer, 1e-9);
    EXPECT_NEAR(game().heroInterval, c.hero, 1e-9);
    EXPECT_NEAR(game().zeppelinInterval, c.zeppelin, 1e-9);

    float lowest = 1e9f, highest = -1e9f;
    for (const auto& creature : game().creatures) {
      const int type = creature->GetType();
      if (type != kTypeArcher && type != kTypeWizard) continue;
      lowest = std::min(lowest, creature->position.x);
      highest = std::max(highest, creature->position.x);
    }
    EXPECT_FLOAT_EQ(lowest, c.firstAttackerX);
    EXPECT_FLOAT_EQ(highest, 4300.0f);
  }
}

TEST_F(InitialWorld, TheDragonGuardsItsLairAndTheDefendersHoldEveryPost) {
  Build(1);
  EXPECT_EQ(game().creatures.front().get(), game().dragon);
  EXPECT_EQ(game().dragon->position, (Vec2{5650.0f, 750.0f}));
  for (int post = 0; post < kDefenderPostCount; ++post) {
    auto* defender = static_cast<cDefender*>(game().creatures[1 + post].get());
    EXPECT_EQ(defender->post, post);
    EXPECT_EQ(defender->position, DefenderPostPosition(post));
    EXPECT_TRUE(DefenderPostOccupied(post));
  }
  auto* princess = static_cast<cSheep*>(game().creatures[11].get());
  EXPECT_EQ(princess->position, (Vec2{-60.0f, 733.0f}));
  EXPECT_FLOAT_EQ(princess->weight, 100.0f);
  EXPECT_EQ(princess->texture, game().LoadTexture("./data/art/princess.png"));
  EXPECT_FLOAT_EQ(static_cast<cSheep*>(game().creatures[10].get())->weight, 40.0f);
}

TEST_F(InitialWorld, TheFirstHeroAndZeppelinArriveOnEachDifficultysSchedule) {
  const struct {
    int difficulty;
    double hero;
    double zeppelin;
  } cases[] = {{1, 55.0, 28.0}, {2, 45.0, 32.0}, {3, 25.0, 16.0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.difficulty);
    BuildQuietWorld(c.difficulty);
    EXPECT_NEAR(FirstArrival(kTypeZeppelin, -300.0f), c.zeppelin + 0.125, 0.13);
    BuildQuietWorld(c.difficulty);
    EXPECT_NEAR(FirstArrival(kTypeHero, 110.0f), c.hero + 0.125, 0.13);
  }
}

TEST_F(InitialWorld, FootSoldiersComeAtOnceAndThenEveryInterval) {
  BuildQuietWorld(1);
  RunFrames(1, 0.1);
  EXPECT_EQ(FootSoldiersAtTheGate(), 1) << "the first in the match's first frame";
  RunFrames(299, 0.1);
  EXPECT_NEAR(FootSoldiersAtTheGate(), 10, 1);

  BuildQuietWorld(3);
  RunFrames(300, 0.1);
  EXPECT_NEAR(FootSoldiersAtTheGate(), 24, 1);
}

}  // namespace

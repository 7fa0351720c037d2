#include <gtest/gtest.h>

#include <climits>

#include "support/match_world.h"
#include "ui/gui.h"
#include "world/creatures/sheep.h"

namespace {

using CreatureFactory = MatchWorld;

struct Row {
  int type;
  float scale;
  Rect cell;  // the cell size the factory sets
};

TEST_F(CreatureFactory, EveryTypeIdGivesItsKindWithItsScaleAndCell) {
  const Row rows[] = {
      {kTypePlain, 1.0f, {}},
      {kTypeDragon, 0.75f, {0, 0, 256, 256}},
      {kTypeArcher, 0.75f, {0, 0, 64, 64}},
      {kTypeWizard, 1.0f, {0, 0, 64, 64}},
      {kTypeHero, 0.5f, {}},
      {kTypeSheep, 1.0f, {}},
      {kTypeDefender, 1.0f, {0, 0, 64, 32}},
      {kTypeZeppelin, 0.75f, {0, 0, 256, 256}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.type);
    cCreature* creature = game().SpawnCreature(row.type, 12.0f, 34.0f);
    ASSERT_NE(creature, nullptr);
    EXPECT_EQ(creature->GetType(), row.type);
    EXPECT_FLOAT_EQ(creature->scale, row.scale);
    EXPECT_EQ(creature->cellRect, row.cell);
    EXPECT_EQ(creature->position, (Vec2{12.0f, 34.0f}));
    EXPECT_EQ(game().creatures.back().get(), creature);
    EXPECT_EQ(creature->texture >= 0, row.type != kTypePlain);
  }
}

TEST_F(CreatureFactory, UnknownTypeIdsMakeNothing) {
  game().SpawnCreature(kTypeArcher, 0.0f, 0.0f);
  for (const int type : {8, -1, INT_MAX, INT_MIN}) {
    EXPECT_EQ(game().SpawnCreature(type, 0.0f, 0.0f), nullptr) << type;
  }
  EXPECT_EQ(game().creatures.size(), 1u);
}

TEST_F(CreatureFactory, KindsOfTheSameSheetShareOneCacheEntry) {
  const cCreature* first = game().SpawnCreature(kTypeArcher, 0.0f, 0.0f);
  const int entries = gui().GetResourceManager()->GetTextureCount();
  const cCreature* second = game().SpawnCreature(kTypeArcher, 0.0f, 0.0f);
  EXPECT_EQ(first->texture, second->texture);
  EXPECT_EQ(gui().GetResourceManager()->GetTextureCount(), entries);
}

TEST_F(CreatureFactory, ANewCreatureShowsOnlyItsFirstCellBeforeItsFirstUpdate) {
  const cCreature* hero = game().SpawnCreature(kTypeHero, 0.0f, 0.0f);
  EXPECT_EQ(hero->sourceRect, (Rect{0, 0, 256, 256})) << "not the 1024 x 768 sheet";
  const cCreature* sheep = game().SpawnCreature(kTypeSheep, 0.0f, 0.0f);
  EXPECT_EQ(sheep->sourceRect, (Rect{0, 0, 64, 128}));
  EXPECT_EQ(sheep->cellRect, Rect{}) << "the sheep sets its cell size itself";
  const cCreature* zeppelin = game().SpawnCreature(kTypeZeppelin, 0.0f, 0.0f);
  EXPECT_EQ(zeppelin->sourceRect, (Rect{0, 0, 256, 320}));
}

TEST_F(CreatureFactory, AMissingSheetGivesACreatureThatDrawsNothing) {
  std::filesystem::remove("data/art");
  std::filesystem::create_directories("data/art");
  const cCreature* hero = game().SpawnCreature(kTypeHero, 0.0f, 0.0f);
  ASSERT_NE(hero, nullptr);
  EXPECT_EQ(hero->sourceRect, Rect{});
  RunFrames(2);
}

}  // namespace

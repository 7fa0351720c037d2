// Loading a match: the world it builds, its progress, bad maps and missing art, and the
// creature factory it builds with.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "support/game_fixture.h"
#include "ui/gui.h"
#include "world/creatures/creature.h"

namespace {

class LoadMatch : public GameFixture {
 protected:
  // Replaces the terrain the test folder shows with `text`.
  void WriteMap(const std::string& text) {
    std::filesystem::remove("data/map.hm");
    std::ofstream("data/map.hm") << text;
  }
};

// Every step of a load as the loading screen shows it.
std::vector<std::pair<float, int>> g_progressSeen;

TEST_F(LoadMatch, BuildsTheWorldWithProgressThatNeverFallsAndIsFullOnlyInTheMatch) {
  g_progressSeen.clear();
  game().progressObserver = [](float progress, int state) {
    g_progressSeen.emplace_back(progress, state);
  };
  WriteMap("3\n-400 900\n3000 1000\n6000 800\n");
  StartMatch(3);
  ASSERT_EQ(game().state, kStateMatch);
  EXPECT_EQ(game().creatures.size(), 59u);
  EXPECT_EQ(game().groundLine.size(), 3u);
  ASSERT_GE(g_progressSeen.size(), 25u);
  EXPECT_FLOAT_EQ(g_progressSeen.front().first, 0.0f);
  for (std::size_t i = 1; i < g_progressSeen.size(); ++i) {
    EXPECT_GE(g_progressSeen[i].first, g_progressSeen[i - 1].first) << "step " << i;
    EXPECT_LT(g_progressSeen[i - 1].first, 1.0f) << "step " << i - 1;
  }
  EXPECT_FLOAT_EQ(g_progressSeen.back().first, 1.0f);
  EXPECT_EQ(g_progressSeen.back().second, kStateMatch);
}

TEST_F(LoadMatch, AMissingMapSendsThePlayerBackToTheTitle) {
  std::filesystem::remove("data/map.hm");
  testing::internal::CaptureStderr();
  StartMatch();
  StartMatch();
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
  EXPECT_NE(told.find("map.hm"), std::string::npos) << told;
  EXPECT_EQ(game().state, kStateEnterTitle);
  EXPECT_TRUE(game().creatures.empty());
  EXPECT_LT(game().loadProgress, 0.1f) << "it failed before the terrain step";
  RunFrames(1);
  EXPECT_EQ(game().state, kStateScreens);
  EXPECT_EQ(game().screen, kScreenTitle);
}

TEST_F(LoadMatch, ADamagedMapStillLoadsWithTheGroundItHolds) {
  WriteMap("40 0 1000 100 1000 garbage");
  StartMatch();
  ASSERT_EQ(game().state, kStateMatch);
  EXPECT_EQ(game().groundLine.size(), 2u);
  RunFrames(5);
  WriteMap("0");
  StartMatch();
  ASSERT_EQ(game().state, kStateMatch);
  EXPECT_FLOAT_EQ(game().GroundHeightAt(1234.0f), 0.0f) << "no ground: flat at the top";
}

TEST_F(LoadMatch, EveryTypeIdGivesItsKindWithItsScaleAndCell) {
  const struct {
    int type;
    float scale;
    Rect cell;  // the cell size the factory sets
  } rows[] = {
      {kTypePlain, 1.0f, {}},
      {kTypeDragon, 0.75f, {0, 0, 256, 256}},
      {kTypeArcher, 0.75f, {0, 0, 64, 64}},
      {kTypeWizard, 1.0f, {0, 0, 64, 64}},
      {kTypeHero, 0.5f, {}},
      {kTypeSheep, 1.0f, {}},
      {kTypeDefender, 1.0f, {0, 0, 64, 32}},
      {kTypeZeppelin, 0.75f, {0, 0, 256, 256}},
  };
  for (const auto& row : rows) {
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
  for (const int type : {8, -1, INT_MAX, INT_MIN}) {
    EXPECT_EQ(game().SpawnCreature(type, 0.0f, 0.0f), nullptr) << type;
  }
  EXPECT_EQ(game().creatures.size(), std::size(rows));
  // Before its first update a creature shows its first cell, never its whole sheet.
  EXPECT_EQ(game().creatures[kTypeHero]->sourceRect, (Rect{0, 0, 256, 256}));
  EXPECT_EQ(game().creatures[kTypeSheep]->sourceRect, (Rect{0, 0, 64, 128}));
  EXPECT_EQ(game().creatures[kTypeZeppelin]->sourceRect, (Rect{0, 0, 256, 320}));
}

TEST_F(LoadMatch, AMissingSheetGivesACreatureThatDrawsNothing) {
  std::filesystem::remove("data/art");
  std::filesystem::create_directories("data/art");
  const cCreature* hero = game().SpawnCreature(kTypeHero, 0.0f, 0.0f);
  ASSERT_NE(hero, nullptr);
  EXPECT_EQ(hero->sourceRect, Rect{});
  RunFrames(2);
}

class WithoutASoundDevice : public LoadMatch {
 protected:
  const char* SettingsText() const override { return "audio: 57\nvolume: 1.0\ndifficulty: 1\n"; }
  void SetUp() override {
    testing::internal::CaptureStderr();
    GameFixture::SetUp();
  }
};

// Every sound of the menus and of a match fails to load on the silent device; the player reads
// one line about it, not one per sound, and the stored device stays.
TEST_F(WithoutASoundDevice, MatchesLoadAndThePlayerIsToldOnce) {
  RunFrames(1);
  StartMatch();
  EXPECT_EQ(game().state, kStateMatch);
  game().ShowScreen(kScreenTitle);
  StartMatch();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Drakmoor: no sound device could be opened; the game plays silently.\n");
  EXPECT_EQ(game().settings.audio, 57);
}

}  // namespace

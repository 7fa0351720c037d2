#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "app/defender_posts.h"
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

TEST_F(LoadMatch, BuildsTheWorldAndEndsInTheMatchWithFullProgress) {
  WriteMap("3\n-400 900\n3000 1000\n6000 800\n");
  StartMatch(3);
  ASSERT_EQ(game().state, kStateMatch);
  EXPECT_FLOAT_EQ(game().loadProgress, 1.0f);
  EXPECT_EQ(game().creatures.size(), 59u);
  ASSERT_NE(game().dragon, nullptr);
  EXPECT_EQ(game().camera, (Vec2{5650.0f, 750.0f}));
  EXPECT_EQ(game().groundLine.size(), 3u);
  EXPECT_EQ(game().gold, 0u);
  EXPECT_FLOAT_EQ(game().matchTime, 0.0f);
  EXPECT_EQ(game().introSeen, 1);
  EXPECT_GE(game().projectiles.capacity(), 100u);
  for (int post = 0; post < kDefenderPostCount; ++post) EXPECT_TRUE(DefenderPostOccupied(post));
}

// Every step of a load as the loading screen shows it.
std::vector<std::pair<float, int>> g_progressSeen;

TEST_F(LoadMatch, ProgressNeverFallsAndReachesFullOnlyInTheMatch) {
  g_progressSeen.clear();
  game().progressObserver = [](float progress, int state) { g_progressSeen.emplace_back(progress, state); };
  StartMatch();
  ASSERT_EQ(game().state, kStateMatch);
  ASSERT_GE(g_progressSeen.size(), 25u);
  EXPECT_FLOAT_EQ(g_progressSeen.front().first, 0.0f);
  for (std::size_t i = 1; i < g_progressSeen.size(); ++i) {
    EXPECT_GE(g_progressSeen[i].first, g_progressSeen[i - 1].first) << "step " << i;
  }
  EXPECT_FLOAT_EQ(g_progressSeen.back().first, 1.0f);
  EXPECT_EQ(g_progressSeen.back().second, kStateMatch);
  for (std::size_t i = 0; i + 1 < g_progressSeen.size(); ++i) EXPECT_LT(g_progressSeen[i].first, 1.0f);
}

TEST_F(LoadMatch, PlacesTheSceneryAsTheLayoutSays) {
  WriteMap("0");
  StartMatch();
  ASSERT_EQ(game().state, kStateMatch);
  for (int i = 0; i < 4; ++i) {
    const cScreenElement& tile = game().mapTiles[i];
    EXPECT_FLOAT_EQ(tile.scale, 1.5f);
    EXPECT_FLOAT_EQ(tile.position.x, 1.5f * static_cast<float>(i * tile.sourceRect.Width()));
    EXPECT_FLOAT_EQ(tile.position.y, 0.0f);
  }
  EXPECT_EQ(game().clouds[1].sourceRect, (Rect{256, 0, 512, 256}));
  EXPECT_EQ(game().clouds[1].position, (Vec2{908.0f, 0.0f}));
  EXPECT_EQ(game().clouds[0].position, (Vec2{3217.0f, 75.0f}));
  EXPECT_EQ(game().clouds[2].sourceRect, (Rect{0, 0, 256, 256}));
  EXPECT_FLOAT_EQ(game().clouds[2].scale, 1.5f);
  EXPECT_GE(game().sky.texture, 0);
  EXPECT_GE(game().hudTexture, 0);
}

TEST_F(LoadMatch, AMapOfZeroPointsGivesFlatGroundAtTheTop) {
  WriteMap("0");
  StartMatch();
  ASSERT_EQ(game().state, kStateMatch);
  EXPECT_TRUE(game().groundLine.empty());
  EXPECT_FLOAT_EQ(game().GroundHeightAt(1234.0f), 0.0f);
}

TEST_F(LoadMatch, AMissingMapSendsThePlayerBackToTheTitle) {
  std::filesystem::remove("data/map.hm");
  StartMatch();
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
}

TEST_F(LoadMatch, ARunningMatchKeepsItsCreaturesOnTheGround) {
  WriteMap("2\n-1000 1000\n7000 1000\n");
  StartMatch(2);
  RunFrames(3);
  for (const auto& creature : game().creatures) {
    const float feet = creature->position.y + 0.25f * creature->GetScaledHeight();
    EXPECT_LE(feet, game().GroundHeightAt(creature->position.x) + 1e-3f)
        << "type " << creature->GetType();
  }
}

}  // namespace

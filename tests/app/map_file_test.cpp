#include "app/map_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <random>

#include "support/temp_dir.h"

namespace {

TEST(MapText, ReadsTheAnnouncedPointsInFileOrder) {
  const std::vector<Vec2> points = ParseMap("3\n-400 900\n0.5 1000.25\n6000 700\n");
  EXPECT_EQ(points, (std::vector<Vec2>{{-400.0f, 900.0f}, {0.5f, 1000.25f}, {6000.0f, 700.0f}}));
}

TEST(MapText, PointsOutOfOrderAreSortedSoEveryStretchHasGround) {
  const std::vector<Vec2> points = ParseMap("4\n5 10\n1 20\n3 30\n3 40\n");
  EXPECT_EQ(points, (std::vector<Vec2>{{1.0f, 20.0f}, {3.0f, 30.0f}, {3.0f, 40.0f}, {5.0f, 10.0f}}));
}

TEST(MapText, IgnoresWhatFollowsTheLastPoint) {
  EXPECT_EQ(ParseMap("1 2 3 4 5 garbage").size(), 1u);
}

TEST(MapText, ACountOfZeroOrAnUnreadableCountGivesNoGround) {
  EXPECT_TRUE(ParseMap("0").empty());
  EXPECT_TRUE(ParseMap("").empty());
  EXPECT_TRUE(ParseMap("abc 1 2").empty());
  EXPECT_TRUE(ParseMap("-5 1 2").empty());
  EXPECT_TRUE(ParseMap("99999999999999999999 1 2").empty());
}

TEST(MapText, AShortFileKeepsOnlyThePointsItHolds) {
  EXPECT_EQ(ParseMap("1000000 0 1 2 3"), (std::vector<Vec2>{{0.0f, 1.0f}, {2.0f, 3.0f}}));
  EXPECT_EQ(ParseMap("3 0 1 2"), (std::vector<Vec2>{{0.0f, 1.0f}}));
  EXPECT_EQ(ParseMap("3 0 1 x 5 6 7"), (std::vector<Vec2>{{0.0f, 1.0f}}));
}

TEST(MapText, NumbersThatAreNotFiniteEndTheGround) {
  EXPECT_EQ(ParseMap("3 0 1 nan 2 5 5").size(), 1u);
  EXPECT_EQ(ParseMap("2 0 1 2 inf").size(), 1u);
  EXPECT_EQ(ParseMap("2 0 1 2 1e99").size(), 1u);
}

TEST(MapText, DamagedTextNeverGivesUndefinedPoints) {
  std::mt19937 random(5);
  const std::string alphabet = "0123456789 \n\t.-+eExanif";
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    if (round % 3 == 0) text = std::to_string(random() % 50) + " " + text;
    for (const Vec2 p : ParseMap(text)) {
      ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << text;
    }
  }
}

TEST(MapFile, AMissingFileCannotBeReadAndLeavesThePointsAlone) {
  ScopedTempDir dir;
  std::vector<Vec2> points{{1.0f, 2.0f}};
  EXPECT_FALSE(ReadMapFile("./data/map.hm", points));
  EXPECT_EQ(points.size(), 1u);
}

TEST(MapFile, ReadsAFileFromDisk) {
  ScopedTempDir dir;
  std::ofstream("map.hm") << "2\n0 10\n100 20\n";
  std::vector<Vec2> points{{1.0f, 2.0f}};
  ASSERT_TRUE(ReadMapFile("map.hm", points));
  EXPECT_EQ(points, (std::vector<Vec2>{{0.0f, 10.0f}, {100.0f, 20.0f}}));
}

}  // namespace

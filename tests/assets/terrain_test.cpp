// data/map.hm and the four ground tiles come from one ground line: creatures stand on the drawn
// ground, and the places the game puts them have the surfaces the numbers promise.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "app/defender_posts.h"
#include "app/game.h"
#include "app/map_file.h"
#include "support/picture.h"

namespace {

// Tile i is drawn at scale 1.5 over world x 1536 i - 256 .. 1536 i + 1280, y -256 .. 1280.
constexpr float kTileScale = 1.5f;
constexpr float kTileSpan = 1536.0f;
constexpr float kTileLeft = -256.0f;
constexpr float kTileTop = -256.0f;
constexpr int kTileCount = 4;
// How far the drawn ground, its outline included, may lie from the map's ground line.
constexpr float kGroundTolerance = 6.0f;

class Terrain : public ::testing::Test {
 protected:
  // Read once for the whole suite: the tiles are large.
  static const Picture* Tiles() {
    static const Picture tiles[kTileCount] = {
        Picture("./data/art/map/map0.png"), Picture("./data/art/map/map1.png"),
        Picture("./data/art/map/map2.png"), Picture("./data/art/map/map3.png")};
    return tiles;
  }
  void SetUp() override {
    // Creatures stand on the game's own ground height over the map's points.
    ASSERT_TRUE(ReadMapFile("./data/map.hm", g_game.groundLine) && g_game.groundLine.size() >= 2);
    for (int i = 0; i < kTileCount; ++i) ASSERT_TRUE(Tiles()[i].loaded()) << "tile " << i;
  }

  // The alpha of the tiles' pixel at a world point.
  static std::uint8_t AlphaAt(float worldX, float worldY) {
    const int i = std::clamp(static_cast<int>(std::floor((worldX - kTileLeft) / kTileSpan)), 0,
                             kTileCount - 1);
    return Tiles()[i].alpha(static_cast<int>((worldX - kTileLeft - i * kTileSpan) / kTileScale),
                            static_cast<int>((worldY - kTileTop) / kTileScale));
  }
  // World y of the first drawn pixel in the tiles' column at worldX, from the top down.
  static float DrawnEdgeAt(float worldX) {
    for (float y = kTileTop + 0.5f * kTileScale; y < kTileTop + 1024 * kTileScale;
         y += kTileScale) {
      if (AlphaAt(worldX, y) >= Picture::kOpaque) return y;
    }
    return INFINITY;
  }
};

// Where the tiles draw in front of the ground line on purpose: the village's towers, walls and
// keep; the gatehouse; the crag at the lair's mouth; the lair's back wall and its chest.
constexpr std::pair<float, float> kInFrontOfTheGround[] = {
    {-400.0f, 66.0f}, {80.0f, 195.0f}, {5325.0f, 5460.0f}, {5798.0f, 6000.0f}};

TEST_F(Terrain, TheDrawnGroundLiesOnTheMapsGroundLine) {
  int checked = 0;
  for (float x = kTileLeft + 0.75f; x < kTileLeft + kTileCount * kTileSpan; x += kTileScale) {
    const bool inFront =
        std::any_of(std::begin(kInFrontOfTheGround), std::end(kInFrontOfTheGround),
                    [x](const auto& span) { return span.first <= x && x <= span.second; });
    if (inFront) continue;
    ++checked;
    ASSERT_NEAR(DrawnEdgeAt(x), g_game.GroundHeightAt(x), kGroundTolerance) << "at world x " << x;
  }
  EXPECT_GT(checked, 3000) << "most of the world should be checked";
}

// Defenders (feet 8 below their post) and the princess (feet 32 below her centre) stand on the
// drawn floors (tower tops, wall walks, her balcony, the street); the ground line never lifts them.
TEST_F(Terrain, EveryDefenderPostAndThePrincessStandOnADrawnFloor) {
  std::vector<Vec2> feet{{-60.0f, 765.0f}};
  for (int post = 0; post < kDefenderPostCount; ++post) {
    feet.push_back(DefenderPostPosition(post) + Vec2{0.0f, 8.0f});
  }
  constexpr float kStreet = 898.0f;
  for (const Vec2 f : feet) {
    if (f.y < kStreet) {
      EXPECT_NEAR(DrawnEdgeAt(f.x), f.y, 4.0f) << "raised floor at x " << f.x;
    } else {
      EXPECT_GE(AlphaAt(f.x, f.y + 6.0f), Picture::kOpaque) << "street at x " << f.x;
    }
    EXPECT_GE(g_game.GroundHeightAt(f.x), f.y - 2.0f) << "at x " << f.x;
  }
}

}  // namespace

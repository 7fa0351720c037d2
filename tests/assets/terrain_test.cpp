// The terrain profile data/map.hm and the ground drawn in the four tiles come from one ground
// line: these tests read both back and check that the ground the game's rules stand creatures
// on is the drawn one, and that the places the game puts creatures have the surfaces the
// numbers promise.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
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
constexpr float kWorldRight = kTileLeft + kTileCount * kTileSpan;
// The camera never shows the world below this line.
constexpr float kLowestView = 1268.0f;
// How far the drawn ground, its outline included, may lie from the map's ground line.
constexpr float kGroundTolerance = 6.0f;

class Terrain : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ground_ = new std::vector<Vec2>;
    ReadMapFile("./data/map.hm", *ground_);
    tiles_ = new std::vector<Picture>;
    for (int i = 0; i < kTileCount; ++i) {
      tiles_->emplace_back("./data/art/map/map" + std::to_string(i) + ".png");
    }
  }
  static void TearDownTestSuite() {
    delete ground_;
    delete tiles_;
  }
  void SetUp() override {
    ASSERT_GE(ground_->size(), 2u) << "./data/map.hm holds no ground line";
    for (const Picture& tile : *tiles_) ASSERT_TRUE(tile.loaded()) << "a ground tile is missing";
  }

  // The height creatures stand on: the game's own ground height over the map's points.
  static float GroundAt(float x) {
    g_game.groundLine = *ground_;
    return g_game.GroundHeightAt(x);
  }

  struct TilePixel {
    const Picture* tile;
    int x;
    int y;
  };
  static TilePixel PixelAt(float worldX, float worldY) {
    const int i = std::clamp(static_cast<int>(std::floor((worldX - kTileLeft) / kTileSpan)), 0,
                             kTileCount - 1);
    const float left = kTileLeft + i * kTileSpan;
    return {&(*tiles_)[i], static_cast<int>((worldX - left) / kTileScale),
            static_cast<int>((worldY - kTileTop) / kTileScale)};
  }
  static bool OpaqueAt(float worldX, float worldY) {
    const TilePixel p = PixelAt(worldX, worldY);
    return p.tile->opaque(p.x, p.y);
  }
  // World y of the first drawn pixel in the tiles' column at worldX, from the top down.
  static float DrawnEdgeAt(float worldX) {
    const TilePixel p = PixelAt(worldX, kTileTop);
    const int row = p.tile->firstOpaqueRow(p.x);
    return row < 0 ? INFINITY : kTileTop + (row + 0.5f) * kTileScale;
  }

  static std::vector<Vec2>* ground_;
  static std::vector<Picture>* tiles_;
};

std::vector<Vec2>* Terrain::ground_ = nullptr;
std::vector<Picture>* Terrain::tiles_ = nullptr;

// Where the tiles draw something in front of the ground line on purpose.
struct StandsInFront {
  float left;
  float right;
  const char* what;
};
const StandsInFront kInFrontOfTheGround[] = {
    {-400.0f, 66.0f, "the village's towers, walls and keep stand on its street"},
    {80.0f, 195.0f, "the gatehouse the attackers march out of"},
    {5325.0f, 5460.0f, "the crag at the lair's mouth"},
    {5798.0f, 6000.0f, "the lair's back wall and the chest at its foot"},
};

TEST_F(Terrain, TheDrawnGroundLiesOnTheMapsGroundLine) {
  int checked = 0;
  for (float x = kTileLeft + 0.75f; x < kWorldRight; x += kTileScale) {
    const bool inFront =
        std::any_of(std::begin(kInFrontOfTheGround), std::end(kInFrontOfTheGround),
                    [x](const StandsInFront& s) { return s.left <= x && x <= s.right; });
    if (inFront) continue;
    ++checked;
    ASSERT_NEAR(DrawnEdgeAt(x), GroundAt(x), kGroundTolerance) << "at world x " << x;
  }
  EXPECT_GT(checked, 3000) << "most of the world should be checked";
}

TEST_F(Terrain, SheepPlacedInTheFieldsFindTheGroundAtOrAboveTheirFeet) {
  // Sheep are lifted onto the ground only when it lies above their feet, 32 below their centre.
  const Vec2 sheep[] = {{716.0f, 1210.0f}, {1717.0f, 1260.0f}, {3275.0f, 830.0f}};
  for (const Vec2 s : sheep) {
    EXPECT_LE(GroundAt(s.x), s.y + 32.0f) << "sheep at x " << s.x;
  }
}

// Defenders (feet 8 below their post) and the princess (feet 32 below her centre) stand on
// the floors the tiles draw: tower tops, wall walks and her balcony as the first thing drawn
// in their column, the street as solid ground; and the ground line never lifts them off.
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
      EXPECT_TRUE(OpaqueAt(f.x, f.y + 6.0f)) << "street at x " << f.x;
    }
    EXPECT_GE(GroundAt(f.x), f.y - 2.0f) << "at x " << f.x;
  }
}

TEST_F(Terrain, NothingInTheLairCoversTheDragon) {
  // Past x 5550 the dragon is drawn behind the tiles; it flies no farther than x 5700 and is
  // drawn 96 to either side of its centre. The lair's ground is the top of its hoard, which
  // the check above holds to the map's ground line: above it, the lair stays open.
  constexpr float kBehindTheTilesFrom = 5550.0f;
  constexpr float kFarthestRight = 5700.0f;
  constexpr float kHalfWidth = 96.0f;
  for (float x = kBehindTheTilesFrom - kHalfWidth; x <= kFarthestRight + kHalfWidth; x += 3.0f) {
    for (float y = kTileTop; y < GroundAt(x) - kGroundTolerance; y += 3.0f) {
      const TilePixel p = PixelAt(x, y);
      ASSERT_EQ(p.tile->alpha(p.x, p.y), 0) << "at world (" << x << ", " << y << ")";
    }
  }
}

}  // namespace

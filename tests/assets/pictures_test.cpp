// The pictures the build draws: every file the game reads, at the size and with the cells its
// code expects, each cell with a drawing inside a clear border.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/picture.h"

namespace {

struct SheetLayout {
  std::string file;
  int width;
  int height;
  // The cells the game draws from this picture.
  std::vector<PixelRect> cells;
};

// Cells `first`..`last` of a grid of w x h cells, `columns` to a row, starting at row `top`.
std::vector<PixelRect> GridCells(int w, int h, int columns, int first, int last, int top = 0) {
  std::vector<PixelRect> cells;
  for (int i = first; i <= last; ++i)
    cells.push_back({i % columns * w, top + i / columns * h, w, h});
  return cells;
}

std::vector<PixelRect> Join(std::vector<PixelRect> a, const std::vector<PixelRect>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Every picture has its size; each cell the game cuts out holds a drawing inside a transparent
// border of two pixels. Pictures without cells are shown whole, edge to edge.
TEST(BuiltPictures, EveryPictureTheGameReadsHasItsSizeAndItsCellsADrawingInsideAClearBorder) {
  constexpr int kFewestDrawnPixels = 20;
  constexpr int kBorder = 2;
  std::vector<SheetLayout> pictures = {
      {"dragon.png", 1024, 1024,
       Join(GridCells(256, 256, 4, 0, 10), GridCells(256, 256, 4, 12, 15))},
      {"archer.png", 256, 192, GridCells(64, 64, 4, 0, 9)},
      {"wizard.png", 256, 128, Join(GridCells(64, 64, 4, 0, 2), GridCells(64, 64, 4, 4, 7))},
      {"hero.png", 1024, 768, GridCells(256, 256, 4, 0, 10)},
      {"sheep.png", 128, 128, GridCells(64, 128, 2, 0, 1)},
      {"princess.png", 128, 128, GridCells(64, 128, 2, 0, 1)},
      {"defender.png", 256, 128, {{0, 0, 64, 32}, {64, 64, 64, 64}}},
      {"zeppelin.png", 1024, 768,
       Join(GridCells(256, 320, 4, 0, 3), GridCells(256, 256, 4, 0, 3, 512))},
      {"breath.png", 512, 512, GridCells(256, 256, 2, 0, 3)},
      {"flame.png", 512, 256, GridCells(256, 256, 2, 0, 1)},
      {"gold.png", 256, 192, GridCells(64, 64, 4, 0, 11)},
      {"spell.png", 64, 64, {{0, 0, 64, 64}}},
      {"sword.png", 64, 64, {{0, 0, 64, 64}}},
      {"yell.png", 64, 64, {{0, 0, 64, 64}}},
      {"clouds.png", 512, 512, {{0, 0, 256, 256}, {256, 0, 256, 256}, {0, 256, 256, 256}}},
      {"hud.png", 64, 64, {{0, 0, 64, 64}}},
      {"heroHud.png", 64, 64, {{0, 0, 64, 64}}},
      {"fireIcon.png", 32, 32, {{0, 0, 32, 32}}},
      {"goldIcon.png", 32, 32, {{0, 0, 32, 32}}},
      {"map/sky.png", 800, 600, {}},
  };
  for (const char* file :
       {"title.png", "slide0.png", "slide1.png", "slide2.png", "map/map0.png", "map/map1.png",
        "map/map2.png", "map/map3.png", "map/p0.png", "map/p1.png"}) {
    pictures.push_back({file, 1024, 1024, {}});
  }
  for (const SheetLayout& sheet : pictures) {
    SCOPED_TRACE(sheet.file);
    const Picture picture("./data/art/" + sheet.file);
    ASSERT_TRUE(picture.loaded()) << IMG_GetError();
    EXPECT_EQ(picture.width(), sheet.width);
    EXPECT_EQ(picture.height(), sheet.height);
    for (const PixelRect& c : sheet.cells) {
      SCOPED_TRACE(testing::Message() << "cell at (" << c.x << ", " << c.y << ")");
      EXPECT_GE(picture.opaqueCount(c), kFewestDrawnPixels);
      EXPECT_TRUE(picture.clear({c.x, c.y, c.w, kBorder}) &&
                  picture.clear({c.x, c.y + c.h - kBorder, c.w, kBorder}) &&
                  picture.clear({c.x, c.y, kBorder, c.h}) &&
                  picture.clear({c.x + c.w - kBorder, c.y, kBorder, c.h}));
    }
  }
}

TEST(BuiltPictures, TheFarStripsLeaveTheDuskSkyInViewAtPlayHeight) {
  // A match starts with the view's top edge at world y 600, and flying near the ground keeps
  // it there or lower: the top 90 rows of the view show the sky over nearly all of the far
  // strips (the dragon's smoking peak may rise into them). Strips are drawn at scale 1.5
  // from world y -256.
  const PixelRect playHeightSky{0, (600 + 256) * 2 / 3, 1024, 90 * 2 / 3};
  for (const char* strip : {"map/p0.png", "map/p1.png"}) {
    const Picture picture(std::string("./data/art/") + strip);
    ASSERT_TRUE(picture.loaded()) << strip;
    EXPECT_LT(picture.opaqueCount(playHeightSky), playHeightSky.w * playHeightSky.h / 20) << strip;
  }
}

}  // namespace

// The texture cache: one entry per picture, names compared ignoring case, sizes read from the
// file, missing and unreadable pictures kept as empty entries that draw nothing.

#include <algorithm>
#include <fstream>

#include "platform/resources.h"
#include "support/gui_fixture.h"
#include "ui/picture_fit.h"

namespace {

using TextureCacheTest = GuiFixture;

TEST_F(TextureCacheTest, OneEntryPerPictureInAnyCaseAndEmptyOnesForMissingPictures) {
  CreateAndResetDevice();
  WriteQuadrantPicture("Dragon.png", 48, 20);
  std::ofstream("./data/art/broken.png") << "not a picture";
  CDXUTDialogResourceManager* cache = gui.GetResourceManager();

  const int dragon = cache->AddTexture("./data/art/Dragon.png");
  EXPECT_EQ(cache->AddTexture("./DATA/ART/dragon.PNG"), dragon);
  const DXUTTextureNode* node = cache->GetTextureNode(dragon);
  EXPECT_NE(node->texture, nullptr);
  EXPECT_EQ(std::make_pair(node->width, node->height), std::make_pair(48, 20));

  const int missing = cache->AddTexture("./data/art/nowhere.png");
  const int broken = cache->AddTexture("./data/art/broken.png");
  EXPECT_EQ(cache->GetTextureCount(), 3);
  EXPECT_EQ(cache->AddTexture("./data/art/NOWHERE.png"), missing);
  const Rect whole{0, 0, 64, 64};
  ASSERT_TRUE(SUCCEEDED(gui.BeginImages()));
  for (int index : {missing, broken}) {
    EXPECT_EQ(cache->GetTextureNode(index)->texture, nullptr);
    EXPECT_TRUE(SUCCEEDED(gui.DrawSprite(cache->GetTextureNode(index)->texture, &whole, 10, 10, 0,
                                         1, 0xffffffff, false, false)));
  }
  gui.DrawImageStretched(nullptr, 64, 64, &whole, 0xffffffff, false, false);
  EXPECT_TRUE(SUCCEEDED(gui.EndImages()));
  EXPECT_FALSE(AnyLit(0, 0, 80, 80));
}

// A picture drawn large and fitted to a smaller size: each new pixel is the average of what
// it covers, colours weighted by their alpha, so a transparent neighbour adds no dark fringe.
TEST(PictureFit, EachPixelAveragesWhatItCoversWeightedByAlpha) {
  SDL_Surface* large = SDL_CreateRGBSurfaceWithFormat(0, 4, 2, 32, SDL_PIXELFORMAT_ARGB8888);
  auto* pixels = static_cast<std::uint32_t*>(large->pixels);
  const std::uint32_t row[4] = {0xffff0000, 0x0000ff00, 0xff0000ff, 0xff0000ff};
  for (int y = 0; y < 2; ++y) std::copy(row, row + 4, pixels + y * large->pitch / 4);
  SDL_Surface* fitted = FitPicture(large, 2, 1);
  ASSERT_NE(fitted, nullptr);
  const auto* out = static_cast<const std::uint32_t*>(fitted->pixels);
  EXPECT_EQ(out[0], 0x80ff0000u) << "red, half covered";
  EXPECT_EQ(out[1], 0xff0000ffu);
  EXPECT_EQ(FitPicture(large, 0, 1), nullptr);
  SDL_FreeSurface(fitted);
  SDL_FreeSurface(large);
}

}  // namespace

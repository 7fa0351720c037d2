// The texture cache: one entry per picture, names compared ignoring case, sizes read from the
// file, missing and unreadable pictures kept as empty entries that draw nothing.

#include <fstream>

#include "platform/resources.h"
#include "support/gui_fixture.h"

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

}  // namespace

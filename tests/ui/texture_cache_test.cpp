// The texture cache: one entry per picture, names compared ignoring case, sizes read from the
// file, missing pictures kept as empty entries, pictures reloaded with each new device.

#include <SDL_image.h>

#include <fstream>
#include <vector>

#include "platform/resources.h"
#include "support/gui_fixture.h"

namespace {

using TextureCacheTest = GuiFixture;

TEST_F(TextureCacheTest, SameNameInAnyCaseGivesTheSameEntryWithTheFileSize) {
  CreateAndResetDevice();
  WriteQuadrantPicture("Dragon.png", 48, 20);
  CDXUTDialogResourceManager* cache = gui.GetResourceManager();

  const int first = cache->AddTexture("./data/art/Dragon.png");
  const int again = cache->AddTexture("./DATA/ART/dragon.PNG");

  EXPECT_EQ(first, again);
  EXPECT_EQ(cache->GetTextureCount(), 1);
  const DXUTTextureNode* node = cache->GetTextureNode(first);
  ASSERT_NE(node, nullptr);
  EXPECT_NE(node->texture, nullptr);
  EXPECT_EQ(node->width, 48);
  EXPECT_EQ(node->height, 20);
}

TEST_F(TextureCacheTest, MissingOrUnreadableFilesGetEmptyEntriesThatDrawNothing) {
  CreateAndResetDevice();
  std::ofstream("./data/art/broken.png") << "not a picture";
  CDXUTDialogResourceManager* cache = gui.GetResourceManager();

  const int missing = cache->AddTexture("./data/art/nowhere.png");
  const int broken = cache->AddTexture("./data/art/broken.png");

  ASSERT_GE(missing, 0);
  EXPECT_NE(missing, broken);
  for (int index : {missing, broken}) {
    const DXUTTextureNode* node = cache->GetTextureNode(index);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->texture, nullptr);
    EXPECT_EQ(node->width, 0);
    EXPECT_EQ(node->height, 0);
  }
  EXPECT_EQ(cache->AddTexture("./data/art/NOWHERE.png"), missing);

  const Rect whole{0, 0, 64, 64};
  ASSERT_TRUE(SUCCEEDED(gui.BeginImages()));
  EXPECT_TRUE(SUCCEEDED(gui.DrawSprite(cache->GetTextureNode(missing)->texture, &whole, 10, 10, 0,
                                       1, 0xffffffff, false, false)));
  gui.DrawImageStretched(cache->GetTextureNode(broken)->texture, 64, 64, &whole, 0xffffffff, false,
                         false);
  EXPECT_TRUE(SUCCEEDED(gui.EndImages()));
  EXPECT_FALSE(AnyLit(0, 0, 80, 80));
}

}  // namespace

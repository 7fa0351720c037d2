// Where images, lines and batches land, read back from the pixels of a software renderer.

#include <filesystem>
#include <numbers>
#include <tuple>

#include "support/gui_fixture.h"

namespace {


class GuiDrawingTest : public GuiFixture {
 protected:
  void SetUp() override {
    GuiFixture::SetUp();
    CreateAndResetDevice();
    CDXUTDialogResourceManager* cache = gui.GetResourceManager();
    picture =
        cache->GetTextureNode(cache->AddTexture(WriteQuadrantPicture("q.png", 64, 64)))->texture;
    ASSERT_NE(picture, nullptr);
  }

  SDL_Texture* picture = nullptr;
  const Rect whole{0, 0, 64, 64};
};

// At scale 1 the top-left lies at the position; scaling, mirroring and turning (clockwise) all
// happen about the rectangle's centre. The quadrants are red, green, blue, white as drawn.
TEST_F(GuiDrawingTest, SpritesScaleMirrorAndTurnAboutTheirCentre) {
  const struct {
    float x, y, quarterTurns, scale;
    bool flipX, flipY;
    Rect lands;
    std::uint32_t topLeft, topRight, bottomLeft, bottomRight;
  } cases[] = {
      {100, 50, 0, 1, false, false, {100, 50, 164, 114}, kRed, kGreen, kBlue, kWhite},
      {200, 150, 0, 2, false, false, {168, 118, 296, 246}, kRed, kGreen, kBlue, kWhite},
      {100, 50, 0, 1, true, false, {100, 50, 164, 114}, kGreen, kRed, kWhite, kBlue},
      {100, 50, 0, 1, false, true, {100, 50, 164, 114}, kBlue, kWhite, kRed, kGreen},
      {300, 200, 1, 1, false, false, {300, 200, 364, 264}, kBlue, kRed, kWhite, kGreen},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "scale " << c.scale << " flips " << c.flipX << c.flipY
                                    << " quarter turns " << c.quarterTurns);
    ClearTarget();
    ASSERT_TRUE(SUCCEEDED(gui.BeginImages()));
    EXPECT_TRUE(SUCCEEDED(gui.DrawSprite(picture, &whole, c.x, c.y,
                                         c.quarterTurns * std::numbers::pi_v<float> / 2, c.scale,
                                         0xffffffff, c.flipX, c.flipY)));
    EXPECT_TRUE(SUCCEEDED(gui.EndImages()));
    const Rect& r = c.lands;
    const int near = r.Width() / 4;
    const int far = r.Width() - near;
    EXPECT_EQ(Pixel(r.left + near, r.top + near), c.topLeft);
    EXPECT_EQ(Pixel(r.left + far, r.top + near), c.topRight);
    EXPECT_EQ(Pixel(r.left + near, r.top + far), c.bottomLeft);
    EXPECT_EQ(Pixel(r.left + far, r.top + far), c.bottomRight);
    EXPECT_EQ(LitBounds(), c.lands);
  }
}

// Scenery and menu pictures are drawn from copies stretched once: two cells of one picture that
// differ only in their row each show their own texels.
TEST_F(GuiDrawingTest, StretchedCopiesOfCellsInOneColumnKeepTheirOwnTexels) {
  gui.SetKeepStretched(true);
  const Rect redCell{0, 0, 32, 32};
  const Rect blueCell{0, 32, 32, 64};
  for (int frame = 0; frame < 2; ++frame) {
    ASSERT_TRUE(SUCCEEDED(gui.BeginImages()));
    gui.DrawSprite(picture, &redCell, 100, 100, 0, 2, 0xffffffff, false, false);
    gui.DrawSprite(picture, &blueCell, 300, 100, 0, 2, 0xffffffff, false, false);
    ASSERT_TRUE(SUCCEEDED(gui.EndImages()));
    EXPECT_EQ(Pixel(100, 100), kRed) << frame;
    EXPECT_EQ(Pixel(300, 100), kBlue) << frame;
  }
}

TEST_F(GuiDrawingTest, LineIsABandCentredOnTheSegment) {
  gui.DrawLine(Vec2{100, 300}, Vec2{300, 300}, 0xffffffff, 20);
  EXPECT_EQ(LitBounds(), (Rect{100, 290, 300, 310}));

  ClearTarget();
  gui.DrawLine(Vec2{100, 100}, Vec2{200, 200}, 0xffffffff, 10);  // slanting: 5 either side
  EXPECT_EQ(Pixel(152, 148), kWhite);                            // 2.8 from the segment
  EXPECT_EQ(Pixel(155, 145), kBlack);                            // 7.1 from it
  EXPECT_EQ(Pixel(96, 96), kBlack);                              // square ends: nothing beyond a
  EXPECT_EQ(Pixel(204, 204), kBlack);                            // nor beyond b

  ClearTarget();
  gui.DrawLine(Vec2{500, 500}, Vec2{500, 500}, 0xffffffff, 20);  // no length, no band
  gui.DrawLine(Vec2{100, 500}, Vec2{200, 500}, 0xffffffff, 0);
  EXPECT_EQ(LitBounds(), Rect{});
}

using GuiAtOutputScale = GuiFixture;

// On a back buffer of twice 800x600 every draw keeps its 800x600 place: a picture with a
// double-density version draws that one (whole or in part), one without is scaled up, a
// full-screen one is fitted to the back buffer, and a band keeps its width.
TEST_F(GuiAtOutputScale, PicturesOfEitherDensityAndLinesKeepTheirPlaces) {
  UseOutputScale(2);
  std::filesystem::create_directories("data/art@2x");
  CDXUTDialogResourceManager* cache = gui.GetResourceManager();
  WriteQuadrantPicture("../art@2x/sharp.png", 128, 128);
  const int sharp = cache->AddTexture(WriteQuadrantPicture("sharp.png", 64, 64));
  const int plain = cache->AddTexture(WriteQuadrantPicture("plain.png", 64, 64));
  std::filesystem::create_directories("data/art-fullscreen");
  WriteQuadrantPicture("../art-fullscreen/title.png", 1280, 960);
  const int title = cache->AddTexture(WriteQuadrantPicture("title.png", 320, 240));
  CreateAndResetDevice();
  EXPECT_EQ(cache->GetTextureNode(sharp)->width, 64);
  // A full-screen picture is fitted to the back buffer and known by its size under data/art/.
  const DXUTTextureNode* fitted = cache->GetTextureNode(title);
  int w = 0, h = 0;
  SDL_QueryTexture(fitted->texture, nullptr, nullptr, &w, &h);
  EXPECT_EQ(std::tuple(fitted->width, fitted->height, w, h), std::tuple(320, 240, 1600, 1200));
  ASSERT_TRUE(SUCCEEDED(gui.BeginImages()));
  const Rect whole{0, 0, 64, 64};
  const Rect whiteQuarter{32, 32, 64, 64};
  gui.DrawSprite(cache->GetTextureNode(sharp)->texture, &whole, 100, 50, 0, 1, 0xffffffff, false,
                 false);
  gui.DrawSprite(cache->GetTextureNode(sharp)->texture, &whiteQuarter, 300, 50, 0, 1, 0xffffffff,
                 false, false);
  gui.DrawSprite(cache->GetTextureNode(plain)->texture, &whole, 100, 200, 0, 1, 0xffffffff, false,
                 false);
  ASSERT_TRUE(SUCCEEDED(gui.EndImages()));
  gui.DrawLine(Vec2{500, 250}, Vec2{700, 250}, 0xffffffff, 20);

  EXPECT_EQ(LitBoundsWithin({0, 0, 500, 300}), (Rect{200, 100, 328, 228}));
  EXPECT_EQ(Pixel(263, 163), kRed);
  EXPECT_EQ(Pixel(264, 164), kWhite);
  EXPECT_EQ(LitBoundsWithin({500, 0, 800, 300}), (Rect{600, 100, 664, 164}));
  EXPECT_EQ(Pixel(600, 100), kWhite);
  EXPECT_EQ(LitBoundsWithin({0, 300, 800, 600}), (Rect{200, 400, 328, 528}));
  EXPECT_EQ(LitBoundsWithin({900, 400, 1500, 600}), (Rect{1000, 480, 1400, 520}));
}

}  // namespace

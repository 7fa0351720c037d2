// Where images, lines and batches land, read back from the pixels of a software renderer.

#include <numbers>

#include "support/gui_fixture.h"

namespace {

constexpr std::uint32_t kYellow = 0xffffff00;
constexpr float kQuarterTurn = std::numbers::pi_v<float> / 2;

class GuiDrawingTest : public GuiFixture {
 protected:
  void SetUp() override {
    GuiFixture::SetUp();
    CreateAndResetDevice();
    picture = TextureOf(WriteQuadrantPicture("quadrants.png", 64, 64));
    ASSERT_NE(picture, nullptr);
  }

  // One sprite of the whole 64x64 picture in a batch of its own.
  void Sprite(float x, float y, float rotation, float scale, bool flipX, bool flipY,
              std::uint32_t colour = 0xffffffff) {
    ASSERT_TRUE(SUCCEEDED(gui.BeginImages()));
    EXPECT_TRUE(
        SUCCEEDED(gui.DrawSprite(picture, &whole, x, y, rotation, scale, colour, flipX, flipY)));
    EXPECT_TRUE(SUCCEEDED(gui.EndImages()));
  }

  // The colours seen at the middle of each quadrant of the square [left, left + size)^2.
  void ExpectQuadrants(int left, int top, int size, std::uint32_t topLeft, std::uint32_t topRight,
                       std::uint32_t bottomLeft, std::uint32_t bottomRight) {
    const int near = size / 4;
    const int far = size - size / 4;
    EXPECT_EQ(Pixel(left + near, top + near), topLeft);
    EXPECT_EQ(Pixel(left + far, top + near), topRight);
    EXPECT_EQ(Pixel(left + near, top + far), bottomLeft);
    EXPECT_EQ(Pixel(left + far, top + far), bottomRight);
  }

  SDL_Texture* picture = nullptr;
  const Rect whole{0, 0, 64, 64};
};

// At scale 1 the top-left lies at the position; scaling, mirroring and turning (clockwise) all
// happen about the rectangle's centre. The quadrants are red, green, blue, white as drawn.
TEST_F(GuiDrawingTest, SpritesScaleMirrorAndTurnAboutTheirCentre) {
  const struct {
    float x, y, rotation, scale;
    bool flipX, flipY;
    Rect lands;
    std::uint32_t quadrants[4];
  } cases[] = {
      {100, 50, 0, 1, false, false, {100, 50, 164, 114}, {kRed, kGreen, kBlue, kWhite}},
      {200, 150, 0, 2, false, false, {168, 118, 296, 246}, {kRed, kGreen, kBlue, kWhite}},
      {100, 50, 0, 1, true, false, {100, 50, 164, 114}, {kGreen, kRed, kWhite, kBlue}},
      {100, 50, 0, 1, false, true, {100, 50, 164, 114}, {kBlue, kWhite, kRed, kGreen}},
      {300,
       200,
       kQuarterTurn,
       1,
       false,
       false,
       {300, 200, 364, 264},
       {kBlue, kRed, kWhite, kGreen}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "scale " << c.scale << " flips " << c.flipX << c.flipY
                                    << " rotation " << c.rotation);
    ClearTarget();
    Sprite(c.x, c.y, c.rotation, c.scale, c.flipX, c.flipY);
    const std::uint32_t* q = c.quadrants;
    ExpectQuadrants(c.lands.left, c.lands.top, c.lands.Width(), q[0], q[1], q[2], q[3]);
    EXPECT_EQ(LitBounds(), c.lands);
  }
}

// Sprites of one picture drawn one after the other each keep their own tint, however little
// the tints differ.
TEST_F(GuiDrawingTest, EachSpriteOfABatchKeepsItsOwnTint) {
  const Rect whiteQuarter{32, 32, 64, 64};
  const std::uint32_t tints[] = {0xffffffff, 0xffffff00, 0xff00ffff, 0x80ffffff, 0xffffffff};
  ASSERT_TRUE(SUCCEEDED(gui.BeginImages()));
  for (int i = 0; i < 5; ++i) {
    gui.DrawSprite(picture, &whiteQuarter, 40.0f * i, 10, 0, 1, tints[i], false, false);
  }
  ASSERT_TRUE(SUCCEEDED(gui.EndImages()));
  EXPECT_EQ(Pixel(56, 26), kYellow);
  EXPECT_EQ(Pixel(96, 26), 0xff00ffffu);
  EXPECT_NEAR(static_cast<int>(Pixel(136, 26) & 0xff), 0x80, 2) << "half see-through";
  EXPECT_EQ(Pixel(176, 26), kWhite);
}

TEST_F(GuiDrawingTest, LineIsABandCentredOnTheSegment) {
  gui.DrawLine(Vec2{100, 300}, Vec2{300, 300}, 0xffffffff, 20);
  EXPECT_EQ(LitBounds(), (Rect{100, 290, 300, 310}));

  ClearTarget();
  gui.DrawLine(Vec2{100, 100}, Vec2{200, 200}, 0xffffffff, 10);  // slanting: 5 either side
  EXPECT_EQ(Pixel(150, 150), kWhite);
  EXPECT_EQ(Pixel(152, 148), kWhite);  // 2.8 from the segment
  EXPECT_EQ(Pixel(155, 145), kBlack);  // 7.1 from it
  EXPECT_EQ(Pixel(96, 96), kBlack);    // square ends: nothing beyond a
  EXPECT_EQ(Pixel(204, 204), kBlack);  // nor beyond b

  ClearTarget();
  gui.DrawLine(Vec2{500, 500}, Vec2{500, 500}, 0xffffffff, 20);  // no length, no band
  gui.DrawLine(Vec2{100, 500}, Vec2{200, 500}, 0xffffffff, 0);
  EXPECT_EQ(LitBounds(), Rect{});
}

TEST_F(GuiDrawingTest, LinesLieUnderTheImagesOfAnOpenBatchAndOverEndedOrFlushedOnes) {
  ASSERT_TRUE(SUCCEEDED(gui.BeginImages()));
  gui.DrawSprite(picture, &whole, 100, 100, 0, 1, 0xffffffff, false, false);
  ASSERT_TRUE(SUCCEEDED(gui.EndImages()));
  ASSERT_TRUE(SUCCEEDED(gui.BeginImages()));
  gui.DrawLine(Vec2{0, 116}, Vec2{400, 116}, kYellow, 10);  // across both sprites' red parts
  gui.DrawSprite(picture, &whole, 300, 100, 0, 1, 0xffffffff, false, false);
  ASSERT_TRUE(SUCCEEDED(gui.EndImages()));

  EXPECT_EQ(Pixel(110, 116), kYellow);  // over the image of the batch that had ended
  EXPECT_EQ(Pixel(310, 116), kRed);     // under the image of its own batch
  EXPECT_EQ(Pixel(200, 116), kYellow);

  // A flush sends the queued images before the lines that follow it.
  ASSERT_TRUE(SUCCEEDED(gui.BeginImages()));
  gui.DrawSprite(picture, &whole, 300, 100, 0, 1, 0xffffffff, false, false);
  ASSERT_TRUE(SUCCEEDED(gui.FlushImages()));
  gui.DrawLine(Vec2{0, 110}, Vec2{400, 110}, kYellow, 4);
  ASSERT_TRUE(SUCCEEDED(gui.EndImages()));
  EXPECT_EQ(Pixel(310, 110), kYellow);
}

}  // namespace

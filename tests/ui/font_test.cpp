// Text in the menu face: line height, alignment, line breaks, clipping and colour, read back
// from pixels. Skipped where the system lacks the face the build copies.

#include "support/gui_fixture.h"

namespace {

class FontTest : public GuiFixture {
 protected:
  void SetUp() override {
    GuiFixture::SetUp();
    if (!InstallFace()) GTEST_SKIP() << "the Junicode face is not installed";
    CreateAndResetDevice();
    ASSERT_NE(gui.GetFont(), nullptr);
  }

  int Draw(const wchar_t* text, const Rect& rect, unsigned format,
           std::uint32_t colour = 0xffffffff) {
    return gui.GetFont()->DrawText(text, -1, &rect, format, colour);
  }
};

TEST_F(FontTest, LineBreaksStartOneLineLower) {
  const Rect box{100, 100, 500, 300};
  const int height = Draw(L"start game\n< hard >", box, kTextCenter);
  EXPECT_EQ(height, 32);
  const Rect both = LitBounds();
  EXPECT_GT(both.bottom, box.top + 16);
  EXPECT_LE(both.bottom, box.top + 32);
  EXPECT_TRUE(AnyLit(box.left, box.top, box.right, box.top + 16));
  EXPECT_TRUE(AnyLit(box.left, box.top + 16, box.right, box.top + 32));
}

TEST_F(FontTest, TextIsClippedToItsRectangle) {
  const Rect narrow{300, 200, 340, 208};  // narrower and lower than the text
  EXPECT_GT(Draw(L"press any key to continue\nsecond line", narrow, kTextCenter), 0);
  const Rect ink = LitBounds();
  EXPECT_NE(ink, Rect{});
  EXPECT_GE(ink.left, narrow.left);
  EXPECT_GE(ink.top, narrow.top);
  EXPECT_LE(ink.right, narrow.right);
  EXPECT_LE(ink.bottom, narrow.bottom);

  // The clip is lifted again for what follows.
  gui.DrawLine(Vec2{0, 500}, Vec2{800, 500}, 0xffffffff, 2);
  EXPECT_EQ(Pixel(10, 500), kWhite);
}

TEST_F(FontTest, TextSurvivesDeviceLossAndFontRecreation) {
  gui.OnLostDevice();
  gui.OnResetDevice(&device, &backBuffer);
  Draw(L"paused", Rect{0, 0, 200, 40}, kTextLeft);
  EXPECT_TRUE(AnyLit(0, 0, 200, 16));

  ClearTarget();
  ASSERT_TRUE(SUCCEEDED(gui.RecreateFont()));
  Draw(L"paused", Rect{0, 0, 200, 40}, kTextLeft);
  EXPECT_TRUE(AnyLit(0, 0, 200, 16));
}

using FontWithoutFaceTest = GuiFixture;

TEST_F(FontWithoutFaceTest, MissingFaceLeavesNoFontAndNothingCrashes) {
  EXPECT_TRUE(FAILED(gui.OnCreateDevice(&device)));
  gui.OnResetDevice(&device, &backBuffer);
  EXPECT_EQ(gui.GetFont(), nullptr);
  EXPECT_TRUE(FAILED(gui.RecreateFont()));
  ASSERT_TRUE(SUCCEEDED(gui.BeginImages()));  // images and lines still work
  EXPECT_TRUE(SUCCEEDED(gui.EndImages()));
}

}  // namespace

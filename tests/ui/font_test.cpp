// Text in the menu face: line height, line breaks, clipping and device loss, read back from
// pixels. Skipped where the system lacks the face the build copies.

#include <filesystem>

#include "support/gui_fixture.h"

namespace {

class FontTest : public GuiFixture {
 protected:
  void SetUp() override {
    GuiFixture::SetUp();
    std::error_code error;
    std::filesystem::create_directories("data/font", error);
    std::filesystem::copy_file(
        "/usr/share/fonts/opentype/junicode/JunicodeTwoBeta-CondensedMedium.otf",
        "data/font/CELTICMD.ttf", error);
    if (error) GTEST_SKIP() << "the Junicode face is not installed";
    CreateAndResetDevice();
    ASSERT_NE(gui.GetFont(), nullptr);
  }

  int Draw(const wchar_t* text, const Rect& rect, unsigned format = kTextCenter) {
    return gui.GetFont()->DrawText(text, -1, &rect, format, 0xffffffff);
  }
};

TEST_F(FontTest, TextIsClippedToItsRectangle) {
  const Rect narrow{300, 200, 340, 208};  // narrower and lower than the text
  EXPECT_GT(Draw(L"press any key to continue\nsecond line", narrow), 0);
  const Rect ink = LitBounds();
  EXPECT_NE(ink, Rect{});
  EXPECT_EQ(LitBoundsWithin(narrow), ink);
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

// A line break starts one line lower. At twice 800x600 the face is opened twice as tall; the
// text keeps its place, width and line height in 800x600 units.
TEST_F(FontTest, LinesBreakOneLineLowerAndKeepTheir800x600PlaceAtOutputScale2) {
  const Rect box{100, 100, 700, 300};
  EXPECT_EQ(Draw(L"start game\n< hard >", box), 32);
  const Rect small = LitBounds();
  EXPECT_LE(small.bottom, box.top + 32);
  EXPECT_TRUE(AnyLit(box.left, box.top, box.right, box.top + 16));
  EXPECT_TRUE(AnyLit(box.left, box.top + 16, box.right, box.top + 32));
  gui.OnLostDevice();
  gui.OnDestroyDevice();
  UseOutputScale(2);
  CreateAndResetDevice();
  EXPECT_EQ(gui.GetFont()->GetLineHeight(), 16);
  EXPECT_EQ(Draw(L"start game\n< hard >", box), 32);
  const Rect large = LitBounds();
  EXPECT_NEAR(large.left, 2 * small.left, 8);
  EXPECT_NEAR(large.right, 2 * small.right, 8);
  EXPECT_NEAR(large.top, 2 * small.top, 8);
  EXPECT_NEAR(large.bottom, 2 * small.bottom, 8);
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

// What the framework writes for the developer and shows the player.

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/dxut.h"

namespace {

class Diagnostics : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    testing::internal::CaptureStderr();
  }
  void TearDown() override { DXUTShutdown(); }
  static std::string Written() { return testing::internal::GetCapturedStderr(); }
};

TEST_F(Diagnostics, DebugLinesAreWrittenAsUtf8ExactlyAsFormatted) {
  DXUTOutputDebugString(L"Loaded %d samples for %ls\n", 17, L"Drachenh\u00f6hle \u2694");
  DXUTOutputDebugString(L"no line break");
  EXPECT_EQ(Written(), "Loaded 17 samples for Drachenh\xc3\xb6hle \xe2\x9a\x94\nno line break");
}

TEST_F(Diagnostics, AVeryLongDebugLineIsWrittenWhole) {
  const std::wstring word(5000, L'x');
  DXUTOutputDebugString(L"%ls\n", word.c_str());
  EXPECT_EQ(Written(), std::string(5000, 'x') + "\n");
}

TEST_F(Diagnostics, TraceNamesFileLineMessageAndStatusAndReturnsTheStatus) {
  EXPECT_EQ(DXUTTrace("gui", 42, E_FAIL, L"SDL_RenderCopy", false), E_FAIL);
  EXPECT_EQ(Written(), "gui(42): SDL_RenderCopy hr=0x80004005\n");
}

TEST_F(Diagnostics, WithoutADisplayAMessageBoxGoesToStandardError) {
  DXUTMessageBox(L"Failed to init the application!", L"Error", kMbIconError);
  EXPECT_EQ(Written(), "Error: Failed to init the application!\n");
}

TEST_F(Diagnostics, TheSoftwareRendererNoticeIsWrittenOnce) {
  DXUTDisplaySwitchingToREFWarning();
  DXUTDisplaySwitchingToREFWarning();
  const std::string written = Written();
  EXPECT_FALSE(written.empty());
  EXPECT_EQ(written.find('\n'), written.size() - 1);
}

}  // namespace

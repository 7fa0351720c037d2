// Device selection, the 800x600 back buffer, full screen and screenshots.

#include <SDL.h>

#include <gtest/gtest.h>

#include "support/framework_fixture.h"
#include "support/picture.h"
#include "platform/sdl_device.h"
#include "support/temp_dir.h"

namespace {

using Device = FrameworkFixture;

TEST_F(Device, TheSoftwareRendererIsOfferedAsTheReferenceDeviceAndGets800x600) {
  static DXUTDeviceCaps offered;
  ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
  const HRESULT hr = DXUTCreateDevice(
      0, true, 1024, 768, [](const DXUTDeviceCaps* caps, bool, void*) { return caps->postPixelShaderBlending; },
      [](DXUTDeviceSettings* settings, const DXUTDeviceCaps* caps, void*) {
        offered = *caps;
        settings->backBufferWidth = 1024;  // the back buffer stays 800x600 all the same
        return true;
      },
      nullptr);
  ASSERT_EQ(hr, S_OK);
  EXPECT_EQ(offered.deviceType, DXUTDeviceType::kReference);
  EXPECT_FALSE(offered.hardwareTransformAndLighting);
  int width = 0;
  int height = 0;
  SDL_QueryTexture(DXUTGetD3DDevice()->backBuffer, nullptr, nullptr, &width, &height);
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 600);
  EXPECT_EQ(SDL_GetRenderTarget(DXUTGetD3DDevice()->renderer), DXUTGetD3DDevice()->backBuffer);
  EXPECT_TRUE(DXUTIsWindowed());
}

TEST_F(Device, RejectingEveryDeviceEndsWithNoCompatibleDevice) {
  ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
  const HRESULT hr =
      DXUTCreateDevice(0, true, 800, 600, [](const DXUTDeviceCaps*, bool, void*) { return false; }, nullptr, nullptr);
  EXPECT_EQ(hr, DXUTERR_NOCOMPATIBLEDEVICES);
  EXPECT_EQ(DXUTGetExitCode(), 3);
  EXPECT_FALSE(DXUTIsWindowed());  // no device
}

TEST_F(Device, CreationCallsCreatedThenResetAndShutdownLostThenDestroyed) {
  ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
  ASSERT_EQ(DXUTCreateDevice(0, true, 800, 600), S_OK);
  DXUTShutdown();
  EXPECT_EQ(CallNames(), (std::vector<std::string>{"created", "reset", "lost", "destroyed"}));
  EXPECT_EQ(DXUTGetD3DDevice(), nullptr);
  EXPECT_EQ(DXUTGetHWND(), nullptr);
}

TEST_F(Device, ToggleFullScreenRunsLostAndResetAroundTheSwitch) {
  StartFramework();
  ASSERT_EQ(DXUTToggleFullScreen(), S_OK);
  EXPECT_FALSE(DXUTIsWindowed());
  ASSERT_EQ(DXUTToggleFullScreen(), S_OK);
  EXPECT_TRUE(DXUTIsWindowed());
  EXPECT_EQ(CallNames(), (std::vector<std::string>{"lost", "reset", "lost", "reset"}));
  EXPECT_FALSE(DXUTIsTimePaused());  // the pause around each switch is undone
  EXPECT_FALSE(DXUTIsRenderingPaused());
}

TEST_F(Device, AVetoOfTheModifySettingsCallbackKeepsTheMode) {
  ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
  static bool allowFullScreen = true;
  ASSERT_EQ(DXUTCreateDevice(0, true, 800, 600, nullptr,
                             [](DXUTDeviceSettings* settings, const DXUTDeviceCaps*, void*) {
                               return settings->windowed || allowFullScreen;
                             },
                             nullptr),
            S_OK);
  calls().clear();
  allowFullScreen = false;
  EXPECT_EQ(DXUTToggleFullScreen(), E_FAIL);
  EXPECT_TRUE(DXUTIsWindowed());
  EXPECT_TRUE(calls().empty());
}

TEST_F(Device, AScreenshotHoldsTheRenderedBackBuffer) {
  ScopedTempDir folder;
  DXUTSetCallbackFrameRender([](DXUTDevice* device, double, float, void*) {
    SDL_SetRenderDrawColor(device->renderer, 200, 40, 10, 255);
    SDL_RenderClear(device->renderer);
  });
  StartFramework();
  DXUTRunOneFrame();
  ASSERT_EQ(DXUTSaveBackBufferPNG("shot.png"), S_OK);

  const Picture shot("shot.png");
  ASSERT_TRUE(shot.loaded());
  EXPECT_EQ(shot.width(), 800);
  EXPECT_EQ(shot.height(), 600);
  EXPECT_EQ(shot.channel(400, 300, 0), 200);
  EXPECT_EQ(shot.channel(400, 300, 1), 40);
  EXPECT_EQ(shot.channel(400, 300, 2), 10);
}

TEST_F(Device, AScreenshotFailsWithoutADeviceOrIntoAMissingFolder) {
  EXPECT_EQ(DXUTSaveBackBufferPNG("shot.png"), E_FAIL);
  StartFramework();
  EXPECT_EQ(DXUTSaveBackBufferPNG("no/such/folder/shot.png"), E_FAIL);
}

}  // namespace

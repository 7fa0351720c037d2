// The frame loop: order and time values of the frame callbacks, pausing, the
// quit message and the loop's guard against being entered twice.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/framework_fixture.h"

namespace {

using FrameLoop = FrameworkFixture;

TEST_F(FrameLoop, EachFrameMovesBeforeRenderingWithTheSameTimeValues) {
  StartFramework();
  DXUTAdvanceManualClock(0.1);
  ASSERT_EQ(DXUTRunOneFrame(), S_OK);
  DXUTAdvanceManualClock(0.2);
  ASSERT_EQ(DXUTRunOneFrame(), S_OK);

  ASSERT_EQ(CallNames(), (std::vector<std::string>{"move", "render", "move", "render"}));
  const auto moves = CallsOf("move");
  const auto renders = CallsOf("render");
  for (std::size_t frame = 0; frame < 2; ++frame) {
    EXPECT_EQ(moves[frame].time, renders[frame].time);
    EXPECT_EQ(moves[frame].elapsed, renders[frame].elapsed);
  }
  EXPECT_NEAR(moves[0].time, 0.1, 1e-9);
  EXPECT_NEAR(moves[1].time, 0.3, 1e-9);
  EXPECT_NEAR(moves[1].elapsed, 0.2f, 1e-6f);
  // The accessors give the values of the frame just run.
  EXPECT_EQ(DXUTGetTime(), moves[1].time);
  EXPECT_EQ(DXUTGetElapsedTime(), moves[1].elapsed);
}

TEST_F(FrameLoop, WhilePausedTimeStandsStillAndOnlyFrameMoveRuns) {
  StartFramework();
  DXUTAdvanceManualClock(1.0);
  DXUTRunOneFrame();
  DXUTPause(true, true);
  DXUTAdvanceManualClock(5.0);
  DXUTRunOneFrame();
  DXUTPause(false, false);
  DXUTAdvanceManualClock(0.5);
  DXUTRunOneFrame();

  EXPECT_EQ(CallNames(), (std::vector<std::string>{"move", "render", "move", "move", "render"}));
  const auto moves = CallsOf("move");
  EXPECT_NEAR(moves[1].time, 1.0, 1e-9);
  EXPECT_EQ(moves[1].elapsed, 0.0f);
  EXPECT_NEAR(moves[2].time, 1.5, 1e-9);  // the paused five seconds never happened
  EXPECT_NEAR(moves[2].elapsed, 0.5f, 1e-6f);
}

TEST_F(FrameLoop, FramesPerSecondAreCountedOverEachSecond) {
  StartFramework();
  for (int frame = 0; frame < 61; ++frame) {
    DXUTAdvanceManualClock(1.0 / 60.0);
    DXUTRunOneFrame();
  }
  EXPECT_NEAR(DXUTGetFPS(), 60.0f, 1.0f);
}

TEST_F(FrameLoop, TheQuitMessageEndsTheLoopWithItsCode) {
  StartFramework();
  DXUTSetCallbackFrameMove([](DXUTDevice*, double, float, void*) {
    calls().push_back({"move"});
    if (std::count_if(calls().begin(), calls().end(), [](const Call& call) { return call.what == "move"; }) == 3) {
      DXUTPostQuitMessage(5);
    }
  });
  EXPECT_EQ(DXUTMainLoop(), S_OK);
  EXPECT_EQ(CallsOf("move").size(), 3u);  // no frame after the quit message
  EXPECT_EQ(DXUTGetExitCode(), 5);
}

TEST_F(FrameLoop, TheLoopRefusesToBeEnteredFromItsOwnFrame) {
  StartFramework();
  static HRESULT nestedResult = S_OK;
  DXUTSetCallbackFrameMove([](DXUTDevice*, double, float, void*) {
    nestedResult = DXUTMainLoop();
    DXUTPostQuitMessage(0);
  });
  testing::internal::CaptureStderr();
  EXPECT_EQ(DXUTMainLoop(), S_OK);
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(FAILED(nestedResult));
  EXPECT_NE(trace.find("DXUTMainLoop"), std::string::npos);
}

TEST_F(FrameLoop, TheLoopRefusesToRunFromADeviceCallback) {
  static HRESULT nestedResult = S_OK;
  DXUTSetCallbackDeviceCreated([](DXUTDevice*, const DXUTSurfaceDesc*, void*) -> HRESULT {
    nestedResult = DXUTMainLoop();
    return S_OK;
  });
  testing::internal::CaptureStderr();
  StartFramework();
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(FAILED(nestedResult));
  EXPECT_NE(trace.find("DXUTMainLoop"), std::string::npos);
}

TEST_F(FrameLoop, AFrameworkErrorKeepsItsExitCodeOverTheQuitMessage) {
  DXUTSetCallbackDeviceCreated([](DXUTDevice*, const DXUTSurfaceDesc*, void*) -> HRESULT { return E_FAIL; });
  ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
  ASSERT_EQ(DXUTCreateWindow(L"Drakmoor"), S_OK);
  EXPECT_EQ(DXUTCreateDevice(0, true, 800, 600), DXUTERR_CREATINGDEVICEOBJECTS);
  EXPECT_EQ(DXUTGetD3DDevice(), nullptr);
  DXUTPostQuitMessage(0);
  EXPECT_EQ(DXUTGetExitCode(), 8);
  EXPECT_EQ(DXUTRunOneFrame(), E_FAIL);  // no device, no frame
}

}  // namespace

// Window messages: activation, closing and the game's veto.

#include <SDL.h>

#include <gtest/gtest.h>

#include "support/framework_fixture.h"

namespace {

class WindowMessages : public FrameworkFixture {
 protected:
  void SetUp() override {
    FrameworkFixture::SetUp();
    StartFramework();
  }

  static void PushWindowEvent(SDL_WindowEventID id) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = id;
    event.window.windowID = SDL_GetWindowID(static_cast<SDL_Window*>(DXUTGetHWND()));
    ASSERT_EQ(SDL_PushEvent(&event), 1);
  }

  std::vector<unsigned> MessageIds() const {
    std::vector<unsigned> ids;
    for (const Call& call : CallsOf("message")) ids.push_back(call.code);
    return ids;
  }
};

TEST_F(WindowMessages, ClosingTheWindowEndsTheLoopWithExitCodeZero) {
  PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  EXPECT_EQ(DXUTMainLoop(), S_OK);
  EXPECT_EQ(MessageIds(), (std::vector<unsigned>{kMsgClose, kMsgDestroy}));
  EXPECT_EQ(DXUTGetExitCode(), 0);
}

TEST_F(WindowMessages, TheGameCanRefuseTheClose) {
  DXUTSetCallbackMsgProc([](void*, unsigned message, std::uintptr_t, std::intptr_t, bool* noFurther, void*) -> long {
    *noFurther = message == kMsgClose;
    return 0;
  });
  DXUTSetCallbackFrameMove([](DXUTDevice*, double, float, void*) { DXUTPostQuitMessage(7); });
  PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  EXPECT_EQ(DXUTMainLoop(), S_OK);
  EXPECT_EQ(DXUTGetExitCode(), 7);  // the loop ran on to the game's own quit
}

TEST_F(WindowMessages, FocusChangesReachTheGameAsActivation) {
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  DXUTRunOneFrame();
  const auto messages = CallsOf("message");
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].code, kMsgActivate);
  EXPECT_FALSE(messages[0].down);
  EXPECT_EQ(messages[1].code, kMsgActivate);
  EXPECT_TRUE(messages[1].down);
  EXPECT_TRUE(DXUTIsActive());
}

TEST_F(WindowMessages, LosingFocusInAWindowKeepsTimeRunning) {
  DXUTSendWindowMessage(kMsgActivate, 0, 0);
  EXPECT_FALSE(DXUTIsActive());
  EXPECT_FALSE(DXUTIsTimePaused());
  EXPECT_FALSE(DXUTIsRenderingPaused());
}

TEST_F(WindowMessages, LosingFocusInFullScreenPausesTimeAndRenderingUntilRegained) {
  ASSERT_EQ(DXUTToggleFullScreen(), S_OK);
  DXUTSendWindowMessage(kMsgActivate, 0, 0);
  DXUTSendWindowMessage(kMsgActivate, 0, 0);  // a second loss must not pause twice
  EXPECT_TRUE(DXUTIsTimePaused());
  EXPECT_TRUE(DXUTIsRenderingPaused());
  DXUTSendWindowMessage(kMsgActivate, 1, 0);
  EXPECT_FALSE(DXUTIsTimePaused());
  EXPECT_FALSE(DXUTIsRenderingPaused());
}

TEST_F(WindowMessages, MessagesTheGameSendsGoThroughItsMsgProc) {
  DXUTSendWindowMessage(kMsgFontChange, 0, 0);
  EXPECT_EQ(MessageIds(), (std::vector<unsigned>{kMsgFontChange}));
}

}  // namespace

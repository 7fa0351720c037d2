// The framework under the game: the frame loop and its clock, keys and window messages from
// SDL's events, the device and its back buffer, full screen, screenshots and diagnostics.

#include <SDL.h>

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/dxut.h"
#include "platform/dxut_state.h"
#include "platform/frame_times.h"
#include "platform/key_map.h"
#include "platform/letterbox.h"
#include "platform/rumble.h"
#include "platform/sdl_device.h"
#include "support/debug_trace.h"
#include "support/picture.h"
#include "support/temp_dir.h"
#include "support/virtual_pad.h"

namespace {

// The framework headless: SDL's dummy video driver, the software renderer, the manual clock,
// and callbacks that write down what they saw.
class Framework : public ::testing::Test {
 public:
  // One callback call as the framework made it ("move", "render", "key", "message", "lost",
  // "reset", ...): a key's or message's code, a key pressed or a message's wParam non-zero.
  struct Call {
    std::string what;
    double time = 0.0;
    float elapsed = 0.0f;
    unsigned code = 0;
    bool down = false;
    std::uintptr_t wParam = 0;
  };
  static std::vector<Call>& calls() {
    static std::vector<Call> recorded;
    return recorded;
  }

 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    calls().clear();
    DXUTSetManualClock(true);
    DXUTSetCallbackDeviceCreated(nullptr);  // a test may set its own
    // A reset records whether the game draws into the back buffer while it restores.
    DXUTSetCallbackDeviceReset([](DXUTDevice* device, const DXUTSurfaceDesc*, void*) -> HRESULT {
      const bool intoBackBuffer = SDL_GetRenderTarget(device->renderer) == device->backBuffer;
      return Record({"reset", 0.0, 0.0f, 0, intoBackBuffer}), S_OK;
    });
    DXUTSetCallbackDeviceLost([](void*) { Record({"lost"}); });
    DXUTSetCallbackDeviceDestroyed([](void*) { Record({"destroyed"}); });
    DXUTSetCallbackFrameMove([](DXUTDevice*, double t, float dt, void*) {
      Record({"move", t, dt});
    });
    DXUTSetCallbackFrameRender([](DXUTDevice*, double t, float dt, void*) {
      Record({"render", t, dt});
    });
    DXUTSetCallbackKeyboard([](unsigned key, bool down, bool, void*) {
      Record({"key", 0.0, 0.0f, key, down});
    });
    DXUTSetCallbackMsgProc(
        [](void*, unsigned message, std::uintptr_t wParam, std::intptr_t, bool*, void*) -> long {
          return Record({"message", 0.0, 0.0f, message, wParam != 0, wParam}), 0;
        });
  }
  void TearDown() override {
    DXUTShutdown();
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, nullptr);
  }
  static void Record(Call call) { calls().push_back(std::move(call)); }

  // Init, window and device as the entry point does it (windowed).
  void StartFramework() {
    ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
    ASSERT_EQ(DXUTCreateWindow(L"Drakmoor"), S_OK);
    ASSERT_EQ(DXUTCreateDevice(0, true, 800, 600), S_OK);
    calls().clear();
  }
  std::vector<std::string> CallNames() const {
    std::vector<std::string> names;
    for (const Call& call : calls()) names.push_back(call.what);
    return names;
  }
  // The calls of one kind; with `code`, only those of that key or message.
  std::vector<Call> CallsOf(const std::string& what, std::optional<unsigned> code = {}) const {
    std::vector<Call> matching;
    for (const Call& call : calls()) {
      if (call.what == what && (!code || call.code == *code)) matching.push_back(call);
    }
    return matching;
  }

  // Queues a key event as the keyboard would deliver it; frames pump it.
  static void PushKey(SDL_Scancode scancode, bool down, Uint16 modifiers = KMOD_NONE,
                      bool repeat = false) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.scancode = scancode;
    event.key.keysym.mod = modifiers;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
  }
  static void PushWindowEvent(SDL_WindowEventID id) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = id;
    event.window.windowID = SDL_GetWindowID(static_cast<SDL_Window*>(DXUTGetHWND()));
    ASSERT_EQ(SDL_PushEvent(&event), 1);
  }
};

// Each frame moves, then renders, with the same time; paused time never happened. The quit
// message ends the loop with its code, and the loop cannot be entered from its own frame.
TEST_F(Framework, FramesMoveThenRenderPausedTimeNeverHappenedAndQuitEndsTheLoopWithItsCode) {
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
  const auto renders = CallsOf("render");
  EXPECT_EQ(moves[0].time, renders[0].time);
  EXPECT_EQ(moves[2].elapsed, renders[1].elapsed);
  EXPECT_NEAR(moves[1].time, 1.0, 1e-9);
  EXPECT_EQ(moves[1].elapsed, 0.0f);
  EXPECT_NEAR(moves[2].time, 1.5, 1e-9) << "the paused five seconds never happened";
  EXPECT_NEAR(moves[2].elapsed, 0.5f, 1e-6f);
  EXPECT_EQ(DXUTGetTime(), moves[2].time);

  calls().clear();
  DXUTSetCallbackFrameMove([](DXUTDevice*, double, float, void*) {
    calls().push_back({"move"});
    if (calls().size() == 5) {  // the third frame: move, render, move, render, move
      EXPECT_TRUE(FAILED(DXUTMainLoop())) << "entered from its own frame";
      DXUTPostQuitMessage(5);
    }
  });
  const ScopedDebugTrace debugTrace;
  testing::internal::CaptureStderr();
  EXPECT_EQ(DXUTMainLoop(), S_OK);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("DXUTMainLoop"), std::string::npos);
  EXPECT_EQ(CallsOf("move").size(), 3u) << "no frame after the quit message";
  EXPECT_EQ(DXUTGetExitCode(), 5);
}

// Keys arrive with their Windows codes, repeats as presses; typed text arrives as characters,
// whatever key typed them, one message per code point.
TEST_F(Framework, KeysAndPadsReachTheGameWithWindowsCodesTextOneCharacterAtATimeAndSaneRumbles) {
  StartFramework();
  PushKey(SDL_SCANCODE_A, true);
  DXUTRunOneFrame();
  EXPECT_EQ(CallNames(), (std::vector<std::string>{"key", "move", "render"})) << "keys first";
  EXPECT_TRUE(DXUTIsKeyDown('A'));
  PushKey(SDL_SCANCODE_A, false);
  PushKey(SDL_SCANCODE_F13, true);  // no code: not passed on
  PushKey(SDL_SCANCODE_RETURN, true);
  PushKey(SDL_SCANCODE_KP_ENTER, true);
  PushKey(SDL_SCANCODE_UP, true);
  PushKey(SDL_SCANCODE_UP, true, KMOD_NONE, true);
  PushKey(SDL_SCANCODE_UP, false);
  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  SDL_strlcpy(text.text.text, "c\xC3\xA9Z", sizeof text.text.text);  // c, e acute, Z
  ASSERT_EQ(SDL_PushEvent(&text), 1);
  DXUTRunOneFrame();
  EXPECT_FALSE(DXUTIsKeyDown('A'));
  EXPECT_EQ(CallsOf("key", 'A').size(), 2u);
  EXPECT_EQ(CallsOf("key", VK_RETURN).size(), 2u) << "both Enter keys are Enter";
  const auto up = CallsOf("key", VK_UP);
  ASSERT_EQ(up.size(), 3u);
  EXPECT_TRUE(up[0].down && up[1].down && !up[2].down);
  EXPECT_EQ(CallsOf("key").size(), 7u);
  std::vector<std::uintptr_t> characters;
  for (const Call& call : CallsOf("message", kMsgChar)) characters.push_back(call.wParam);
  EXPECT_EQ(characters, (std::vector<std::uintptr_t>{'c', 0xE9, 'Z'}));

  // A key is known by what its name says (letters and digits by their character, F and keypad
  // keys by their number), each key by a code of its own but for the two Enter keys, Alt,
  // Control and Shift map back to their key, and the keys the menus and the flight use have codes.
  std::map<unsigned, std::string> owners;
  for (int s = SDL_SCANCODE_UNKNOWN; s < SDL_NUM_SCANCODES; ++s) {
    const auto scancode = static_cast<SDL_Scancode>(s);
    const unsigned code = VirtualKeyFromScancode(scancode);
    const std::string name = SDL_GetScancodeName(scancode);
    int n = 0;
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) n = name[0];
    if (std::sscanf(name.c_str(), "F%d", &n) == 1) n = n <= 12 ? VK_F1 + n - 1 : 0;
    if (name.size() == 8 && std::sscanf(name.c_str(), "Keypad %d", &n) == 1) n += VK_NUMPAD0;
    EXPECT_EQ(code, n != 0 || name.starts_with('F') ? static_cast<unsigned>(n) : code) << name;
    const bool modifier = code >= VK_LSHIFT && code <= VK_RMENU;
    EXPECT_EQ(modifier ? ModifierScancodeFromVirtualKey(code) : scancode, scancode) << name;
    const bool shared = code == 0 || scancode == SDL_SCANCODE_KP_ENTER;
    EXPECT_TRUE(shared || owners.emplace(code, name).second) << name;
  }
  for (const char* name : {"Escape", "Space", "Backspace", "Tab", "Left", "Right", "Down", "Delete",
                           "Home", "End", "PageUp", "Keypad /", "Right Alt"})
    EXPECT_NE(VirtualKeyFromScancode(SDL_GetScancodeFromName(name)), 0u) << name;

  // A pad is announced when plugged in, its buttons and stick directions are keys, and pulling
  // it out lets go of what it held before it is announced gone.
  calls().clear();
  VirtualPad pad;
  pad.PlugIn();
  DXUTRunOneFrame();
  ASSERT_EQ(CallsOf("message").size(), 1u);
  EXPECT_TRUE(CallsOf("message", kMsgGamepadChange)[0].down) << "plugged in";

  pad.SetButton(SDL_CONTROLLER_BUTTON_A, true);
  pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, -1.0f);
  DXUTRunOneFrame();
  EXPECT_TRUE(DXUTIsKeyDown(VK_GAMEPAD_A));
  EXPECT_TRUE(DXUTIsKeyDown(VK_GAMEPAD_LEFT_THUMBSTICK_LEFT));
  pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, -0.5f);  // eased back half way: still held
  DXUTRunOneFrame();
  EXPECT_TRUE(DXUTIsKeyDown(VK_GAMEPAD_LEFT_THUMBSTICK_LEFT));

  calls().clear();
  pad.Unplug();
  DXUTRunOneFrame();
  EXPECT_FALSE(DXUTIsKeyDown(VK_GAMEPAD_A) || DXUTIsKeyDown(VK_GAMEPAD_LEFT_THUMBSTICK_LEFT));
  EXPECT_EQ(DXUTGetGamepadAxis(DXUTGamepadAxis::kLeftX), 0.0f);
  const std::vector<std::string> expected{"key", "key", "message", "move", "render"};
  EXPECT_EQ(CallNames(), expected) << "both keys let go, then the pad is gone";
  EXPECT_FALSE(CallsOf("key")[0].down);
  EXPECT_FALSE(CallsOf("message").back().down);

  // A pad pulled out before the game heard of it is never heard of, the one plugged in after it
  // once. Rumbles last from a millisecond (SDL takes none as "for ever") to ten seconds, and a
  // length that is no number asks for none.
  calls().clear();
  VirtualPad gone;
  VirtualPad next;
  gone.PlugIn();
  gone.Unplug();
  next.PlugIn();
  DXUTRunOneFrame();
  ASSERT_EQ(CallsOf("message", kMsgGamepadChange).size(), 1u);
  EXPECT_TRUE(CallsOf("message", kMsgGamepadChange)[0].down);
  DXUTRumbleGamepads(0.5f, std::nanf(""));
  EXPECT_TRUE(next.rumbles().empty());
  DXUTRumbleGamepads(0.5f, 1e-5f);
  ASSERT_EQ(next.rumbles().size(), 1u);
  EXPECT_GT(next.rumbles()[0].lowFrequency, 0);
  for (const auto& [seconds, ms] :
       {std::pair{1e-5f, 1u}, {-3.0f, 1u}, {0.2f, 200u}, {1e30f, 10000u}})
    EXPECT_EQ(RumbleMilliseconds(seconds), ms) << seconds;
  next.Unplug();
  DXUTRunOneFrame();
  ASSERT_EQ(CallsOf("message", kMsgGamepadChange).size(), 2u);
  EXPECT_FALSE(CallsOf("message", kMsgGamepadChange)[1].down);
}

// A frame whose render callback keeps the picture is neither presented nor counted, unless the
// window changed: then it is shown again while the window settles. Only frames the player sees
// are counted, and a frame after a kept picture or an unfocused stretch is not timed.
TEST_F(Framework, AKeptPictureIsShownAgainOnlyAfterAnExposeAndOnlySeenFramesAreTimed) {
  static bool keep = false;
  DXUTSetCallbackFrameRender([](DXUTDevice*, double, float, void*) {
    Record({"render"});
    if (keep) DXUTKeepPicture();
  });
  StartFramework();
  using Counts = std::array<std::uint64_t, 2>;
  const auto shown = [] {
    const FrameTimeSummary run = DXUTGetFrameTimesWholeRun();
    return Counts{run.frames, run.timed};
  };
  const auto runFrames = [](int count) {
    for (int i = 0; i < count; ++i) DXUTRunOneFrame();
  };
  keep = false;
  runFrames(40);  // the new window settles
  EXPECT_EQ(shown(), (Counts{40, 39})) << "every present counts; the first is not timed";
  keep = true;
  runFrames(3);
  EXPECT_EQ(CallsOf("render").size(), 43u) << "the game still decides every frame";
  EXPECT_EQ(shown(), (Counts{40, 39}));
  PushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
  runFrames(100);
  const Counts settled = shown();
  EXPECT_GT(settled[0], 40u);
  EXPECT_LT(settled[0], 100u) << "kept again once the window settled";
  EXPECT_EQ(settled[1], settled[0] - 2) << "a kept stretch before";
  keep = false;
  runFrames(2);
  EXPECT_EQ(shown(), (Counts{settled[0] + 2, settled[1] + 1}));

  DXUTSendWindowMessage(kMsgActivate, 0, 0);
  runFrames(3);
  DXUTSendWindowMessage(kMsgActivate, 1, 0);
  runFrames(2);
  EXPECT_EQ(shown(), (Counts{settled[0] + 4, settled[1] + 2}))
      << "the unfocused stretch is no frame";
}

// Focus loss pauses only in full screen; Alt+Enter switches to it, and its Enter never
// reaches the game.
TEST_F(Framework, FocusLossPausesOnlyInFullScreenWhichAltEnterTogglesAndClosingEndsTheLoop) {
  StartFramework();
  DXUTSetCursorSettings(true, true);  // as the game asks: the mouse held only in full screen
  const auto mouseHeld = [] {
    return (SDL_GetWindowFlags(static_cast<SDL_Window*>(DXUTGetHWND())) &
            SDL_WINDOW_MOUSE_GRABBED) != 0;
  };
  EXPECT_FALSE(mouseHeld()) << "windowed";
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  DXUTRunOneFrame();
  const auto messages = CallsOf("message", kMsgActivate);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_TRUE(!messages[0].down && messages[1].down);
  DXUTSendWindowMessage(kMsgActivate, 0, 0);
  EXPECT_FALSE(DXUTIsTimePaused()) << "in a window time runs on";
  DXUTSendWindowMessage(kMsgActivate, 1, 0);

  PushKey(SDL_SCANCODE_LALT, true, KMOD_LALT);
  PushKey(SDL_SCANCODE_RETURN, true, KMOD_LALT);
  PushKey(SDL_SCANCODE_RETURN, true, KMOD_LALT, true);  // held: no second toggle
  PushKey(SDL_SCANCODE_LALT, false);
  PushKey(SDL_SCANCODE_RETURN, false);  // released after Alt: still the framework's
  DXUTRunOneFrame();
  EXPECT_FALSE(DXUTIsWindowed());
  EXPECT_TRUE(mouseHeld()) << "in full screen";
  EXPECT_TRUE(CallsOf("key", VK_RETURN).empty());
  EXPECT_FALSE(DXUTIsKeyDown(VK_RETURN));
  EXPECT_EQ(CallsOf("lost").size(), 1u);
  ASSERT_EQ(CallsOf("reset").size(), 1u);
  EXPECT_TRUE(CallsOf("reset")[0].down) << "restored into the back buffer";
  EXPECT_FALSE(DXUTIsTimePaused()) << "the pause around the switch is undone";

  PushKey(SDL_SCANCODE_RETURN, true);  // a plain Enter afterwards is the game's again
  DXUTRunOneFrame();
  EXPECT_EQ(CallsOf("key", VK_RETURN).size(), 1u);
  DXUTSendWindowMessage(kMsgActivate, 0, 0);
  DXUTSendWindowMessage(kMsgActivate, 0, 0);  // a second loss must not pause twice
  EXPECT_TRUE(DXUTIsTimePaused() && DXUTIsRenderingPaused());
  DXUTSendWindowMessage(kMsgActivate, 1, 0);
  EXPECT_FALSE(DXUTIsTimePaused() || DXUTIsRenderingPaused());

  // Lost render targets are restored, a device made anew is destroyed first, and either way
  // the game draws into the back buffer again.
  calls().clear();
  SDL_SetRenderTarget(DXUTGetD3DDevice()->renderer, nullptr);
  DXUTHandleRenderTargetsReset();
  DXUTHandleRenderDeviceReset();
  EXPECT_EQ(CallNames(), (std::vector<std::string>{"lost", "reset", "lost", "destroyed", "reset"}));
  EXPECT_TRUE(CallsOf("reset")[0].down && CallsOf("reset")[1].down);

  calls().clear();
  PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  EXPECT_EQ(DXUTMainLoop(), S_OK);
  EXPECT_EQ(CallsOf("message").size(), 2u) << "close, then destroy";
  EXPECT_EQ(DXUTGetExitCode(), 0);
}

// SDL's dummy video driver offers OpenGL renderers that cannot open. Asked for one, the
// player is told which failed and why; left to choose, the settings callback (and the one-time
// notices it gives) belongs to the software renderer that does open. The window can be made no
// smaller than 200 x 200, and a screenshot holds the rendered back buffer.
TEST_F(Framework, OnlyTheRendererThatOpensIsUsedAndAFailedOneIsNamedWithSdlsReason) {
  unsetenv("SDL_RENDER_DRIVER");  // the variable would override the hint
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
  ASSERT_EQ(DXUTInit(false, false, true, true), S_OK);
  testing::internal::CaptureStderr();
  EXPECT_EQ(DXUTCreateDevice(0, true, 800, 600), DXUTERR_CREATINGDEVICE);
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_EQ(DXUTGetExitCode(), 6);
  EXPECT_NE(told.find("Failed creating the SDL OpenGL renderer.\n\nSDL: "), std::string::npos)
      << told;
  EXPECT_EQ(told.find("Direct3D"), std::string::npos);
  // The loop does not open another renderer behind the player's back.
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, nullptr);
  DXUTPostQuitMessage(0);
  EXPECT_TRUE(FAILED(DXUTMainLoop()));

  DXUTShutdown();
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, nullptr);
  static std::vector<DXUTDeviceType> adjusted;
  ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
  ASSERT_EQ(DXUTCreateDevice(
                0, true, 800, 600, nullptr,
                [](DXUTDeviceSettings* settings, const DXUTDeviceCaps*, void*) {
                  adjusted.push_back(settings->deviceType);
                  return true;
                },
                nullptr),
            S_OK);
  EXPECT_EQ(adjusted, std::vector<DXUTDeviceType>{DXUTDeviceType::kReference});
  int width = 0, height = 0;
  SDL_GetWindowMinimumSize(static_cast<SDL_Window*>(DXUTGetHWND()), &width, &height);
  EXPECT_EQ((std::array{width, height}), (std::array{200, 200}));

  ScopedTempDir folder;
  DXUTSetCallbackFrameRender([](DXUTDevice* device, double, float, void*) {
    SDL_SetRenderDrawColor(device->renderer, 200, 40, 10, 255);
    SDL_RenderClear(device->renderer);
  });
  DXUTRunOneFrame();
  ASSERT_EQ(DXUTSaveBackBufferPNG("shot.png"), S_OK);
  const Picture shot("shot.png");
  ASSERT_TRUE(shot.loaded());
  EXPECT_EQ(shot.width(), 800);
  EXPECT_EQ(
      (std::array{shot.channel(400, 300, 0), shot.channel(400, 300, 1), shot.channel(400, 300, 2)}),
      (std::array<std::uint8_t, 3>{200, 40, 10}));
  EXPECT_EQ(DXUTSaveBackBufferPNG("no/such/folder/shot.png"), E_FAIL);

  // Asked for the best scaling, the software renderer draws a window of twice 800x600 with
  // its own pixels: so is the screenshot, without bars.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "best");
  SDL_SetWindowSize(static_cast<SDL_Window*>(DXUTGetHWND()), 1600, 1200);
  DXUTRunOneFrame();
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, nullptr);
  ASSERT_EQ(DXUTSaveBackBufferPNG("large.png"), S_OK);
  const Picture large("large.png");
  EXPECT_EQ((std::array{large.width(), large.height()}), (std::array{1600, 1200}));
  EXPECT_EQ((std::array{large.channel(0, 0, 0), large.channel(1599, 1199, 0)}),
            (std::array<std::uint8_t, 2>{200, 200}));
}

// Frames of 10 ms, every 10th one of 40 ms (at half that processor time), one of 300 ms at
// the end: the median stays at 10 ms, the 95th percentile sees the slow frames, the worst is
// exact, and the last second reaches back from the newest frame.
TEST(FrameTimes, MedianPercentileAndWorstOfTheWholeRunAndOfTheLastSecond) {
  cFrameTimes times;
  EXPECT_EQ(times.LastSecond().frames, 0u);
  double now = 0.0;
  for (int i = 1; i <= 200; ++i) {
    const double ms = i == 200 ? 300.0 : i % 10 == 0 ? 40.0 : 10.0;
    now += ms / 1000.0;
    times.Add(now, ms, ms / 2.0);
  }
  const FrameTimeSummary run = times.WholeRun();
  EXPECT_EQ(run.frames, 200u);
  EXPECT_NEAR(run.median, 10.0, 0.1);
  EXPECT_NEAR(run.percentile95, 40.0, 0.1);
  EXPECT_DOUBLE_EQ(run.worst, 300.0);
  EXPECT_NEAR(times.WholeRunCpu().median, 5.0, 0.1);
  const FrameTimeSummary second = times.LastSecond();  // 300 ms of it is the slow frame
  EXPECT_GT(second.frames, 50u);
  EXPECT_LT(second.frames, 60u);
  EXPECT_DOUBLE_EQ(second.worst, 300.0);
  times.AddUntimed(now + 5.0);  // shown again after a kept stretch: counted, not timed
  EXPECT_EQ(times.LastSecond().frames, 1u);
  EXPECT_EQ(times.LastSecond().timed, 0u);
  EXPECT_EQ(times.WholeRun().frames, 201u);
  EXPECT_DOUBLE_EQ(times.WholeRun().worst, 300.0);
}

// The back buffer is scaled whole and centred, bars on the spare sides. It is drawn with the
// output's own pixels (or at 800x600 to be scaled up), never with fewer than 800x600; the window
// Alt+Enter gives is the largest whole multiple of 800x600 within 85 % of the usable desktop.
TEST(Letterbox, TheBackBufferFillsTheOutputCentredAndTheWindowFitsTheDesktop) {
  const struct {
    int width, height;
    std::array<int, 4> lands;
    std::array<int, 2> drawn, window;
  } cases[] = {{2560, 1440, {320, 0, 1920, 1440}, {1920, 1440}, {1600, 1200}},
               {1280, 1024, {0, 32, 1280, 960}, {1280, 960}, {800, 600}},
               {1920, 1050, {260, 0, 1400, 1050}, {1400, 1050}, {800, 600}},
               {3840, 2160, {480, 0, 2880, 2160}, {2880, 2160}, {2400, 1800}},
               {640, 480, {0, 0, 640, 480}, {800, 600}, {800, 600}},
               {800, -1, {0, 0, 0, 0}, {800, 600}, {800, 600}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    const ScreenRect rect = LetterboxRect(c.width, c.height);
    const ScreenRect drawn = BackBufferSize(c.width, c.height, false);
    const ScreenRect scaledUp = BackBufferSize(c.width, c.height, true);
    const ScreenRect window = WindowedSize(c.width, c.height);
    EXPECT_EQ((std::array{rect.x, rect.y, rect.w, rect.h}), c.lands);
    EXPECT_EQ((std::array{drawn.w, drawn.h, scaledUp.w, scaledUp.h}),
              (std::array{c.drawn[0], c.drawn[1], 800, 600}));
    EXPECT_EQ((std::array{window.w, window.h}), c.window);
  }
}

// A game that opens only its window finds it placed on the display, and the loop opens the
// default device for it; the loop refuses to run again from the device's callback.
TEST_F(Framework, AWindowAloneIsPlacedOnTheDisplayAndTheLoopOpensTheDefaultDevice) {
  static HRESULT nested = S_OK;
  DXUTSetCallbackDeviceCreated([](DXUTDevice*, const DXUTSurfaceDesc*, void*) -> HRESULT {
    DXUTPostQuitMessage(0);  // a loop that wrongly ran would end at once
    return nested = DXUTMainLoop(), S_OK;
  });
  ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
  ASSERT_EQ(DXUTCreateWindow(L"Drakmoor"), S_OK);
  int x = -1, y = -1;
  SDL_GetWindowPosition(static_cast<SDL_Window*>(DXUTGetHWND()), &x, &y);
  EXPECT_GE(std::min(x, y), 0) << "not at (-1, -1)";
  testing::internal::CaptureStderr();
  ASSERT_EQ(DXUTMainLoop(), S_OK);
  testing::internal::GetCapturedStderr();
  EXPECT_NE(DXUTGetD3DDevice()->renderer, nullptr);
  EXPECT_TRUE(FAILED(nested));
}

}  // namespace

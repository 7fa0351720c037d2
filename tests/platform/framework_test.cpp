// The framework under the game: the frame loop and its clock, keys, pads and window messages
// from SDL's events, the device and its back buffer, full screen, screenshots and frame times.

#include <SDL.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
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
// and callbacks that write down what they saw. SDL is left as the test found it.
class Framework : public ::testing::Test {
 public:
  // One callback call as the framework made it ("move", "render", "key", "message", "lost",
  // "reset", ...): a key's or message's code and its parameters (a key: pressed; a reset:
  // drawing into the back buffer).
  struct Call {
    std::string what;
    double time = 0.0;
    float elapsed = 0.0f;
    unsigned code = 0;
    std::uintptr_t w = 0;
    std::intptr_t l = 0;
  };
  static std::vector<Call>& calls() {
    static std::vector<Call> recorded;
    return recorded;
  }
  static void Record(Call call) { calls().push_back(std::move(call)); }

 protected:
  void SetUp() override {
    sdlBefore = SDL_WasInit(SDL_INIT_EVERYTHING);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    calls().clear();
    DXUTSetManualClock(true);
    DXUTSetCallbackDeviceCreated(nullptr);  // a test may set its own
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
        [](void*, unsigned message, std::uintptr_t w, std::intptr_t l, bool*, void*) -> long {
          return Record({"message", 0, 0, message, w, l}), 0;
        });
  }
  void TearDown() override {
    DXUTShutdown();
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, nullptr);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), sdlBefore) << "SDL is left as the game found it";
  }

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

  // Queues an event as SDL would deliver it; frames pump it.
  static void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1); }
  static void PushKey(SDL_Scancode scancode, bool down, Uint16 modifiers = 0, bool repeat = false) {
    SDL_Event event{.type = Uint32(down ? SDL_KEYDOWN : SDL_KEYUP)};
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat;
    event.key.keysym.scancode = scancode;
    event.key.keysym.mod = modifiers;
    Push(event);
  }
  static void PushText(const char* text) {
    SDL_Event event{.type = SDL_TEXTINPUT};
    SDL_strlcpy(event.text.text, text, sizeof event.text.text);
    Push(event);
  }
  static void PushMouseButton(Uint8 button, bool down) {
    SDL_Event event{.type = Uint32(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP)};
    event.button.button = button;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    Push(event);
  }
  static void PushWindowEvent(SDL_WindowEventID id) {
    SDL_Event event{.type = SDL_WINDOWEVENT};
    event.window.windowID = SDL_GetWindowID(static_cast<SDL_Window*>(DXUTGetHWND()));
    event.window.event = id;
    Push(event);
  }

  Uint32 sdlBefore = 0;
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

// Keys arrive before the frame with their Windows codes, repeats as presses; typed text
// arrives as characters, one message per code point, marked when a key's repeat typed it. A
// key held when a screen opens types nothing there until pressed afresh. The mouse's five
// buttons are keys too.
TEST_F(Framework, KeysReachTheGameWithWindowsCodesAndTextOneCharacterAtATime) {
  StartFramework();
  PushKey(SDL_SCANCODE_A, true);
  DXUTRunOneFrame();
  EXPECT_EQ(CallNames(), (std::vector<std::string>{"key", "move", "render"}));
  EXPECT_TRUE(DXUTIsKeyDown('A'));
  PushKey(SDL_SCANCODE_A, false);
  PushKey(SDL_SCANCODE_F13, true);  // no code: not passed on
  PushKey(SDL_SCANCODE_RETURN, true);
  PushKey(SDL_SCANCODE_KP_ENTER, true);
  PushKey(SDL_SCANCODE_UP, true);
  PushKey(SDL_SCANCODE_UP, true, KMOD_NONE, true);
  PushKey(SDL_SCANCODE_UP, false);
  PushText("c\xC3\xA9Z");  // c, e acute, Z
  DXUTRunOneFrame();
  EXPECT_FALSE(DXUTIsKeyDown('A'));
  EXPECT_EQ(CallsOf("key", 'A').size(), 2u);
  EXPECT_EQ(CallsOf("key", VK_RETURN).size(), 2u) << "both Enter keys are Enter";
  std::vector<std::uintptr_t> up, characters;
  for (const Call& call : CallsOf("key", VK_UP)) up.push_back(call.w);
  EXPECT_EQ(up, (std::vector<std::uintptr_t>{1, 1, 0}));
  EXPECT_EQ(CallsOf("key").size(), 7u);
  for (const Call& call : CallsOf("message", kMsgChar)) characters.push_back(call.w);
  EXPECT_EQ(characters, (std::vector<std::uintptr_t>{'c', 0xE9, 'Z'}));
  EXPECT_EQ(CallsOf("message", kMsgChar)[0].l, kCharRepeated) << "typed by Up's repeat";

  PushKey(SDL_SCANCODE_C, true);
  DXUTRunOneFrame();
  DXUTIgnoreTextOfHeldKeys();
  calls().clear();
  PushText("c");
  PushKey(SDL_SCANCODE_C, false);
  PushKey(SDL_SCANCODE_C, true);
  PushText("c");
  for (Uint8 button = 1; button <= 6; ++button) PushMouseButton(button, true);
  PushMouseButton(SDL_BUTTON_MIDDLE, false);
  DXUTRunOneFrame();
  ASSERT_EQ(CallsOf("message", kMsgChar).size(), 1u);
  EXPECT_EQ(CallsOf("message", kMsgChar)[0].l, 0) << "freshly typed";
  std::vector<bool> buttons;
  for (unsigned key : {VK_LBUTTON, VK_MBUTTON, VK_RBUTTON, VK_XBUTTON1, VK_XBUTTON2})
    buttons.push_back(DXUTIsKeyDown(key));
  EXPECT_EQ(buttons, (std::vector<bool>{true, false, true, true, true}));

  // A key is known by what its name says (letters and digits by their character, F and keypad
  // keys by their number), each key by a code of its own but for the two Enter keys, Alt,
  // Control and Shift map back to their key, and exactly these named keys have codes besides.
  const std::set<std::string> named{
      "Return",       "Escape",     "Backspace", "Tab",        "Space",       "CapsLock",
      "PrintScreen",  "Pause",      "Insert",    "Home",       "PageUp",      "Delete",
      "End",          "PageDown",   "Right",     "Left",       "Down",        "Up",
      "Keypad Enter", "Keypad /",   "Keypad *",  "Keypad -",   "Keypad +",    "Keypad .",
      "Left Ctrl",    "Left Shift", "Left Alt",  "Right Ctrl", "Right Shift", "Right Alt"};
  std::set<std::string> coded;
  std::map<unsigned, std::string> owners;
  for (int s = SDL_SCANCODE_UNKNOWN; s < SDL_NUM_SCANCODES; ++s) {
    const auto scancode = static_cast<SDL_Scancode>(s);
    const unsigned code = VirtualKeyFromScancode(scancode);
    const std::string name = SDL_GetScancodeName(scancode);
    unsigned n = 0;
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) n = name[0];
    if (std::sscanf(name.c_str(), "F%u", &n) == 1) n = n <= 12 ? VK_F1 + n - 1 : 0;
    if (name.size() == 8 && std::sscanf(name.c_str(), "Keypad %u", &n) == 1) n += VK_NUMPAD0;
    EXPECT_EQ(code, n != 0 ? n : code) << name;
    if (code != 0 && n == 0) coded.insert(name);
    const bool modifier = code >= VK_LSHIFT && code <= VK_RMENU;
    EXPECT_EQ(modifier ? ModifierScancodeFromVirtualKey(code) : scancode, scancode) << name;
    const bool shared = code == 0 || scancode == SDL_SCANCODE_KP_ENTER;
    EXPECT_TRUE(shared || owners.emplace(code, name).second) << name;
  }
  EXPECT_EQ(coded, named);
  EXPECT_EQ(ModifierScancodeFromVirtualKey('A'), SDL_SCANCODE_UNKNOWN);
}

// A pad is announced when plugged in, its buttons and stick directions are keys: a direction is
// pressed at half its tilt past the dead zone and let go below a quarter. Two pads holding the
// same button hold one key; pulling a pad out lets go of what it held before it is announced
// gone, and a pad pulled out before the game heard of it is never heard of. A rumble drives
// both motors as hard as asked, from a millisecond (SDL takes none as "for ever") to ten
// seconds, and a length or strength that is no number asks for none.
TEST_F(Framework, PadsAreKeysWithSteadyStickDirectionsAndRumbleAsAsked) {
  StartFramework();
  VirtualPad pad, second;
  pad.PlugIn();
  DXUTRunOneFrame();
  ASSERT_EQ(CallsOf("message").size(), 1u);
  EXPECT_EQ(CallsOf("message", kMsgGamepadChange)[0].w, 1u) << "plugged in";
  const auto stick = [&pad](float tilt) {
    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, tilt);
    DXUTRunOneFrame();
    return DXUTIsKeyDown(VK_GAMEPAD_LEFT_THUMBSTICK_LEFT);
  };
  EXPECT_EQ(std::vector({stick(-0.2f), stick(-0.6f), stick(-0.7f), stick(-0.5f), stick(-0.4f)}),
            std::vector({false, false, true, true, false}));
  EXPECT_NEAR(DXUTGetGamepadAxis(DXUTGamepadAxis::kLeftX), -0.2f, 1e-4f) << "(0.4 - 0.25) / 0.75";
  pad.SetButton(SDL_CONTROLLER_BUTTON_A, true);
  EXPECT_FALSE(stick(1.0f));
  EXPECT_TRUE(DXUTIsKeyDown(VK_GAMEPAD_A) && DXUTIsKeyDown(VK_GAMEPAD_LEFT_THUMBSTICK_RIGHT));

  second.PlugIn();
  DXUTRunOneFrame();
  second.SetButton(SDL_CONTROLLER_BUTTON_A, true);
  second.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, -0.9f);
  DXUTRunOneFrame();
  EXPECT_EQ(DXUTGetGamepadAxis(DXUTGamepadAxis::kLeftX), 1.0f) << "the pad tilted furthest";
  calls().clear();
  second.Unplug();
  DXUTRunOneFrame();
  EXPECT_TRUE(DXUTIsKeyDown(VK_GAMEPAD_A));
  pad.Unplug();
  DXUTRunOneFrame();
  EXPECT_FALSE(DXUTIsKeyDown(VK_GAMEPAD_A) || DXUTIsKeyDown(VK_GAMEPAD_LEFT_THUMBSTICK_RIGHT));
  EXPECT_EQ(DXUTGetGamepadAxis(DXUTGamepadAxis::kLeftX), 0.0f);
  EXPECT_EQ(CallNames(), (std::vector<std::string>{"key", "message", "move", "render", "key", "key",
                                                   "message", "move", "render"}));
  EXPECT_EQ(CallsOf("key")[0].w + CallsOf("message")[1].w, 0u) << "let go, then gone";

  calls().clear();
  VirtualPad gone, next;
  gone.PlugIn();
  gone.Unplug();
  next.PlugIn();
  DXUTRunOneFrame();
  ASSERT_EQ(CallsOf("message", kMsgGamepadChange).size(), 1u);
  DXUTRumbleGamepads(0.5f, std::nanf(""));
  DXUTRumbleGamepads(std::nanf(""), 1.0f);
  EXPECT_TRUE(next.rumbles().empty());
  for (float strength : {0.5f, 1.5f, -1.0f}) DXUTRumbleGamepads(strength, 1e-5f);
  ASSERT_EQ(next.rumbles().size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(next.rumbles()[i].lowFrequency, next.rumbles()[i].highFrequency);
    EXPECT_EQ(next.rumbles()[i].lowFrequency, (std::array{32767, 65535, 0}[i]));
  }
  for (const auto& [seconds, ms] :
       {std::pair{1e-5f, 1u}, {-3.0f, 1u}, {0.2f, 200u}, {0.0016f, 2u}, {1e30f, 10000u}})
    EXPECT_EQ(RumbleMilliseconds(seconds), ms) << seconds;
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
  const auto runFrames = [](int count) {
    for (int i = 0; i < count; ++i) DXUTRunOneFrame();
    const FrameTimeSummary run = DXUTGetFrameTimesWholeRun();
    return Counts{run.frames, run.timed};
  };
  keep = false;
  EXPECT_EQ(runFrames(40), (Counts{40, 39})) << "every present counts; the first is not timed";
  keep = true;
  EXPECT_EQ(runFrames(3), (Counts{40, 39}));
  EXPECT_EQ(CallsOf("render").size(), 43u) << "the game still decides every frame";
  PushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
  const Counts settled = runFrames(100);
  EXPECT_GT(settled[0], 40u);
  EXPECT_LT(settled[0], 100u) << "kept again once the window settled";
  EXPECT_EQ(settled[1], settled[0] - 2) << "a kept stretch before";
  keep = false;
  EXPECT_EQ(runFrames(2), (Counts{settled[0] + 2, settled[1] + 1}));
  DXUTSendWindowMessage(kMsgActivate, 0, 0);
  runFrames(3);
  DXUTSendWindowMessage(kMsgActivate, 1, 0);
  EXPECT_EQ(runFrames(2), (Counts{settled[0] + 4, settled[1] + 2})) << "unfocused is no frame";
}

// Focus loss pauses only in full screen; Alt+Enter switches to it, and its Enter never
// reaches the game. Lost render targets are restored, a device made anew is destroyed first,
// and either way the game draws into the back buffer again. Closing the window ends the loop.
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
  std::vector<std::uintptr_t> focus;
  for (const Call& call : CallsOf("message", kMsgActivate)) focus.push_back(call.w);
  EXPECT_EQ(focus, (std::vector<std::uintptr_t>{0, 1}));
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
  EXPECT_EQ(CallsOf("reset")[0].w, 1u) << "restored into the back buffer";
  EXPECT_FALSE(DXUTIsTimePaused()) << "the pause around the switch is undone";

  PushKey(SDL_SCANCODE_RETURN, true);  // a plain Enter afterwards is the game's again
  DXUTRunOneFrame();
  EXPECT_EQ(CallsOf("key", VK_RETURN).size(), 1u);
  DXUTSendWindowMessage(kMsgActivate, 0, 0);
  DXUTSendWindowMessage(kMsgActivate, 0, 0);  // a second loss must not pause twice
  EXPECT_TRUE(DXUTIsTimePaused() && DXUTIsRenderingPaused());
  DXUTSendWindowMessage(kMsgActivate, 1, 0);
  EXPECT_FALSE(DXUTIsTimePaused() || DXUTIsRenderingPaused());

  calls().clear();
  SDL_SetRenderTarget(DXUTGetD3DDevice()->renderer, nullptr);
  DXUTHandleRenderTargetsReset();
  DXUTHandleRenderDeviceReset();
  EXPECT_EQ(CallNames(), (std::vector<std::string>{"lost", "reset", "lost", "destroyed", "reset"}));
  EXPECT_EQ(CallsOf("reset")[0].w + CallsOf("reset")[1].w, 2u);

  calls().clear();
  PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  EXPECT_EQ(DXUTMainLoop(), S_OK);
  EXPECT_EQ(CallsOf("message").size(), 2u) << "close, then destroy";
  EXPECT_EQ(DXUTGetExitCode(), 0);
}

// SDL's dummy video driver offers OpenGL renderers that cannot open. Asked for one, the
// player is told which failed and why; a game that accepts no renderer, or whose drawing
// objects cannot be made or restored, ends with an exit code of its own and no device left
// half made. Left to choose, the settings callback (and the one-time notices it gives) belongs
// to the software renderer that does open. The window can be made no smaller than 200 x 200,
// it shows the picture whole and centred with black bars beside it, and a screenshot holds the
// back buffer without them.
TEST_F(Framework, OnlyTheRendererThatOpensIsUsedAndAFailedOneIsNamedWithSdlsReason) {
  unsetenv("SDL_RENDER_DRIVER");  // the variable would override the hint
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
  ASSERT_EQ(DXUTInit(false, false, true, true), S_OK);
  testing::internal::CaptureStderr();
  EXPECT_EQ(DXUTCreateDevice(0, true, 800, 600), DXUTERR_CREATINGDEVICE);
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_NE(told.find("Failed creating the SDL OpenGL renderer.\n\nSDL: "), std::string::npos);
  std::set<int> exitCodes{0, 1, DXUTGetExitCode()};
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, nullptr);
  DXUTPostQuitMessage(0);
  EXPECT_TRUE(FAILED(DXUTMainLoop())) << "no other renderer behind the player's back";

  static int failing = 0;
  const LPDXUTCALLBACKISDEVICEACCEPTABLE refuseAll = [](const DXUTDeviceCaps*, bool, void*) {
    return false;
  };
  for (failing = 0; failing < 3; ++failing) {
    DXUTShutdown();  // forgets the callbacks too
    calls().clear();
    DXUTSetCallbackDeviceCreated([](DXUTDevice*, const DXUTSurfaceDesc*, void*) -> HRESULT {
      return failing == 1 ? E_FAIL : S_OK;
    });
    DXUTSetCallbackDeviceReset([](DXUTDevice*, const DXUTSurfaceDesc*, void*) -> HRESULT {
      return failing == 2 ? E_FAIL : S_OK;
    });
    DXUTSetCallbackDeviceDestroyed([](void*) { Record({"destroyed"}); });
    ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
    EXPECT_TRUE(FAILED(DXUTCreateDevice(0, true, 800, 600, failing == 0 ? refuseAll : nullptr)));
    EXPECT_EQ(DXUTGetD3DDevice(), nullptr);
    EXPECT_TRUE(exitCodes.insert(DXUTGetExitCode()).second) << failing;
    EXPECT_EQ(CallNames(), std::vector<std::string>(failing / 2, "destroyed"));
  }

  DXUTShutdown();
  static std::vector<DXUTDeviceType> adjusted;
  ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
  ASSERT_EQ(DXUTCreateDevice(0, true, 800, 600, nullptr,
                             [](DXUTDeviceSettings* settings, const DXUTDeviceCaps*, void*) {
                               return adjusted.push_back(settings->deviceType), true;
                             }),
            S_OK);
  EXPECT_EQ(adjusted, std::vector<DXUTDeviceType>{DXUTDeviceType::kReference});
  auto* window = static_cast<SDL_Window*>(DXUTGetHWND());
  int width = 0, height = 0;
  SDL_GetWindowMinimumSize(window, &width, &height);
  EXPECT_EQ(std::pair(width, height), std::pair(200, 200));

  DXUTSetCallbackFrameRender([](DXUTDevice* device, double, float, void*) {
    SDL_SetRenderDrawColor(device->renderer, 200, 40, 10, 255);
    SDL_RenderClear(device->renderer);
  });
  using Colour = std::array<Uint8, 3>;
  const auto shown = [window](int x, int y) {
    const SDL_Surface* surface = SDL_GetWindowSurface(window);
    Uint32 pixel = 0;
    SDL_memcpy(&pixel, static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * 4, 4);
    Colour rgb{};
    SDL_GetRGB(pixel, surface->format, &rgb[0], &rgb[1], &rgb[2]);
    return rgb;
  };
  const Colour red{200, 40, 10}, black{0, 0, 0};
  for (const auto& [w, h] : {std::pair{1000, 600}, {800, 900}}) {
    SCOPED_TRACE(testing::Message() << w << " x " << h);
    SDL_SetWindowSize(window, w, h);
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 255, 255, 255));
    DXUTRunOneFrame();
    const ScreenRect area = LetterboxRect(w, h);
    for (int x : {area.x, area.x + area.w - 1})
      for (int y : {area.y, area.y + area.h - 1}) EXPECT_EQ(shown(x, y), red) << x << ", " << y;
    const bool sideBars = area.x > 0;
    EXPECT_EQ(shown(sideBars ? area.x - 1 : w / 2, sideBars ? h / 2 : area.y - 1), black);
    EXPECT_EQ(shown(sideBars ? area.x + area.w : w / 2, sideBars ? h / 2 : area.y + area.h), black);
    EXPECT_EQ(shown(0, 0), black);
    EXPECT_EQ(shown(w - 1, h - 1), black);
  }

  ScopedTempDir folder;
  ASSERT_EQ(DXUTSaveBackBufferPNG("shot.png"), S_OK);
  const Picture shot("shot.png");
  EXPECT_EQ(std::pair(shot.width(), shot.height()), std::pair(800, 600));
  for (int channel : {0, 1, 2}) EXPECT_EQ(shot.channel(799, 599, channel), red[channel]);
  EXPECT_EQ(DXUTSaveBackBufferPNG("no/such/folder/shot.png"), E_FAIL);
}

// Frame times no two alike (one beyond what the histogram reaches), 64 a second, the ring of
// recent frames gone round: the median and the 95th percentile sit where the sorted times put
// them (the whole run to its 0.1 ms step), the worst is exact, and the last second reaches back
// from the newest frame. Frames shown after an untimed stretch are counted, not timed.
TEST(FrameTimes, StatisticsAreThoseOfTheSortedTimesOfTheWholeRunAndOfTheLastSecond) {
  cFrameTimes times;
  EXPECT_EQ(times.LastSecond().frames, 0u);
  EXPECT_EQ(times.WholeRun().median, 0.0) << "nothing timed";
  std::vector<double> all, cpu, recent;
  times.AddUntimed(99.0);
  for (int i = 0; i < 600; ++i) {
    const double ms = 3.0 + (i * 37 % 600) * 0.23 + (i == 150 ? 2000.0 : 0.0);
    const double at = 100.0 + i / 64.0;
    if (i == 590) times.AddUntimed(at - 0.001);
    times.Add(at, ms, ms / 3.0);
    all.push_back(ms);
    cpu.push_back(ms / 3.0);
    if (i > 599 - 64) recent.push_back(ms);
  }
  const auto expectSortedStatistics = [](const FrameTimeSummary& summary,
                                         std::vector<double> sorted, double step) {
    std::sort(sorted.begin(), sorted.end());
    const auto shareAtOrBelow = [&sorted](double value) {
      return double(std::upper_bound(sorted.begin(), sorted.end(), value) - sorted.begin()) /
             double(sorted.size());
    };
    EXPECT_EQ(summary.timed, sorted.size());
    EXPECT_DOUBLE_EQ(summary.worst, sorted.back());
    EXPECT_GE(shareAtOrBelow(summary.median + step), 0.5);
    EXPECT_LE(shareAtOrBelow(summary.median - step), 0.5);
    EXPECT_GE(shareAtOrBelow(summary.percentile95 + step), 0.95);
    EXPECT_LE(shareAtOrBelow(summary.percentile95 - step), 0.95);
  };
  expectSortedStatistics(times.WholeRun(), all, 0.051);
  expectSortedStatistics(times.WholeRunCpu(), cpu, 0.051);
  expectSortedStatistics(times.LastSecond(), recent, 1e-9);
  EXPECT_EQ(times.WholeRun().frames, 602u);
  EXPECT_EQ(times.LastSecond().frames, 65u);
}

// The back buffer is scaled whole and centred, bars on the spare sides. It is drawn with the
// output's own pixels (or at 800x600 to be scaled up), never with fewer than 800x600; the window
// Alt+Enter gives is the largest whole multiple of 800x600 within 85 % of the usable desktop.
TEST(Letterbox, TheBackBufferFillsTheOutputCentredAndTheWindowFitsTheDesktop) {
  const auto size = [](ScreenRect rect) { return std::pair(rect.w, rect.h); };
  for (int width = 201; width < 4000; width += 173) {
    for (int height = 150; height < 2400; height += 97) {
      SCOPED_TRACE(testing::Message() << width << " x " << height);
      const ScreenRect rect = LetterboxRect(width, height);
      EXPECT_TRUE(rect.w == width || rect.h == height) << "touches two sides";
      EXPECT_TRUE(rect.w <= width && rect.h <= height);
      EXPECT_LT(std::abs(rect.w * 3 - rect.h * 4), 4) << "4:3";
      EXPECT_EQ(std::pair(rect.x, rect.y), std::pair((width - rect.w) / 2, (height - rect.h) / 2));
      const bool large = rect.w >= 800 && rect.h >= 600;
      EXPECT_EQ(size(BackBufferSize(width, height, false)),
                large ? size(rect) : std::pair(800, 600));
      EXPECT_EQ(size(BackBufferSize(width, height, true)), std::pair(800, 600));
      const ScreenRect window = WindowedSize(width, height);
      const int multiple = window.w / 800;
      EXPECT_EQ(size(window), std::pair(multiple * 800, multiple * 600));
      EXPECT_TRUE(multiple == 1 || (window.w <= width * 0.85 && window.h <= height * 0.85));
      EXPECT_TRUE((multiple + 1) * 800 > width * 0.85 || (multiple + 1) * 600 > height * 0.85);
    }
  }
  for (const ScreenRect none : {LetterboxRect(0, 600), LetterboxRect(800, -1)})
    EXPECT_EQ((std::array{none.x, none.y, none.w, none.h}), (std::array{0, 0, 0, 0}));
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

// The framework under the game: the frame loop and its clock, keys, pads and window messages
// from SDL's events, the device and its back buffer, full screen, screenshots and frame times.

#include <SDL.h>
#include <pwd.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/dxut.h"
#include "platform/dxut_state.h"
#include "platform/frame_times.h"
#include "platform/game_folders.h"
#include "platform/gl_rasteriser.h"
#include "platform/key_map.h"
#include "platform/letterbox.h"
#include "platform/rumble.h"
#include "platform/sdl_device.h"
#include "support/picture.h"
#include "support/temp_dir.h"
#include "support/virtual_pad.h"

namespace {

using Strings = std::vector<std::string>;

std::string Key(unsigned code, bool down) { return "key " + std::to_string(code) + "-+"[down]; }
std::string Message(unsigned message, std::uintptr_t w, std::intptr_t l = 0) {
  return "message " + std::to_string(message) + " " + std::to_string(w) + " " + std::to_string(l);
}

// The framework headless: SDL's dummy video driver, the software renderer, the manual clock,
// and callbacks that write down what they saw ("reset 1": drawing into the back buffer).
class Framework : public ::testing::Test {
 public:
  static Strings& calls() {
    static Strings recorded;
    return recorded;
  }
  static void Record(const std::string& call) { calls().push_back(call); }
  static Strings Matching(const std::string& prefix) {
    Strings matching;
    std::ranges::copy_if(calls(), std::back_inserter(matching),
                         [&prefix](const std::string& call) { return call.starts_with(prefix); });
    return matching;
  }

 protected:
  void SetUp() override {
    sdlBefore = SDL_WasInit(SDL_INIT_EVERYTHING);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    calls().clear();
    DXUTSetManualClock(true);
    DXUTSetCallbackDeviceReset([](DXUTDevice* device, const DXUTSurfaceDesc*, void*) -> HRESULT {
      const bool intoBackBuffer = SDL_GetRenderTarget(device->renderer) == device->backBuffer;
      return Record("reset " + std::to_string(intoBackBuffer)), S_OK;
    });
    DXUTSetCallbackDeviceLost([](void*) { Record("lost"); });
    DXUTSetCallbackDeviceDestroyed([](void*) { Record("destroyed"); });
    DXUTSetCallbackFrameMove([](DXUTDevice*, double, float, void*) { Record("move"); });
    DXUTSetCallbackFrameRender([](DXUTDevice*, double, float, void*) { Record("render"); });
    DXUTSetCallbackKeyboard([](unsigned key, bool down, bool, void*) { Record(Key(key, down)); });
    DXUTSetCallbackMsgProc([](void*, unsigned message, std::uintptr_t w, std::intptr_t l, bool*,
                              void*) -> long { return Record(Message(message, w, l)), 0; });
  }
  void TearDown() override {
    DXUTShutdown();
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, nullptr);
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, nullptr);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), sdlBefore) << "SDL is left as the game found it";
  }

  void StartFramework() {
    ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
    ASSERT_EQ(DXUTCreateWindow(L"Drakmoor"), S_OK);
    ASSERT_EQ(DXUTCreateDevice(0, true, 800, 600), S_OK);
    calls().clear();
  }

  static void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1); }
  static void PushKey(SDL_Scancode scancode, bool down, Uint16 modifiers = 0, bool repeat = false) {
    const Uint32 type = down ? SDL_KEYDOWN : SDL_KEYUP;
    SDL_Event event{};
    event.key = {type, 0, 0, down, repeat, 0, 0, {scancode, 0, modifiers, 0}};
    Push(event);
  }
  static void PushText(const char* text) {
    SDL_Event event{.type = SDL_TEXTINPUT};
    SDL_strlcpy(event.text.text, text, sizeof event.text.text);
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

// Each frame moves, then renders; paused time never happened. The quit message ends the loop
// with its code, and the loop cannot be entered from its own frame. A device asked for again
// replaces the old one.
TEST_F(Framework, FramesMoveThenRenderPausedTimeNeverHappenedAndQuitEndsTheLoopWithItsCode) {
  StartFramework();
  std::vector<std::array<double, 2>> clock;
  for (const auto& [advance, paused] : {std::pair{1.0, false}, {5.0, true}, {0.5, false}}) {
    if (paused) DXUTPause(true, true);
    DXUTAdvanceManualClock(advance);
    DXUTRunOneFrame();
    clock.push_back({DXUTGetTime(), DXUTGetElapsedTime()});
    if (paused) DXUTPause(false, false);
  }
  EXPECT_EQ(calls(), (Strings{"move", "render", "move", "move", "render"}));
  EXPECT_EQ(clock, (std::vector<std::array<double, 2>>{{1.0, 1.0}, {1.0, 0.0}, {1.5, 0.5}}))
      << "the paused five seconds never happened";
  calls().clear();
  DXUTSetCallbackFrameMove([](DXUTDevice*, double, float, void*) {
    Record("move");
    if (calls().size() == 5) {  // the third frame: move, render, move, render, move
      EXPECT_TRUE(FAILED(DXUTMainLoop())) << "entered from its own frame";
      DXUTPostQuitMessage(5);
    }
  });
  EXPECT_EQ(DXUTMainLoop(), S_OK);
  EXPECT_EQ(Matching("move").size(), 3u) << "no frame after the quit message";
  EXPECT_EQ(DXUTGetExitCode(), 5);
  // Asked for again, the device is made anew in place of the one the loop ran on.
  calls().clear();
  EXPECT_EQ(DXUTCreateDevice(0, true, 800, 600), S_OK);
  EXPECT_EQ(calls(), (Strings{"lost", "destroyed", "reset 1"}));
}

// Keys arrive before the frame with their Windows codes, repeats as presses; text one character
// a message, marked when typed by a repeat; a key held as a screen opens types nothing there.
TEST_F(Framework, KeysReachTheGameWithWindowsCodesAndTextOneCharacterAtATime) {
  StartFramework();
  PushKey(SDL_SCANCODE_A, true);
  DXUTRunOneFrame();
  EXPECT_EQ(calls(), (Strings{Key('A', true), "move", "render"}));
  calls().clear();
  PushKey(SDL_SCANCODE_A, false);
  PushKey(SDL_SCANCODE_F13, true);  // no code: not passed on
  PushKey(SDL_SCANCODE_RETURN, true);
  PushKey(SDL_SCANCODE_KP_ENTER, true);
  PushKey(SDL_SCANCODE_UP, true);
  PushKey(SDL_SCANCODE_UP, true, KMOD_NONE, true);
  PushKey(SDL_SCANCODE_UP, false);
  PushText("c\xC3\xA9Z");  // c, e acute, Z
  PushKey(SDL_SCANCODE_C, true);
  DXUTRunOneFrame();
  EXPECT_EQ(Matching("key"),
            (Strings{Key('A', false), Key(VK_RETURN, true), Key(VK_RETURN, true), Key(VK_UP, true),
                     Key(VK_UP, true), Key(VK_UP, false), Key('C', true)}));
  EXPECT_EQ(Matching("message"),
            (Strings{Message(kMsgChar, 'c', kCharRepeated), Message(kMsgChar, 0xE9, kCharRepeated),
                     Message(kMsgChar, 'Z', kCharRepeated)}));
  DXUTIgnoreTextOfHeldKeys();
  calls().clear();
  PushText("c");
  PushKey(SDL_SCANCODE_C, false);
  PushKey(SDL_SCANCODE_C, true);
  PushText("c");
  DXUTRunOneFrame();
  EXPECT_EQ(Matching("message"), Strings{Message(kMsgChar, 'c')}) << "typed afresh";
  // Letters and digits by their character, F and keypad keys by their number, and exactly
  // these besides; only the two Enter keys share; Alt, Control and Shift map back.
  const std::set<std::string> named{
      "Return",      "Escape",     "Backspace", "Tab",        "Space",       "CapsLock",
      "PrintScreen", "Pause",      "Insert",    "Home",       "PageUp",      "Delete",
      "End",         "PageDown",   "Right",     "Left",       "Down",        "Up",
      "Keypad /",    "Keypad *",   "Keypad -",  "Keypad +",   "Keypad .",    "Keypad Enter",
      "Left Ctrl",   "Left Shift", "Left Alt",  "Right Ctrl", "Right Shift", "Right Alt"};
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

// Pads are announced; their buttons and stick directions are keys, a direction pressed at half
// its tilt past the dead zone and let go below a quarter. Two pads holding a button hold one
// key; a pad pulled out lets go before it is gone. A rumble drives both motors as hard as
// asked, for 1 ms (SDL's 0 is "for ever") to 10 s, and not at all for what is no number.
TEST_F(Framework, PadsAreKeysWithSteadyStickDirectionsAndRumbleAsAsked) {
  StartFramework();
  VirtualPad pad, second;
  pad.PlugIn();
  DXUTRunOneFrame();
  EXPECT_EQ(Matching("message"), Strings{Message(kMsgGamepadChange, 1)});
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
  DXUTRumbleGamepads(0.5f, std::nanf(""));  // not a number: no rumble
  DXUTRumbleGamepads(std::nanf(""), 1.0f);
  for (float strength : {0.5f, 1.5f, -1.0f}) DXUTRumbleGamepads(strength, 1e-5f);
  std::vector<std::pair<int, int>> motors;
  for (const auto& r : second.rumbles()) motors.emplace_back(r.lowFrequency, r.highFrequency);
  EXPECT_EQ(motors, (std::vector<std::pair<int, int>>{{32767, 32767}, {65535, 65535}, {0, 0}}));
  for (const auto& [seconds, ms] :
       {std::pair{1e-5f, 1u}, {-3.0f, 1u}, {0.2f, 200u}, {0.0016f, 2u}, {1e30f, 10000u}})
    EXPECT_EQ(RumbleMilliseconds(seconds), ms) << seconds;
}

// A kept picture is neither presented nor counted, unless the window changed: then it is shown
// while the window settles. A frame after a kept or unfocused stretch is counted, not timed.
TEST_F(Framework, AKeptPictureIsShownAgainOnlyAfterAnExposeAndOnlySeenFramesAreTimed) {
  static bool keep = false;
  DXUTSetCallbackFrameRender([](DXUTDevice*, double, float, void*) {
    Record("render");
    if (keep) DXUTKeepPicture();
  });
  StartFramework();
  using Counts = std::array<std::uint64_t, 2>;
  const auto runFrames = [](int count) {
    for (int i = 0; i < count; ++i) DXUTRunOneFrame();
    const FrameTimeSummary run = DXUTGetFrameTimesWholeRun();
    return Counts{run.frames, run.timed};
  };
  EXPECT_EQ(runFrames(40), (Counts{40, 39})) << "every present counts; the first is not timed";
  keep = true;
  EXPECT_EQ(runFrames(3), (Counts{40, 39}));
  EXPECT_EQ(Matching("render").size(), 43u) << "the game still decides every frame";
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

// Focus loss pauses only in full screen, which Alt+Enter switches to without its Enter reaching
// the game. Lost targets and devices are restored into the back buffer. Closing ends the loop.
TEST_F(Framework, FocusLossPausesOnlyInFullScreenWhichAltEnterTogglesAndClosingEndsTheLoop) {
  StartFramework();
  DXUTSetCursorSettings(true, true);  // as the game asks: the mouse held only in full screen
  auto* window = static_cast<SDL_Window*>(DXUTGetHWND());
  const auto mouseHeld = [window] { return SDL_GetWindowFlags(window) & SDL_WINDOW_MOUSE_GRABBED; };
  EXPECT_FALSE(mouseHeld()) << "windowed";
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  DXUTRunOneFrame();
  EXPECT_EQ(Matching("message"), (Strings{Message(kMsgActivate, 0), Message(kMsgActivate, 1)}));
  DXUTSendWindowMessage(kMsgActivate, 0, 0);
  EXPECT_FALSE(DXUTIsTimePaused()) << "in a window time runs on";
  DXUTSendWindowMessage(kMsgActivate, 1, 0);
  calls().clear();
  PushKey(SDL_SCANCODE_LALT, true, KMOD_LALT);
  PushKey(SDL_SCANCODE_RETURN, true, KMOD_LALT);
  PushKey(SDL_SCANCODE_RETURN, true, KMOD_LALT, true);  // held: no second toggle
  PushKey(SDL_SCANCODE_LALT, false);
  PushKey(SDL_SCANCODE_RETURN, false);  // released after Alt: still the framework's
  DXUTRunOneFrame();
  EXPECT_FALSE(DXUTIsWindowed());
  EXPECT_TRUE(mouseHeld()) << "in full screen";
  EXPECT_FALSE(DXUTIsKeyDown(VK_RETURN));
  EXPECT_EQ(calls(), (Strings{Key(VK_LMENU, true), "lost", "reset 1", Key(VK_LMENU, false), "move",
                              "render"}));
  EXPECT_FALSE(DXUTIsTimePaused()) << "the pause around the switch is undone";
  calls().clear();
  PushKey(SDL_SCANCODE_RETURN, true);  // a plain Enter afterwards is the game's again
  DXUTRunOneFrame();
  EXPECT_EQ(Matching("key"), Strings{Key(VK_RETURN, true)});
  DXUTSendWindowMessage(kMsgActivate, 0, 0);
  DXUTSendWindowMessage(kMsgActivate, 0, 0);  // a second loss must not pause twice
  EXPECT_TRUE(DXUTIsTimePaused() && DXUTIsRenderingPaused());
  DXUTSendWindowMessage(kMsgActivate, 1, 0);
  EXPECT_FALSE(DXUTIsTimePaused() || DXUTIsRenderingPaused());
  calls().clear();
  SDL_SetRenderTarget(DXUTGetD3DDevice()->renderer, nullptr);
  DXUTHandleRenderTargetsReset();
  DXUTHandleRenderDeviceReset();
  EXPECT_EQ(calls(), (Strings{"lost", "reset 1", "lost", "destroyed", "reset 1"}));
  calls().clear();
  PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  EXPECT_EQ(DXUTMainLoop(), S_OK);
  EXPECT_EQ(calls(), (Strings{Message(kMsgClose, 0), Message(kMsgDestroy, 0)}));
  EXPECT_EQ(DXUTGetExitCode(), 0);
}

// The dummy driver's OpenGL cannot open: the player is told which renderer failed and why. No
// acceptable renderer, or drawing objects not made or restored, end with exit codes of their own
// and no device. The picture shows whole and centred between black bars; a screenshot without.
TEST_F(Framework, OnlyTheRendererThatOpensIsUsedAndAFailedOneIsNamedWithSdlsReason) {
  unsetenv("SDL_RENDER_DRIVER");  // the variable would override the hint
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
  ASSERT_EQ(DXUTInit(false, false, true, true), S_OK);
  testing::internal::CaptureStderr();
  EXPECT_EQ(DXUTCreateDevice(0, true, 800, 600), DXUTERR_CREATINGDEVICE);
  EXPECT_NE(testing::internal::GetCapturedStderr().find(
                "Failed creating the SDL OpenGL renderer.\n\nSDL: "),
            std::string::npos);
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
    DXUTSetCallbackDeviceDestroyed([](void*) { Record("destroyed"); });
    ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
    EXPECT_TRUE(FAILED(DXUTCreateDevice(0, true, 800, 600, failing == 0 ? refuseAll : nullptr)));
    EXPECT_EQ(DXUTGetD3DDevice(), nullptr);
    EXPECT_TRUE(exitCodes.insert(DXUTGetExitCode()).second) << failing;
    EXPECT_EQ(calls(), Strings(failing / 2, "destroyed"));
  }
  DXUTShutdown();
  static std::vector<DXUTDeviceType> adjusted;
  adjusted.clear();
  ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
  ASSERT_EQ(DXUTCreateDevice(0, true, 800, 600, nullptr,
                             [](DXUTDeviceSettings* settings, const DXUTDeviceCaps*, void*) {
                               return adjusted.push_back(settings->deviceType), true;
                             }),
            S_OK);
  EXPECT_EQ(adjusted, std::vector<DXUTDeviceType>{DXUTDeviceType::kReference});
  for (const auto& [gl, software] : {std::pair{"llvmpipe (LLVM 15.0.6, 256 bits)", true},
                                     {"SOFTPIPE", true},
                                     {"Mesa Intel(R) UHD Graphics", false}})
    EXPECT_EQ(IsSoftwareRasteriser(gl), software) << gl << ": not faster than SDL's own renderer";
  DXUTSetCallbackFrameRender([](DXUTDevice* device, double, float, void*) {
    SDL_SetRenderDrawColor(device->renderer, 200, 40, 10, 255);
    SDL_RenderClear(device->renderer);
  });
  auto* window = static_cast<SDL_Window*>(DXUTGetHWND());
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
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");  // smooth, yet drawn at 800x600
  for (const auto& [w, h] : {std::pair{802, 600}, {1300, 900}, {900, 1000}}) {
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
    EXPECT_TRUE(shown(0, 0) == black && shown(w - 1, h - 1) == black);
  }
  ScopedTempDir folder;
  ASSERT_EQ(DXUTSaveBackBufferPNG("shot.png"), S_OK);
  const Picture shot("shot.png");
  EXPECT_EQ(std::pair(shot.width(), shot.height()), std::pair(800, 600));
  for (int channel : {0, 1, 2}) EXPECT_EQ(shot.channel(799, 599, channel), red[channel]);
  EXPECT_EQ(DXUTSaveBackBufferPNG("no/such/folder/shot.png"), E_FAIL);
}

// Frame times no two alike, 64 a second: the median and the 95th percentile sit where the sorted
// times put them (the whole run's to its 0.1 ms step), the worst is exact.
TEST(FrameTimes, StatisticsAreThoseOfTheSortedTimesOfTheWholeRunAndOfTheLastSecond) {
  cFrameTimes times;
  EXPECT_EQ(times.LastSecond().frames + times.WholeRun().median, 0.0) << "nothing timed";
  std::vector<double> all, cpu, recent;
  times.AddUntimed(99.0);
  for (int i = 0; i < 600; ++i) {
    const double ms = 3.0 + (i * 37 % 600) * 0.23 + (i == 150 ? 2000.0 : 0.0);
    if (i == 590) times.AddUntimed(100.0 + i / 64.0 - 0.001);
    times.Add(100.0 + i / 64.0, ms, ms / 3.0);
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
  EXPECT_EQ(std::pair(times.WholeRun().frames, times.LastSecond().frames), std::pair(602ul, 65ul));
}

// The picture fills the output 4:3, centred, drawn with its pixels (or scaled up from 800x600),
// never fewer; Alt+Enter's window is the largest multiple of 800x600 within 85 % of the desktop.
TEST(Letterbox, TheBackBufferFillsTheOutputCentredAndTheWindowFitsTheDesktop) {
  const auto size = [](ScreenRect rect) { return std::pair(rect.w, rect.h); };
  for (int width = 201; width < 4000; width += 173) {
    for (int height = 150; height < 2400; height += 97) {
      SCOPED_TRACE(testing::Message() << width << " x " << height);
      const ScreenRect rect = LetterboxRect(width, height);
      EXPECT_TRUE((rect.w == width && rect.h <= height) || (rect.h == height && rect.w <= width));
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

// Without an absolute HOME the player's folder is found in the account's own home.
TEST(GameFolders, WithoutAnAbsoluteHomeThePlayersFolderIsInTheAccountsHome) {
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("HOME", "relative", 1);
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(PlayerFolder("/nowhere"),
            std::string(getpwuid(getuid())->pw_dir) + "/.local/share/drakmoor");
  setenv("HOME", home.c_str(), 1);
}

}  // namespace

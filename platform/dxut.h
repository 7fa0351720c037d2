#pragma once
// The application framework the game plugs into: window, rendering device,
// message pump, clock, key table and diagnostics. The game hands over its
// callbacks, creates the window and the device, and runs DXUTMainLoop until
// the quit message; everything runs on the thread that runs the loop.
//
// Implemented on SDL2; this header includes no SDL header, so app/ and world/
// can use it. The device's insides are in platform/sdl_device.h.

#include <cstdint>

#include "platform/frame_times.h"
#include "platform/status.h"
#include "platform/virtual_keys.h"

struct DXUTDevice;

// The back buffer as the device callbacks see it: always 800x600.
struct DXUTSurfaceDesc {
  int width = 800;
  int height = 600;
};

// ---------------------------------------------------------------------------
// Device selection. SDL offers an accelerated renderer (kHardware) and the
// software renderer, which stands in for the slow reference rasteriser
// (kReference). The framework offers the accelerated one first, then the
// software one; the first that the device-acceptable callback accepts and
// that opens is handed to the modify-settings callback. An OpenGL that is
// itself a software rasteriser (no graphics card) is passed over for SDL's
// software renderer, which draws the game faster.

enum class DXUTDeviceType { kHardware, kReference };

struct DXUTDeviceCaps {
  DXUTDeviceType deviceType = DXUTDeviceType::kHardware;
  // The renderer can blend textures into a render-target texture (what the
  // back buffer needs): the stand-in for post-pixel-shader blending.
  bool postPixelShaderBlending = true;
  // The renderer is hardware accelerated: the stand-in for hardware
  // transform and lighting with vertex shaders 1.1.
  bool hardwareTransformAndLighting = true;
};

struct DXUTDeviceSettings {
  DXUTDeviceType deviceType = DXUTDeviceType::kHardware;
  bool softwareVertexProcessing = false;  // recorded only: SDL decides itself
  bool windowed = true;
  int backBufferWidth = 800;  // the back buffer is 800x600 whatever is set
  int backBufferHeight = 600;
};

// ---------------------------------------------------------------------------
// Callbacks. Every one receives the user context given with it.

using LPDXUTCALLBACKDEVICECREATED = HRESULT (*)(DXUTDevice* device, const DXUTSurfaceDesc* backBuffer,
                                                void* userContext);
using LPDXUTCALLBACKDEVICERESET = HRESULT (*)(DXUTDevice* device, const DXUTSurfaceDesc* backBuffer, void* userContext);
using LPDXUTCALLBACKDEVICELOST = void (*)(void* userContext);
using LPDXUTCALLBACKDEVICEDESTROYED = void (*)(void* userContext);
using LPDXUTCALLBACKFRAMEMOVE = void (*)(DXUTDevice* device, double time, float elapsedTime, void* userContext);
using LPDXUTCALLBACKFRAMERENDER = void (*)(DXUTDevice* device, double time, float elapsedTime, void* userContext);
// key is a Windows virtual-key code; keyDown is true for presses and for
// auto-repeated presses alike.
using LPDXUTCALLBACKKEYBOARD = void (*)(unsigned key, bool keyDown, bool altDown, void* userContext);
// Receives every window message (the kMsg ids below). Setting
// *noFurtherProcessing makes the framework skip its own handling of the message.
using LPDXUTCALLBACKMSGPROC = long (*)(void* window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                       bool* noFurtherProcessing, void* userContext);
// Returns whether the framework may use a device with these capabilities.
using LPDXUTCALLBACKISDEVICEACCEPTABLE = bool (*)(const DXUTDeviceCaps* caps, bool windowed, void* userContext);
// Adjusts the chosen settings; returning false rejects them.
using LPDXUTCALLBACKMODIFYDEVICESETTINGS = bool (*)(DXUTDeviceSettings* settings, const DXUTDeviceCaps* caps,
                                                    void* userContext);

// Store a callback and its context; may be called before anything else.
void DXUTSetCallbackDeviceCreated(LPDXUTCALLBACKDEVICECREATED callback, void* userContext = nullptr);
void DXUTSetCallbackDeviceReset(LPDXUTCALLBACKDEVICERESET callback, void* userContext = nullptr);
void DXUTSetCallbackDeviceLost(LPDXUTCALLBACKDEVICELOST callback, void* userContext = nullptr);
void DXUTSetCallbackDeviceDestroyed(LPDXUTCALLBACKDEVICEDESTROYED callback, void* userContext = nullptr);
void DXUTSetCallbackFrameMove(LPDXUTCALLBACKFRAMEMOVE callback, void* userContext = nullptr);
void DXUTSetCallbackFrameRender(LPDXUTCALLBACKFRAMERENDER callback, void* userContext = nullptr);
void DXUTSetCallbackKeyboard(LPDXUTCALLBACKKEYBOARD callback, void* userContext = nullptr);
void DXUTSetCallbackMsgProc(LPDXUTCALLBACKMSGPROC callback, void* userContext = nullptr);

// ---------------------------------------------------------------------------
// Window messages of the game's own, as MsgProc receives them.

inline constexpr unsigned kMsgActivate = 0x0006;    // wParam non-zero: focus gained, zero: lost
inline constexpr unsigned kMsgSetCursor = 0x0020;   // the mouse moved over the window
inline constexpr unsigned kMsgFontChange = 0x001D;  // the installed fonts changed
inline constexpr unsigned kMsgClose = 0x0010;       // the player asked to close the window
inline constexpr unsigned kMsgDestroy = 0x0002;     // the window is going away; the quit message follows
// A character typed, as the keyboard layout and input method make it: wParam is its Unicode
// code point; lParam has kCharRepeated set when the key's auto-repeat typed it. Comes after
// the key press that typed it.
inline constexpr unsigned kMsgChar = 0x0102;
inline constexpr std::intptr_t kCharRepeated = std::intptr_t{1} << 30;
// A game controller was plugged in (wParam non-zero) or pulled out (zero); a pulled-out pad's
// held buttons have been released before this message.
inline constexpr unsigned kMsgGamepadChange = 0x0219;

// Sends message through the same path as the window's own messages: MsgProc
// first, then the framework's handling unless MsgProc asked for no further
// processing. Returns MsgProc's result (0 without one). Used by the game to
// announce a font change and by tests to play focus changes and closing.
long DXUTSendWindowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

// ---------------------------------------------------------------------------
// Start-up and the loop.

// Full screen keeps the system cursor visible when showCursorWhenFullScreen
// and confines it to the window when clipCursorWhenFullScreen.
void DXUTSetCursorSettings(bool showCursorWhenFullScreen, bool clipCursorWhenFullScreen);

// Starts SDL's video and resets the clock, so application time counts from
// here. parseCommandLine is ignored (the game has no options);
// handleDefaultHotkeys would let Escape quit; showMsgBoxOnError shows
// framework errors in message boxes; handleAltEnter makes Alt+Enter toggle
// full screen. Failure: DXUTERR_NODIRECT3D (no video) or DXUTERR_INCORRECTVERSION.
HRESULT DXUTInit(bool parseCommandLine = true, bool handleDefaultHotkeys = true, bool showMsgBoxOnError = true,
                 bool handleAltEnter = true);

inline constexpr int kDXUTDefaultPosition = -1;

// Creates the window (client area 640x480 until the device sizes it).
// Initialises the framework with defaults when DXUTInit was not called.
HRESULT DXUTCreateWindow(const wchar_t* windowTitle = L"Drakmoor", int x = kDXUTDefaultPosition,
                         int y = kDXUTDefaultPosition);

// Chooses a renderer (see Device selection), creates it with the 800x600 back
// buffer, then calls the device-created and device-reset callbacks. Windowed,
// the window's client area becomes 800x600. adapterOrdinal and the suggested
// size are accepted for the contract's sake: there is one adapter and the
// back buffer is always 800x600. On failure the error is shown as the
// exit-code table says and its status returned.
HRESULT DXUTCreateDevice(unsigned adapterOrdinal = 0, bool windowed = true, int suggestedWidth = 0,
                         int suggestedHeight = 0, LPDXUTCALLBACKISDEVICEACCEPTABLE isDeviceAcceptable = nullptr,
                         LPDXUTCALLBACKMODIFYDEVICESETTINGS modifyDeviceSettings = nullptr,
                         void* userContext = nullptr);

// Switches between a window and desktop full screen (the 800x600 picture
// scaled and letterboxed). Asks the modify-settings callback again (a veto
// changes nothing and returns E_FAIL); the device-lost and device-reset
// callbacks run around the switch; time and rendering are paused during it.
HRESULT DXUTToggleFullScreen();

// Runs until the quit message: pending messages first, one frame whenever
// none is pending (frame move, then frame render with the same time values,
// then present). Presenting waits for vertical retrace, or the loop holds
// itself to 60 frames a second where the driver gives none. Called from inside
// a device callback or the loop itself, it reports through DXUTTrace
// ("DXUTMainLoop") and returns E_FAIL.
HRESULT DXUTMainLoop();

// Ends the main loop after the pending messages; exitCode becomes
// DXUTGetExitCode's value unless a framework error already set one.
void DXUTPostQuitMessage(int exitCode);

// The process exit code: 0 on success, the posted quit code, or the code of
// the framework error that stopped the game (see DXUTERR_*).
int DXUTGetExitCode();

// Destroys the device (device-lost and device-destroyed callbacks first) and
// the window, closes SDL's video and resets the framework (callbacks, clock,
// keys, flags) to its starting state; the exit code is kept. The entry point
// calls it after the loop and the game's cleanup, before static destruction;
// tests call it to start afresh. Safe to call more than once.
void DXUTShutdown();

// ---------------------------------------------------------------------------
// State of the current frame.

DXUTDevice* DXUTGetD3DDevice();  // null without a device
void* DXUTGetHWND();             // the SDL_Window*, null without a window
bool DXUTIsWindowed();           // false without a device
bool DXUTIsActive();             // the window has the focus
double DXUTGetTime();            // seconds since DXUTInit, without stopped time; fixed within a frame
float DXUTGetElapsedTime();      // seconds since the previous frame; never negative nor NaN
float DXUTGetFPS();              // frames per second, updated once a second
// Times of the shown frames (from one shown frame to the next) and their processor time (see
// platform/frame_times.h): the last second's, and the whole run's since DXUTShutdown.
FrameTimeSummary DXUTGetFrameTimesLastSecond();
FrameTimeSummary DXUTGetFrameTimesWholeRun();
FrameTimeSummary DXUTGetFrameCpuWholeRun();

// Whether the key with this Windows virtual-key code is down. 160-165 (left
// and right Shift, Control, Alt) ask the keyboard's live state; the mouse
// button codes 1, 2, 4, 5, 6 read the mouse buttons; everything else reads
// the key table that the key messages keep.
bool DXUTIsKeyDown(std::uint8_t virtualKey);

// From now on, text typed by a key that is down now (its auto-repeat, or its press's text
// still on its way) is not passed on as kMsgChar: a screen that asks for text gets none from a
// key held over from the one before. The key types again once let go and pressed anew.
void DXUTIgnoreTextOfHeldKeys();

// Game controllers (SDL's game controller database, extended by SDL_GAMECONTROLLERCONFIG) are
// opened as they are plugged in and closed as they are pulled out. Their buttons and stick
// directions come as VK_GAMEPAD_* keys; their sticks can also be read as tilts.
enum class DXUTGamepadAxis { kLeftX, kLeftY, kRightX, kRightY };

// The tilt of a stick axis, -1..1, y growing downwards: 0 inside the dead zone around the
// centre, rising to 1 at full tilt. With several pads, the one tilted most; 0 without a pad.
float DXUTGetGamepadAxis(DXUTGamepadAxis axis);

// Shakes every pad that can rumble with strength 0..1 for `seconds`; a new call replaces a
// running one. Does nothing for pads without rumble.
void DXUTRumbleGamepads(float strength, float seconds);

// Each argument adds one to (true) or takes one from (false) its counter,
// never below zero. Time stands still while the time counter is above zero;
// only frame move runs while the rendering counter is above zero.
void DXUTPause(bool pauseTime, bool pauseRendering);
bool DXUTIsTimePaused();
bool DXUTIsRenderingPaused();

// ---------------------------------------------------------------------------
// Diagnostics and messages to the player.

// Writes "file(line): message hr=0x........" to the developer's trace (see
// DXUTOutputDebugString) and, when both popMsgBox and the show-message-box-on-error
// flag are set, shows it in a box. Returns hr.
HRESULT DXUTTrace(const char* file, unsigned line, HRESULT hr, const wchar_t* message, bool popMsgBox);

// The one-time notice that only the slow software renderer is available
// (a line on standard error; later calls say nothing).
void DXUTDisplaySwitchingToREFWarning();

// Message box flags the game uses (others show as information).
inline constexpr unsigned kMbIconError = 0x10;
inline constexpr unsigned kMbIconWarning = 0x30;

// Shows a message box with an OK button and waits for it; without a display
// the caption and text go to standard error instead.
void DXUTMessageBox(const wchar_t* text, const wchar_t* caption, unsigned flags);

// The game's debugger output, a developer's trace: printf-style wide format
// (use %ls for wide strings, %s for narrow UTF-8 ones; see FormatUtf8V), written
// to standard error as UTF-8 exactly as formatted (the game's lines bring their own "\n"), and only
// while DXUTDebugOutputEnabled; otherwise it goes nowhere.
void DXUTOutputDebugString(const wchar_t* format, ...);

// Whether the developer's trace is on: the environment variable DRAKMOOR_DEBUG
// is set to 1.
bool DXUTDebugOutputEnabled();

// Something the player should know about (no sound device, a missing file):
// one line on standard error, formatted as DXUTOutputDebugString does (the
// line break is added here). Each distinct line is written once per run (until
// DXUTShutdown), however often it is reported.
void DXUTOutputPlayerNotice(const wchar_t* format, ...);

// The platform's own words for its last failure (SDL's error text); empty when it has none.
const char* DXUTGetLastErrorText();

// Shows or hides the system cursor over the window.
void DXUTShowCursor(bool show);

// Writes the current back buffer (800x600) to a PNG file at path. Fails
// without a device or when the file cannot be written.
HRESULT DXUTSaveBackBufferPNG(const char* path);

// Framework errors and the exit codes they end the process with.
inline constexpr HRESULT DXUTERR_NODIRECT3D = static_cast<HRESULT>(0x80097001u);              // exit 2
inline constexpr HRESULT DXUTERR_NOCOMPATIBLEDEVICES = static_cast<HRESULT>(0x80097002u);     // exit 3
inline constexpr HRESULT DXUTERR_MEDIANOTFOUND = static_cast<HRESULT>(0x80097003u);           // exit 4
inline constexpr HRESULT DXUTERR_NONZEROREFCOUNT = static_cast<HRESULT>(0x80097004u);         // exit 5
inline constexpr HRESULT DXUTERR_CREATINGDEVICE = static_cast<HRESULT>(0x80097005u);          // exit 6
inline constexpr HRESULT DXUTERR_RESETTINGDEVICE = static_cast<HRESULT>(0x80097006u);         // exit 7
inline constexpr HRESULT DXUTERR_CREATINGDEVICEOBJECTS = static_cast<HRESULT>(0x80097007u);   // exit 8
inline constexpr HRESULT DXUTERR_RESETTINGDEVICEOBJECTS = static_cast<HRESULT>(0x80097008u);  // exit 9
inline constexpr HRESULT DXUTERR_INCORRECTVERSION = static_cast<HRESULT>(0x80097009u);        // exit 10

// ---------------------------------------------------------------------------
// Test seams (headless: SDL's dummy video driver and the software renderer).

// Replaces the performance counter by a clock that moves only when advanced
// (true) or goes back to the counter (false). Either way the clock restarts
// at zero.
void DXUTSetManualClock(bool manual);
void DXUTAdvanceManualClock(double seconds);

// Handles every pending message, then runs one frame (frame move, frame
// render, present) without waiting for retrace or holding the frame rate.
// E_FAIL without a device.
HRESULT DXUTRunOneFrame();

// Plays a key message through the same path as the keyboard's (key table,
// Alt+Enter, keyboard callback).
void DXUTInjectKey(unsigned virtualKey, bool keyDown, bool altDown);

// Sets a key-table entry without calling the keyboard callback (for code that
// polls DXUTIsKeyDown).
void DXUTSetKeyDown(unsigned virtualKey, bool down);

#pragma once
// The framework's one state object and the internal operations its parts
// share. Only platform/ includes this.

#include <array>
#include <bitset>
#include <set>
#include <string>

#include "platform/dxut.h"
#include "platform/frame_times.h"
#include "platform/framework_timer.h"
#include "platform/sdl_device.h"

// A callback slot: the function and the context handed over with it.
template <typename Callback>
struct DXUTCallbackSlot {
  Callback callback = nullptr;
  void* context = nullptr;
};

struct DXUTState {
  DXUTCallbackSlot<LPDXUTCALLBACKDEVICECREATED> deviceCreated;
  DXUTCallbackSlot<LPDXUTCALLBACKDEVICERESET> deviceReset;
  DXUTCallbackSlot<LPDXUTCALLBACKDEVICELOST> deviceLost;
  DXUTCallbackSlot<LPDXUTCALLBACKDEVICEDESTROYED> deviceDestroyed;
  DXUTCallbackSlot<LPDXUTCALLBACKFRAMEMOVE> frameMove;
  DXUTCallbackSlot<LPDXUTCALLBACKFRAMERENDER> frameRender;
  DXUTCallbackSlot<LPDXUTCALLBACKKEYBOARD> keyboard;
  DXUTCallbackSlot<LPDXUTCALLBACKMSGPROC> msgProc;
  LPDXUTCALLBACKISDEVICEACCEPTABLE isDeviceAcceptable = nullptr;
  LPDXUTCALLBACKMODIFYDEVICESETTINGS modifyDeviceSettings = nullptr;
  void* deviceSelectionContext = nullptr;

  // The device; its SDL objects exist exactly while device.renderer does.
  DXUTDevice device;
  int rendererDriverIndex = -1;  // the SDL render driver the device was made with
  // The graphics system the device runs on (or was last tried on), as messages name it.
  std::string graphicsSystem = "SDL video";
  DXUTDeviceSettings settings;
  DXUTDeviceCaps caps;
  bool deviceRequested = false;
  bool deviceObjectsCreated = false;  // the device-created callback succeeded
  bool deviceObjectsReset = false;    // the device-reset callback succeeded
  bool presentWaitsForRetrace = false;
  std::uint64_t nextFrameDeadline = 0;  // for the 60-a-second hold without retrace
  // When the previous frame was shown (0: the next is timed afresh), and the process's
  // processor time then (milliseconds).
  std::uint64_t lastPresentCounter = 0;
  double lastPresentCpu = 0.0;
  bool pictureKept = false;  // the frame-render callback of this frame kept the picture
  int framesToPresent = 0;   // the window changed: frames that present even a kept picture
  cFrameTimes frameTimes;

  std::wstring windowTitle;
  bool initialised = false;
  bool sdlVideoStarted = false;
  bool active = true;
  bool insideMainLoop = false;
  int insideDeviceCallback = 0;
  bool showMsgBoxOnError = true;
  bool handleDefaultHotkeys = true;
  bool handleAltEnter = true;
  bool showCursorWhenFullScreen = true;
  bool clipCursorWhenFullScreen = true;
  bool pausedForInactivity = false;
  bool referenceWarningShown = false;
  std::set<std::string> playerNoticesWritten;  // each is written once

  int pauseTimeCount = 0;
  int pauseRenderingCount = 0;

  bool quitPosted = false;
  bool exitCodeFromError = false;
  int exitCode = 0;

  cFrameworkTimer timer;
  double time = 0.0;
  double absoluteTime = 0.0;
  float elapsedTime = 0.0f;
  float fps = 0.0f;
  int frameNumber = 0;
  int framesSinceStatistics = 0;
  double lastStatisticsTime = 0.0;

  std::array<bool, 256> keys{};
  // The keyboard's keys by scancode: held now, and held since DXUTIgnoreTextOfHeldKeys (their
  // text is dropped until they are let go). The last key pressed types the text that follows.
  std::bitset<SDL_NUM_SCANCODES> scancodesHeld;
  std::bitset<SDL_NUM_SCANCODES> scancodesWithoutText;
  SDL_Scancode typingScancode = SDL_SCANCODE_UNKNOWN;
  bool typingRepeats = false;
  std::array<bool, 5> mouseButtons{};
  bool enterSwallowedByAltEnter = false;  // its release must not reach the game either
};

DXUTState& GetDXUTState();

// Records the error's exit code, shows its message when the flag allows, and
// returns hr (the exit-code table).
HRESULT DXUTDisplayErrorMessage(HRESULT hr);
// The exit code that ends the process after the error hr.
int DXUTExitCodeForError(HRESULT hr);
// The player's message for the framework error hr (empty for other statuses): what failed,
// on which graphics system, and SDL's reason when it gave one.
std::string DXUTErrorMessage(HRESULT hr);
// DXUTMessageBox for UTF-8 text.
void DXUTShowMessageBoxUtf8(const std::string& text, const std::string& caption, unsigned flags);

// Device life cycle (dxut_device.cpp).
HRESULT DXUTCallDeviceCreated();
HRESULT DXUTCallDeviceReset();
void DXUTCallDeviceLost();
void DXUTCallDeviceDestroyed();
void DXUTReleaseDevice();             // lost and destroyed callbacks, then the SDL objects go
void DXUTHandleRenderTargetsReset();  // the back buffer's content is gone
void DXUTHandleRenderDeviceReset();   // every texture is gone: the device is made anew
void DXUTFitBackBufferToOutput();     // a new output size makes the device anew at that size
void DXUTUpdateCursorClip();

// Messages (dxut_messages.cpp): handles one pending SDL event; false when none.
bool DXUTHandleNextEvent();
void DXUTHandleKeyMessage(unsigned virtualKey, bool keyDown, bool altDown);
void DXUTRepaint();  // renders the stored frame again while rendering is paused
// The window was exposed, resized, shown or restored: its picture may be gone, so the next
// frames present theirs even when the game keeps it (dxut_loop.cpp).
void DXUTWindowChanged();

// Game controllers (dxut_gamepads.cpp). Without SDL's controller layer the game runs on the
// keyboard alone.
void DXUTStartGamepads();
void DXUTStopGamepads();  // closes every pad: nothing more is told to the game
void DXUTHandleGamepadEvent(const SDL_Event& event);

// Writes a DXUTTrace line for a failed SDL call and SDL's reason after it;
// returns E_FAIL.
HRESULT DXUTTraceSdlFailure(const char* file, unsigned line, const wchar_t* call);

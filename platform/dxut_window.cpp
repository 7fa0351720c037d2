// Start-up and shut-down of the framework: SDL's video, the window, the cursor.

#include <SDL.h>

#include "platform/dxut_state.h"
#include "platform/utf8.h"

namespace {

constexpr int kInitialClientWidth = 640;
constexpr int kInitialClientHeight = 480;
constexpr int kMinimumClientSize = 200;  // the window can be made no smaller than 200 x 200

bool LinkedSdlIsCompatible() {
  SDL_version linked;
  SDL_GetVersion(&linked);
  return linked.major == SDL_MAJOR_VERSION &&
         SDL_VERSIONNUM(linked.major, linked.minor, linked.patch) >= SDL_COMPILEDVERSION;
}

int WindowPosition(int position) { return position == kDXUTDefaultPosition ? SDL_WINDOWPOS_UNDEFINED : position; }

}  // namespace

HRESULT DXUTInit(bool /*parseCommandLine: the game has no options*/, bool handleDefaultHotkeys, bool showMsgBoxOnError,
                 bool handleAltEnter) {
  DXUTState& state = GetDXUTState();
  state.exitCode = 0;
  state.exitCodeFromError = false;
  state.handleDefaultHotkeys = handleDefaultHotkeys;
  state.showMsgBoxOnError = showMsgBoxOnError;
  state.handleAltEnter = handleAltEnter;
  if (!LinkedSdlIsCompatible()) return DXUTDisplayErrorMessage(DXUTERR_INCORRECTVERSION);
  if (!SDL_WasInit(SDL_INIT_VIDEO)) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      DXUTTraceSdlFailure(__FILE__, __LINE__, L"SDL_InitSubSystem(SDL_INIT_VIDEO)");
      return DXUTDisplayErrorMessage(DXUTERR_NODIRECT3D);
    }
    state.sdlVideoStarted = true;
  }
  DXUTStartGamepads();
  state.timer.Reset();
  state.initialised = true;
  return S_OK;
}

HRESULT DXUTCreateWindow(const wchar_t* windowTitle, int x, int y) {
  DXUTState& state = GetDXUTState();
  if (!state.initialised) {
    const HRESULT hr = DXUTInit();
    if (FAILED(hr)) return hr;
  }
  if (state.device.window) return S_OK;
  state.windowTitle = windowTitle ? windowTitle : L"";
  state.device.window = SDL_CreateWindow(WideToUtf8(state.windowTitle).c_str(), WindowPosition(x), WindowPosition(y),
                                         kInitialClientWidth, kInitialClientHeight,
                                         SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
  if (!state.device.window) return DXUTTraceSdlFailure(__FILE__, __LINE__, L"SDL_CreateWindow");
  SDL_SetWindowMinimumSize(state.device.window, kMinimumClientSize, kMinimumClientSize);
  // Typed text reaches the game as characters (kMsgChar), as the player's keyboard layout
  // makes them.
  SDL_StartTextInput();
  return S_OK;
}

void DXUTSetCursorSettings(bool showCursorWhenFullScreen, bool clipCursorWhenFullScreen) {
  DXUTState& state = GetDXUTState();
  state.showCursorWhenFullScreen = showCursorWhenFullScreen;
  state.clipCursorWhenFullScreen = clipCursorWhenFullScreen;
  DXUTUpdateCursorClip();
}

void DXUTUpdateCursorClip() {
  const DXUTState& state = GetDXUTState();
  if (!state.device.window) return;
  const bool fullScreen = state.device.renderer && !state.settings.windowed;
  SDL_SetWindowGrab(state.device.window,
                    fullScreen && state.active && state.clipCursorWhenFullScreen ? SDL_TRUE : SDL_FALSE);
  DXUTShowCursor(!fullScreen || state.showCursorWhenFullScreen);
}

void DXUTShowCursor(bool show) {
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void DXUTShutdown() {
  DXUTState& state = GetDXUTState();
  DXUTReleaseDevice();
  if (state.device.window) SDL_DestroyWindow(state.device.window);
  DXUTStopGamepads();
  if (state.sdlVideoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);

  const int exitCode = state.exitCode;
  const bool exitCodeFromError = state.exitCodeFromError;
  const bool insideMainLoop = state.insideMainLoop;
  state = DXUTState{};
  state.exitCode = exitCode;
  state.exitCodeFromError = exitCodeFromError;
  // Shut down from one of the loop's callbacks: the loop ends after it.
  state.insideMainLoop = insideMainLoop;
  state.quitPosted = insideMainLoop;
}

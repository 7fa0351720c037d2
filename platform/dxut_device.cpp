// The rendering device: choosing and creating the SDL renderer, the back buffer at the
// output's size, full screen, the device callbacks and presentation.

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/dxut_state.h"
#include "platform/gl_rasteriser.h"
#include "platform/letterbox.h"
#include "platform/present.h"

namespace {

struct RendererChoice {
  int driverIndex = -1;
  DXUTDeviceCaps caps;
};

// The driver that SDL_HINT_RENDER_DRIVER names, if any, limits the choice.
bool DriverWanted(const char* name) {
  const char* wanted = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  return !wanted || !*wanted || SDL_strcasecmp(wanted, name) == 0;
}

// Accelerated drivers first, the software renderer last.
std::vector<RendererChoice> RendererChoices() {
  std::vector<RendererChoice> choices;
  RendererChoice software;
  for (int index = 0; index < SDL_GetNumRenderDrivers(); ++index) {
    SDL_RendererInfo info;
    if (SDL_GetRenderDriverInfo(index, &info) != 0 || !DriverWanted(info.name)) continue;
    if (info.flags & SDL_RENDERER_SOFTWARE) {
      software.driverIndex = index;
      software.caps = {DXUTDeviceType::kReference, (info.flags & SDL_RENDERER_TARGETTEXTURE) != 0,
                       false};
    } else if (info.flags & SDL_RENDERER_ACCELERATED) {
      choices.push_back(
          {index,
           {DXUTDeviceType::kHardware, (info.flags & SDL_RENDERER_TARGETTEXTURE) != 0, true}});
    }
  }
  if (software.driverIndex >= 0) choices.push_back(software);
  return choices;
}

// An OpenGL without a graphics card (Mesa's llvmpipe and kin) costs the game more processor
// time than SDL's own software renderer, which draws the scenery from stretched copies and
// copies opaque pictures. Measured under Xvfb on two cores, a nightmare match full screen at
// 1920x1080: 63 ms of processor time a frame on llvmpipe at the screen's own pixels, against
// 4 ms for the software renderer's 800x600 scaled up. So SDL's software renderer goes first
// there, unless the player asked for OpenGL by name (SDL_RENDER_DRIVER).
bool SoftwareRendererDrawsFaster(const RendererChoice& opened,
                                 const std::vector<RendererChoice>& choices) {
  const bool softwareOnOffer =
      !choices.empty() && choices.back().caps.deviceType == DXUTDeviceType::kReference;
  if (opened.caps.deviceType != DXUTDeviceType::kHardware || !softwareOnOffer) return false;
  const std::string openGl = OpenGlRendererName(GetDXUTState().device.renderer);
  if (!IsSoftwareRasteriser(openGl)) return false;
  DXUTOutputDebugString(
      L"OpenGL draws with %s, without a graphics card: SDL's software renderer is faster\n",
      openGl.c_str());
  return true;
}

// How the player's messages name the graphics system of a render driver.
std::string RendererDescription(int driverIndex) {
  SDL_RendererInfo info;
  if (SDL_GetRenderDriverInfo(driverIndex, &info) != 0) return "SDL renderer";
  if (SDL_strcasecmp(info.name, "software") == 0) return "SDL software renderer";
  if (SDL_strncasecmp(info.name, "opengles", 8) == 0) return "SDL OpenGL ES renderer";
  if (SDL_strcasecmp(info.name, "opengl") == 0) return "SDL OpenGL renderer";
  return std::string("SDL ") + info.name + " renderer";
}

bool DrawsOnProcessor(SDL_Renderer* renderer) {
  SDL_RendererInfo info{};
  return SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
}

// SDL's software renderer cannot fill a full-screen picture 60 times a second: it draws at
// 800x600 and scales up when it shows the picture. Measured in a nightmare match on a loaded
// two-core machine: at 1920x1080 4.0 ms of processor time a frame against 50 ms (95th
// percentile) drawn at 1440x1080; at 3840x2160 8.6 ms against 16.7 ms drawn at 1600x1200. A
// player who asks for the best scaling (SDL_RENDER_SCALE_QUALITY=best) gets the picture drawn
// at the output's size all the same.
bool ScaledUp(SDL_Renderer* renderer) {
  const char* quality = SDL_GetHint(SDL_HINT_RENDER_SCALE_QUALITY);
  const bool best = quality != nullptr && (SDL_strcasecmp(quality, "best") == 0 || SDL_strcmp(quality, "2") == 0);
  return DrawsOnProcessor(renderer) && !best;
}

// The back-buffer size the window's output asks for now. (The renderer's output size would
// be the back buffer's own while that is the target.)
ScreenRect WantedBackBuffer(const DXUTDevice& device) {
  int outputWidth = 0;
  int outputHeight = 0;
  SDL_GetWindowSizeInPixels(device.window, &outputWidth, &outputHeight);
  return BackBufferSize(outputWidth, outputHeight, ScaledUp(device.renderer));
}

bool BackBufferFitsOutput(const DXUTDevice& device) {
  const ScreenRect wanted = WantedBackBuffer(device);
  return wanted.w == device.pixelWidth && wanted.h == device.pixelHeight;
}

// Makes the device's back buffer at the size its output asks for, the render target, cleared.
bool CreateBackBuffer(DXUTDevice& device) {
  const ScreenRect size = WantedBackBuffer(device);
  // On the processor, a back buffer in the window's own format is scaled onto it by a plain
  // stretch, without converting each pixel.
  const Uint32 windowFormat = SDL_GetWindowPixelFormat(device.window);
  const Uint32 format = DrawsOnProcessor(device.renderer) && SDL_BYTESPERPIXEL(windowFormat) == 4
                            ? windowFormat
                            : static_cast<Uint32>(SDL_PIXELFORMAT_ARGB8888);
  SDL_Texture* backBuffer =
      SDL_CreateTexture(device.renderer, format, SDL_TEXTUREACCESS_TARGET, size.w, size.h);
  if (!backBuffer) return false;
  // Drawn smaller than it is shown only on the software renderer, where scaling up to the
  // nearest pixel is what the processor does cheapest (bench/present_bench.cpp).
  SDL_SetTextureScaleMode(
      backBuffer, DrawsOnProcessor(device.renderer) ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
  // The window shows the back buffer's colours as they are (as a screenshot records them):
  // copied, not blended by their alpha over the window.
  SDL_SetTextureBlendMode(backBuffer, SDL_BLENDMODE_NONE);
  device.backBuffer = backBuffer;
  device.barsClearedWidth = device.barsClearedHeight = 0;  // a new device starts from nothing
  device.pixelWidth = size.w;
  device.pixelHeight = size.h;
  device.scale = static_cast<float>(size.w) / kBackBufferWidth;
  DXUTOutputDebugString(L"Back buffer %d x %d\n", size.w, size.h);
  SelectBackBuffer(&device);
  SDL_SetRenderDrawColor(device.renderer, 0, 0, 0, 255);
  SDL_RenderClear(device.renderer);
  return true;
}

// The window Alt+Enter gives on the desktop the window is on.
ScreenRect WindowedSizeOnDesktop(SDL_Window* window) {
  SDL_Rect usable{0, 0, kBackBufferWidth, kBackBufferHeight};
  const int display = SDL_GetWindowDisplayIndex(window);
  if (display < 0 || SDL_GetDisplayUsableBounds(display, &usable) != 0) {
    usable = SDL_Rect{0, 0, kBackBufferWidth, kBackBufferHeight};
  }
  return WindowedSize(usable.w, usable.h);
}

// Puts the window into the mode of the settings; false when SDL refuses.
bool ApplyWindowMode(bool windowed) {
  DXUTState& state = GetDXUTState();
  if (SDL_SetWindowFullscreen(state.device.window, windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) !=
      0) {
    DXUTTraceSdlFailure(__FILE__, __LINE__, L"SDL_SetWindowFullscreen");
    return false;
  }
  if (windowed) {
    const ScreenRect size = WindowedSizeOnDesktop(state.device.window);
    SDL_SetWindowSize(state.device.window, size.w, size.h);
    // A window grown to fit a large desktop stays on it whole.
    const int display = std::max(0, SDL_GetWindowDisplayIndex(state.device.window));
    SDL_SetWindowPosition(state.device.window, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                          SDL_WINDOWPOS_CENTERED_DISPLAY(display));
  }
  state.settings.windowed = windowed;
  DXUTUpdateCursorClip();
  return true;
}

// Creates the renderer of `choice` with its back buffer; quiet on failure: the next choice
// may well work (no OpenGL under SDL's dummy driver, for one); the caller reports when none
// does. SDL's reason stays in SDL_GetError for that report.
bool OpenRenderer(const RendererChoice& choice) {
  DXUTState& state = GetDXUTState();
  // SDL's software renderer draws into the window's surface, which SDL would otherwise show
  // through an OpenGL texture: on a machine without a graphics card that is a second software
  // rasteriser, which cost more than the drawing itself (half the processor time of a
  // nightmare match at 1920x1080). The window system's own image is shown directly instead.
  // (An SDL_FRAMEBUFFER_ACCELERATION the player set still wins.)
  if (choice.caps.deviceType == DXUTDeviceType::kReference) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  }
  SDL_Renderer* renderer =
      SDL_CreateRenderer(state.device.window, choice.driverIndex,
                         SDL_RENDERER_TARGETTEXTURE | SDL_RENDERER_PRESENTVSYNC);
  if (!renderer) return false;
  state.device.renderer = renderer;
  if (!CreateBackBuffer(state.device)) {
    const std::string reason = SDL_GetError();
    SDL_DestroyRenderer(renderer);
    state.device.renderer = nullptr;
    SDL_SetError("%s", reason.c_str());
    return false;
  }
  return true;
}

void CloseRenderer() {
  DXUTState& state = GetDXUTState();
  SDL_DestroyTexture(state.device.backBuffer);
  SDL_DestroyRenderer(state.device.renderer);
  state.device.backBuffer = nullptr;
  state.device.renderer = nullptr;
}

// The opened renderer becomes the device with the settings the game agreed to.
void AdoptRenderer(const RendererChoice& choice, const DXUTDeviceSettings& settings) {
  DXUTState& state = GetDXUTState();
  SDL_RendererInfo info;
  SDL_GetRendererInfo(state.device.renderer, &info);
  // The software renderer's presents never wait for the display.
  state.presentWaitsForRetrace = choice.caps.deviceType == DXUTDeviceType::kHardware &&
                                 (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
  state.rendererDriverIndex = choice.driverIndex;
  state.caps = choice.caps;
  state.settings = settings;
  ApplyWindowMode(settings.windowed);
}

// A failure the game cannot go on after: tell the player and end the loop.
void ShutDownAfter(HRESULT error) {
  DXUTDisplayErrorMessage(error);
  DXUTPostQuitMessage(0);
}

// Runs the device-lost and device-reset callbacks around a change of the
// device; a failing reset ends the game.
template <typename Change>
void ResetAround(Change change) {
  DXUTCallDeviceLost();
  change();
  if (FAILED(DXUTCallDeviceReset())) ShutDownAfter(DXUTERR_RESETTINGDEVICEOBJECTS);
}

}  // namespace

HRESULT DXUTCallDeviceCreated() {
  DXUTState& state = GetDXUTState();
  HRESULT hr = S_OK;
  if (state.deviceCreated.callback) {
    const DXUTSurfaceDesc backBuffer;
    ++state.insideDeviceCallback;
    hr = state.deviceCreated.callback(&state.device, &backBuffer, state.deviceCreated.context);
    --state.insideDeviceCallback;
  }
  state.deviceObjectsCreated = SUCCEEDED(hr);
  return hr;
}

HRESULT DXUTCallDeviceReset() {
  DXUTState& state = GetDXUTState();
  HRESULT hr = S_OK;
  if (state.deviceReset.callback) {
    const DXUTSurfaceDesc backBuffer;
    SelectBackBuffer(&state.device);
    ++state.insideDeviceCallback;
    hr = state.deviceReset.callback(&state.device, &backBuffer, state.deviceReset.context);
    --state.insideDeviceCallback;
  }
  state.deviceObjectsReset = SUCCEEDED(hr);
  return hr;
}

void DXUTCallDeviceLost() {
  DXUTState& state = GetDXUTState();
  if (!state.deviceObjectsReset) return;
  state.deviceObjectsReset = false;
  if (!state.deviceLost.callback) return;
  ++state.insideDeviceCallback;
  state.deviceLost.callback(state.deviceLost.context);
  --state.insideDeviceCallback;
}

void DXUTCallDeviceDestroyed() {
  DXUTState& state = GetDXUTState();
  if (!state.deviceObjectsCreated) return;
  state.deviceObjectsCreated = false;
  if (!state.deviceDestroyed.callback) return;
  ++state.insideDeviceCallback;
  state.deviceDestroyed.callback(state.deviceDestroyed.context);
  --state.insideDeviceCallback;
}

void DXUTReleaseDevice() {
  DXUTState& state = GetDXUTState();
  if (!state.device.renderer) return;
  DXUTCallDeviceLost();
  DXUTCallDeviceDestroyed();
  CloseRenderer();
  if (state.device.window) SDL_SetWindowGrab(state.device.window, SDL_FALSE);
}

HRESULT DXUTCreateDevice(unsigned /*adapterOrdinal: SDL renders on the window's display*/,
                         bool windowed, int /*suggestedWidth*/,
                         int /*suggestedHeight: the back buffer is 800x600*/,
                         LPDXUTCALLBACKISDEVICEACCEPTABLE isDeviceAcceptable,
                         LPDXUTCALLBACKMODIFYDEVICESETTINGS modifyDeviceSettings,
                         void* userContext) {
  DXUTState& state = GetDXUTState();
  state.deviceRequested = true;
  state.isDeviceAcceptable = isDeviceAcceptable;
  state.modifyDeviceSettings = modifyDeviceSettings;
  state.deviceSelectionContext = userContext;
  if (!state.device.window) {
    const HRESULT hr = DXUTCreateWindow();
    if (FAILED(hr)) return hr;
  }
  DXUTReleaseDevice();

  // The modify-settings callback adjusts the renderer that opened, not one that then fails
  // to: its one-time notices belong to the device the game runs on.
  bool anyAccepted = false;
  const std::vector<RendererChoice> choices = RendererChoices();
  for (const RendererChoice& choice : choices) {
    if (isDeviceAcceptable && !isDeviceAcceptable(&choice.caps, windowed, userContext)) continue;
    anyAccepted = true;
    state.graphicsSystem = RendererDescription(choice.driverIndex);
    if (!OpenRenderer(choice)) continue;
    if (SoftwareRendererDrawsFaster(choice, choices)) {
      CloseRenderer();
      continue;
    }
    DXUTDeviceSettings settings;
    settings.deviceType = choice.caps.deviceType;
    settings.windowed = windowed;
    if (modifyDeviceSettings && !modifyDeviceSettings(&settings, &choice.caps, userContext)) {
      CloseRenderer();
      SDL_ClearError();
      return DXUTDisplayErrorMessage(E_FAIL);
    }
    settings.backBufferWidth = kBackBufferWidth;
    settings.backBufferHeight = kBackBufferHeight;
    AdoptRenderer(choice, settings);
    break;
  }
  // Full screen has changed the output since the back buffer was made for the first window.
  if (state.device.renderer && !BackBufferFitsOutput(state.device)) {
    SDL_DestroyTexture(state.device.backBuffer);
    state.device.backBuffer = nullptr;
    if (!CreateBackBuffer(state.device)) CloseRenderer();
  }
  if (!state.device.renderer) {
    if (anyAccepted) DXUTTraceSdlFailure(__FILE__, __LINE__, L"SDL_CreateRenderer");
    return DXUTDisplayErrorMessage(anyAccepted ? DXUTERR_CREATINGDEVICE
                                               : DXUTERR_NOCOMPATIBLEDEVICES);
  }
  if (FAILED(DXUTCallDeviceCreated())) {
    DXUTReleaseDevice();
    return DXUTDisplayErrorMessage(DXUTERR_CREATINGDEVICEOBJECTS);
  }
  if (FAILED(DXUTCallDeviceReset())) {
    DXUTReleaseDevice();
    return DXUTDisplayErrorMessage(DXUTERR_RESETTINGDEVICEOBJECTS);
  }
  return S_OK;
}

HRESULT DXUTToggleFullScreen() {
  DXUTState& state = GetDXUTState();
  if (!state.device.renderer) return E_FAIL;
  DXUTDeviceSettings settings = state.settings;
  settings.windowed = !settings.windowed;
  if (state.modifyDeviceSettings &&
      !state.modifyDeviceSettings(&settings, &state.caps, state.deviceSelectionContext)) {
    return E_FAIL;
  }
  settings.backBufferWidth = kBackBufferWidth;
  settings.backBufferHeight = kBackBufferHeight;

  DXUTPause(true, true);
  bool switched = false;
  ResetAround([&] {
    switched = ApplyWindowMode(settings.windowed);
    if (switched) {
      state.settings = settings;
    } else {
      ApplyWindowMode(state.settings.windowed);  // refused: back to the mode it had
    }
  });
  DXUTFitBackBufferToOutput();
  DXUTPause(false, false);
  return switched ? S_OK : E_FAIL;
}

void DXUTHandleRenderTargetsReset() {
  if (GetDXUTState().device.renderer) ResetAround([] {});
}

void DXUTHandleRenderDeviceReset() {
  DXUTState& state = GetDXUTState();
  if (!state.device.renderer) return;
  DXUTCallDeviceLost();
  DXUTCallDeviceDestroyed();
  SDL_DestroyTexture(state.device.backBuffer);
  state.device.backBuffer = nullptr;
  if (!CreateBackBuffer(state.device)) {
    DXUTTraceSdlFailure(__FILE__, __LINE__, L"SDL_CreateTexture(back buffer)");
    ShutDownAfter(DXUTERR_RESETTINGDEVICE);
    return;
  }
  if (FAILED(DXUTCallDeviceCreated())) {
    ShutDownAfter(DXUTERR_CREATINGDEVICEOBJECTS);
  } else if (FAILED(DXUTCallDeviceReset())) {
    ShutDownAfter(DXUTERR_RESETTINGDEVICEOBJECTS);
  }
}

void DXUTRepaint() {
  DXUTState& state = GetDXUTState();
  if (!DXUTIsRenderingPaused() || !state.device.renderer || !state.deviceObjectsReset) return;
  SelectBackBuffer(&state.device);
  if (state.frameRender.callback) {
    state.frameRender.callback(&state.device, state.time, state.elapsedTime,
                               state.frameRender.context);
  }
  if (state.device.renderer) PresentBackBuffer(&state.device);
}

HRESULT DXUTSaveBackBufferPNG(const char* path) {
  DXUTDevice& device = GetDXUTState().device;
  if (!device.renderer || !path) return E_FAIL;
  // The 4:3 picture at the size it is drawn, without the bars the window adds.
  SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(0, device.pixelWidth, device.pixelHeight,
                                                        24, SDL_PIXELFORMAT_RGB24);
  if (!picture) return DXUTTraceSdlFailure(__FILE__, __LINE__, L"SDL_CreateRGBSurfaceWithFormat");
  SDL_Texture* previousTarget = SDL_GetRenderTarget(device.renderer);
  SDL_SetRenderTarget(device.renderer, device.backBuffer);
  const bool read = SDL_RenderReadPixels(device.renderer, nullptr, SDL_PIXELFORMAT_RGB24,
                                         picture->pixels, picture->pitch) == 0;
  if (previousTarget == device.backBuffer) {
    SelectBackBuffer(&device);
  } else {
    SDL_SetRenderTarget(device.renderer, previousTarget);
  }
  const bool saved = read && IMG_SavePNG(picture, path) == 0;
  SDL_FreeSurface(picture);
  return saved ? S_OK : E_FAIL;
}

void DXUTFitBackBufferToOutput() {
  const DXUTDevice& device = GetDXUTState().device;
  if (!device.renderer || !device.backBuffer) return;
  // Pictures and text are made for the back buffer's size: a new size is a new device for them.
  if (!BackBufferFitsOutput(device)) DXUTHandleRenderDeviceReset();
}

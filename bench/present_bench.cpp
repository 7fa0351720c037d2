// Showing a frame drawn smaller than the screen: the software renderer draws the 800x600
// picture and scales it up to the 1440x1080 letterbox of a 1920x1080 screen. The game's own
// present (PresentBackBuffer, on the back buffer the framework makes) against its floor: the
// 800x600 picture scaled to the nearest pixel straight onto the window's surface, with no
// renderer in between. The same present with linear scaling is shown for comparison. On the
// display of the environment when there is one, else on SDL's dummy driver.

#include <benchmark/benchmark.h>

#include <SDL.h>

#include "platform/dxut.h"
#include "platform/letterbox.h"
#include "platform/present.h"
#include "platform/sdl_device.h"

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

// A window of the screen's size on SDL's own, for the floor.
class BareWindow {
 public:
  BareWindow() {
    // The window system's own image, not an OpenGL texture standing for it.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    window = SDL_CreateWindow("present floor", 0, 0, kScreenWidth, kScreenHeight, 0);
  }
  ~BareWindow() {
    if (window != nullptr) SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  BareWindow(const BareWindow&) = delete;
  BareWindow& operator=(const BareWindow&) = delete;

  SDL_Window* window = nullptr;
};

void BM_PresentScaledUpFloor(benchmark::State& state) {
  BareWindow bare;
  SDL_Surface* screen = bare.window != nullptr ? SDL_GetWindowSurface(bare.window) : nullptr;
  SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(
      0, kBackBufferWidth, kBackBufferHeight, 32,
      screen != nullptr ? screen->format->format : static_cast<Uint32>(SDL_PIXELFORMAT_ARGB8888));
  if (screen == nullptr || picture == nullptr) {
    state.SkipWithError("skipped: no window surface");
    SDL_FreeSurface(picture);
    return;
  }
  SDL_FillRect(picture, nullptr, SDL_MapRGB(picture->format, 90, 120, 200));
  const ScreenRect area = LetterboxRect(screen->w, screen->h);
  SDL_Rect letterbox{area.x, area.y, area.w, area.h};
  for (auto _ : state) {
    SDL_BlitScaled(picture, nullptr, screen, &letterbox);
    SDL_UpdateWindowSurface(bare.window);
  }
  SDL_FreeSurface(picture);
}

// The framework's own device on the software renderer, in a window of the screen's size.
void PresentThroughTheFramework(benchmark::State& state, SDL_ScaleMode scaleMode) {
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  if (FAILED(DXUTInit(false, false, false, false)) || FAILED(DXUTCreateWindow(L"present")) ||
      (SDL_SetWindowSize(static_cast<SDL_Window*>(DXUTGetHWND()), kScreenWidth, kScreenHeight),
       FAILED(DXUTCreateDevice(0, true, kScreenWidth, kScreenHeight)))) {
    state.SkipWithError("skipped: no software renderer");
    DXUTShutdown();
    return;
  }
  SDL_SetWindowSize(static_cast<SDL_Window*>(DXUTGetHWND()), kScreenWidth, kScreenHeight);
  DXUTDevice* device = DXUTGetD3DDevice();
  SDL_SetTextureScaleMode(device->backBuffer, scaleMode);
  SDL_SetRenderDrawColor(device->renderer, 90, 120, 200, 255);
  SDL_RenderClear(device->renderer);
  for (auto _ : state) PresentBackBuffer(device);
  state.counters["drawn_width"] = device->pixelWidth;
  DXUTShutdown();
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, nullptr);
}

void BM_PresentScaledUp(benchmark::State& state) {
  PresentThroughTheFramework(state, SDL_ScaleModeNearest);
}

void BM_PresentScaledUpLinear(benchmark::State& state) {
  PresentThroughTheFramework(state, SDL_ScaleModeLinear);
}

}  // namespace

BENCHMARK(BM_PresentScaledUpFloor)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_PresentScaledUp)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_PresentScaledUpLinear)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

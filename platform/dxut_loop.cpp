// The main loop and its frames: messages first, a frame whenever none is
// pending; each frame reads the clock once, moves, renders and presents (unless the
// game kept its picture).

#include <SDL.h>

#include <ctime>

#include "platform/dxut_state.h"
#include "platform/present.h"

namespace {

constexpr Uint32 kIdleSleepMilliseconds = 50;  // per frame while inactive or not rendering
constexpr Uint64 kFramesPerSecondWithoutRetrace = 60;
constexpr double kStatisticsInterval = 1.0;  // seconds between frame-rate updates
// After the window changed, the window manager may go on moving and sizing it for a while
// without telling: a kept picture is presented for this many frames (half a second at 60).
constexpr int kSettlingFrames = 30;

void ReadClock(DXUTState& state) {
  const cFrameworkTimer::Reading reading = state.timer.Read();
  state.time = reading.time;
  state.absoluteTime = reading.absoluteTime;
  state.elapsedTime = reading.elapsed;
}

void UpdateFrameStatistics(DXUTState& state) {
  ++state.framesSinceStatistics;
  const double sinceUpdate = state.absoluteTime - state.lastStatisticsTime;
  if (sinceUpdate < kStatisticsInterval) return;
  state.fps = static_cast<float>(state.framesSinceStatistics / sinceUpdate);
  state.framesSinceStatistics = 0;
  state.lastStatisticsTime = state.absoluteTime;
}

bool WindowShown(const DXUTState& state) {
  return (SDL_GetWindowFlags(state.device.window) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) == 0;
}

// Waits for the next frame. Presents that wait for retrace pace the loop by themselves;
// without them (or while the window is not shown) the loop holds itself to 60 frames a
// second, so that a game on its menu does not burn a core. After a kept picture there was no
// present to wait on: the loop sleeps until the next frame's deadline or the next message,
// whichever comes first, so that a key acts at once. The frames keep to a fixed grid of
// deadlines, so that a sleep rounded to whole milliseconds, or one that oversleeps, is made up
// in the next frame and the rate stays at 60; a frame late by a whole frame or more starts the
// grid afresh instead of rushing the next ones to catch up.
void WaitForNextFrame(DXUTState& state, bool presented) {
  if (presented && state.presentWaitsForRetrace && WindowShown(state)) return;
  const Uint64 ticksPerSecond = SDL_GetPerformanceFrequency();
  const Uint64 frameTicks = ticksPerSecond / kFramesPerSecondWithoutRetrace;
  const Uint64 now = SDL_GetPerformanceCounter();
  if (state.nextFrameDeadline == 0 || now >= state.nextFrameDeadline + frameTicks) {
    state.nextFrameDeadline = now + frameTicks;
    if (presented) return;
  }
  if (now < state.nextFrameDeadline) {
    const auto milliseconds =
        static_cast<Uint32>((state.nextFrameDeadline - now) * 1000 / ticksPerSecond);
    if (presented) {
      SDL_Delay(milliseconds);
    } else {
      SDL_WaitEventTimeout(nullptr, static_cast<int>(milliseconds));
    }
  }
  state.nextFrameDeadline += frameTicks;
}

double ProcessCpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

// The next frame shown is timed afresh: the stretch since the last one is none of the game's
// frames (the picture was kept, or nobody could see it).
void BreakFrameInterval(DXUTState& state) { state.lastPresentCounter = 0; }

// Presents the back buffer and counts it as a frame shown, when the player sees it: a window
// hidden or without the focus shows nothing to measure.
void PresentFrame(DXUTState& state) {
  PresentBackBuffer(&state.device);
  if (state.framesToPresent > 0) --state.framesToPresent;
  if (!state.active || !WindowShown(state)) {
    BreakFrameInterval(state);
    return;
  }
  const Uint64 now = SDL_GetPerformanceCounter();
  const double cpu = ProcessCpuMilliseconds();
  const double ticksPerMillisecond = static_cast<double>(SDL_GetPerformanceFrequency()) / 1000.0;
  const double at = static_cast<double>(now) / ticksPerMillisecond / 1000.0;
  if (state.lastPresentCounter != 0) {
    state.frameTimes.Add(at,
                         static_cast<double>(now - state.lastPresentCounter) / ticksPerMillisecond,
                         cpu - state.lastPresentCpu);
  } else {
    state.frameTimes.AddUntimed(at);
  }
  state.lastPresentCounter = now;
  state.lastPresentCpu = cpu;
}

// One frame. paced: the real loop's sleeps and frame-rate hold; tests run
// frames without them.
void RunFrame(bool paced) {
  DXUTState& state = GetDXUTState();
  if (paced && (DXUTIsRenderingPaused() || !state.active)) SDL_Delay(kIdleSleepMilliseconds);
  if (!state.device.renderer) return;

  ReadClock(state);
  UpdateFrameStatistics(state);

  if (state.frameMove.callback) {
    state.frameMove.callback(&state.device, state.time, state.elapsedTime, state.frameMove.context);
  }
  if (!state.device.renderer) return;  // the callback shut the framework down

  if (DXUTIsRenderingPaused()) {
    BreakFrameInterval(state);
  } else {
    SDL_SetRenderTarget(state.device.renderer, state.device.backBuffer);
    state.pictureKept = false;
    if (state.frameRender.callback) {
      state.frameRender.callback(&state.device, state.time, state.elapsedTime, state.frameRender.context);
    }
    if (!state.device.renderer) return;
    const bool present = !state.pictureKept || state.framesToPresent > 0;
    if (present) {
      PresentFrame(state);
    } else {
      BreakFrameInterval(state);
    }
    if (paced) WaitForNextFrame(state, present);
  }
  ++state.frameNumber;
}

HRESULT ReportMainLoopFailure() { return DXUTTrace(__FILE__, __LINE__, E_FAIL, L"DXUTMainLoop", true); }

}  // namespace

HRESULT DXUTMainLoop() {
  DXUTState& state = GetDXUTState();
  if (state.insideDeviceCallback > 0 || state.insideMainLoop) return ReportMainLoopFailure();
  if (!state.device.renderer && !state.deviceRequested) DXUTCreateDevice();
  if (!state.initialised || !state.device.window || !state.device.renderer) return ReportMainLoopFailure();

  state.insideMainLoop = true;
  for (;;) {
    if (DXUTHandleNextEvent()) continue;
    if (state.quitPosted) break;
    RunFrame(true);
  }
  state.insideMainLoop = false;
  return S_OK;
}

void DXUTKeepPicture() { GetDXUTState().pictureKept = true; }

void DXUTWindowChanged() { GetDXUTState().framesToPresent = kSettlingFrames; }

HRESULT DXUTRunOneFrame() {
  DXUTState& state = GetDXUTState();
  if (state.insideDeviceCallback > 0 || state.insideMainLoop) return ReportMainLoopFailure();
  state.insideMainLoop = true;
  while (DXUTHandleNextEvent()) {
  }
  const bool hasDevice = state.device.renderer != nullptr;
  if (hasDevice) RunFrame(false);
  state.insideMainLoop = false;
  return hasDevice ? S_OK : E_FAIL;
}

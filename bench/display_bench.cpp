// A crowded match frame on the display of the environment, drawn with the renderer the game
// picks there (an OpenGL driver with a graphics card, SDL's software renderer without), and
// shown: what a player's frame costs, present included. Skipped without a display.

#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdlib>
#include <ctime>

#include "bench/shared_match.h"

namespace {

constexpr int kSettleFrames = 60;

double ProcessSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

bool DisplayAvailable() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

// Timed in the processor time of the whole process: an OpenGL rasteriser draws on threads of
// its own. The label names the renderer.
void BM_FrameOnDisplay(benchmark::State& state) {
  if (!DisplayAvailable()) {
    state.SkipWithError(
        "skipped: no display (DISPLAY or WAYLAND_DISPLAY) to time the renderer picked there");
    return;
  }
  ReleaseSharedMatch();
  BenchGame game(BenchGame::Screen::kDisplay);
  SDL_RendererInfo info{};
  if (game.Renderer() == nullptr || SDL_GetRendererInfo(game.Renderer(), &info) != 0) {
    state.SkipWithError("skipped: no renderer opened on the display");
    return;
  }
  state.SetLabel(info.name);
  for (int i = 0; i < kSettleFrames; ++i) {
    game.HoldCrowd(kCrowdCreatures, kCrowdProjectiles);
    game.RunFrame(kFrameSeconds);
  }
  for (auto _ : state) {
    game.HoldCrowd(kCrowdCreatures, kCrowdProjectiles);
    const double start = ProcessSeconds();
    game.RunFrame(kFrameSeconds);
    state.SetIterationTime(ProcessSeconds() - start);
  }
}

}  // namespace

BENCHMARK(BM_FrameOnDisplay)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(300);

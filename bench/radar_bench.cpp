// The radar strip of a crowded nightmare match: its drawing through the GUI layer against its
// floor (the very same SDL calls issued straight to the renderer), and its share of a frame.

#include <benchmark/benchmark.h>

#include "app/game.h"
#include "bench/draw_recorder.h"
#include "bench/shared_match.h"
#include "bench/thread_clock.h"
#include "platform/sdl_device.h"
#include "ui/radar.h"
#include "ui/stretched_copies.h"

namespace {

constexpr int kBackBufferWidth = 800;
constexpr int kBackBufferHeight = 600;

// Each frame's radar is drawn by the game (timed: the counter radar_us) while its SDL calls are
// recorded; the floor built from the recording is issued straight to the renderer (timed: the
// benchmark's time). Both draw the same crowd in the same frame.
void BM_RadarFloor(benchmark::State& state) {
  BenchGame& game = SharedMatch();
  SDL_Renderer* renderer = game.Renderer();
  cStretchedCopies stretcher(renderer);
  cDrawList radar;
  cDrawList floor;
  double radarSeconds = 0.0;
  std::size_t radarDraws = 0;
  for (auto _ : state) {
    game.HoldCrowd(kCrowdCreatures, kCrowdProjectiles);
    game.RunFrame(kFrameSeconds, false);
    SDL_SetRenderTarget(renderer, game.Device()->backBuffer);

    const double start = ThreadSeconds();
    StartRecording(&radar);
    DrawRadar(g_game, game.Gui());
    StopRecording();
    SDL_RenderFlush(renderer);
    radarSeconds += ThreadSeconds() - start;

    radar.BuildFloor(floor, stretcher, kBackBufferWidth, kBackBufferHeight);
    const double floorStart = ThreadSeconds();
    floor.Replay(renderer);
    SDL_RenderFlush(renderer);
    state.SetIterationTime(ThreadSeconds() - floorStart);
    radarDraws += radar.DrawCount();
  }
  using benchmark::Counter;
  state.counters["radar_us"] = Counter(radarSeconds * 1e6, Counter::kAvgIterations);
  state.counters["radar_draws_per_frame"] =
      Counter(static_cast<double>(radarDraws), Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(BM_RadarFloor)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

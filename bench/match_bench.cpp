// A frame of a crowded nightmare match: the world update against the drawing of the same
// frame, the drawing against its floor (the same pixels for the least work known), how the
// update grows with the crowd, and the heap allocations of a steady frame.

#include <benchmark/benchmark.h>

#include "app/game.h"
#include "bench/draw_recorder.h"
#include "bench/shared_match.h"
#include "bench/thread_clock.h"
#include "platform/sdl_device.h"
#include "ui/gui.h"
#include "ui/stretched_copies.h"

namespace {

std::unique_ptr<BenchGame> g_shared;

// A few frames so that the crowd has moved, shot and spread its particles.
constexpr int kSettleFrames = 120;
constexpr int kBackBufferWidth = 800;
constexpr int kBackBufferHeight = 600;

// The game's frame render, its drawing flushed, recorded into `recording` unless null;
// returns its thread time.
double TimedRender(BenchGame& game, cDrawList* recording) {
  const double start = ThreadSeconds();
  if (recording != nullptr) StartRecording(recording);
  g_game.OnFrameRender(game.Device(), static_cast<float>(kFrameSeconds));
  StopRecording();
  SDL_RenderFlush(game.Renderer());
  return ThreadSeconds() - start;
}

std::vector<Uint32> BackBufferPixels(SDL_Renderer* renderer) {
  std::vector<Uint32> pixels(kBackBufferWidth * kBackBufferHeight);
  SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                       kBackBufferWidth * 4);
  return pixels;
}

long CountDiffering(const std::vector<Uint32>& a, const std::vector<Uint32>& b) {
  long count = 0;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) count += a[i] != b[i] ? 1 : 0;
  return count;
}

void BM_MatchUpdate(benchmark::State& state) {
  BenchGame& game = SharedMatch();
  for (auto _ : state) {
    game.HoldCrowd(kCrowdCreatures, kCrowdProjectiles);
    state.SetIterationTime(game.RunFrame(kFrameSeconds, false).move);
  }
}

void BM_FrameRender(benchmark::State& state) {
  BenchGame& game = SharedMatch();
  const std::size_t glyphsBefore = GlyphRasterisations();
  for (auto _ : state) {
    game.HoldCrowd(kCrowdCreatures, kCrowdProjectiles);
    state.SetIterationTime(game.RunFrame(kFrameSeconds, true).render);
  }
  state.counters["glyphs_rasterised_per_frame"] =
      benchmark::Counter(static_cast<double>(GlyphRasterisations() - glyphsBefore),
                         benchmark::Counter::kAvgIterations);
}

// The floor: each frame is drawn by the game (timed: the counter game_render_us) while its
// SDL calls are recorded; the cheapest known way to put the same pixels on the screen is
// built from the recording (only what reaches the screen, scenery stretched once, opaque
// pictures copied: cDrawList::BuildFloor) and issued straight to the renderer (timed: the
// benchmark's time). Both come from the very same frames; the first frame's pixels are
// compared (floor_pixels_differing). The same frame drawn with the game's shortcuts off, as
// it was drawn before them, is timed too (plain_render_us).
void BM_FrameRenderFloor(benchmark::State& state) {
  BenchGame& game = SharedMatch();
  SDL_Renderer* renderer = game.Renderer();
  cStretchedCopies stretcher(renderer);
  cDrawList frame;
  cDrawList floor;
  std::size_t gameDraws = 0;
  std::size_t floorDraws = 0;
  double gameSeconds = 0.0;
  double plainSeconds = 0.0;
  long differing = -1;
  for (auto _ : state) {
    game.HoldCrowd(kCrowdCreatures, kCrowdProjectiles);
    game.RunFrame(kFrameSeconds, false);
    game.Gui().SetDrawingShortcuts(false);
    plainSeconds += TimedRender(game, nullptr);
    game.Gui().SetDrawingShortcuts(true);
    gameSeconds += TimedRender(game, &frame);
    const std::vector<Uint32> drawn =
        differing < 0 ? BackBufferPixels(renderer) : std::vector<Uint32>{};

    frame.BuildFloor(floor, stretcher, kBackBufferWidth, kBackBufferHeight);
    const double start = ThreadSeconds();
    floor.Replay(renderer);
    SDL_RenderFlush(renderer);
    state.SetIterationTime(ThreadSeconds() - start);
    if (differing < 0) differing = CountDiffering(drawn, BackBufferPixels(renderer));
    gameDraws += frame.DrawCount();
    floorDraws += floor.DrawCount();
  }
  using benchmark::Counter;
  state.counters["game_render_us"] = Counter(gameSeconds * 1e6, Counter::kAvgIterations);
  state.counters["plain_render_us"] = Counter(plainSeconds * 1e6, Counter::kAvgIterations);
  state.counters["game_draws_per_frame"] =
      Counter(static_cast<double>(gameDraws), Counter::kAvgIterations);
  state.counters["floor_draws_per_frame"] =
      Counter(static_cast<double>(floorDraws), Counter::kAvgIterations);
  state.counters["floor_pixels_differing"] = static_cast<double>(differing);
}

// The update as the crowd grows: creatures x projectiles from 30 x 75 to 120 x 300. The hit
// test is linear in that product; the fit shows whether anything grows faster.
void BM_MatchUpdateScaling(benchmark::State& state) {
  BenchGame& game = SharedMatch();
  const auto creatures = static_cast<std::size_t>(state.range(0));
  const auto projectiles = static_cast<std::size_t>(state.range(1));
  game.HoldCrowd(creatures, projectiles);
  for (int i = 0; i < kSettleFrames / 4; ++i) {
    game.HoldCrowd(creatures, projectiles);
    game.RunFrame(kFrameSeconds, false);
  }
  for (auto _ : state) {
    game.HoldCrowd(creatures, projectiles);
    state.SetIterationTime(game.RunFrame(kFrameSeconds, false).move);
  }
  state.SetComplexityN(state.range(0) * state.range(1));
}

// Heap allocations of a steady frame (update and render), apart and together.
void BM_SteadyFrameAllocations(benchmark::State& state) {
  BenchGame& game = SharedMatch();
  std::size_t update = 0;
  std::size_t render = 0;
  for (auto _ : state) {
    game.HoldCrowd(kCrowdCreatures, kCrowdProjectiles);
    const FrameTimes frame = game.RunFrame(kFrameSeconds, true);
    state.SetIterationTime(frame.move + frame.render);
    update += frame.moveAllocations;
    render += frame.renderAllocations;
  }
  using benchmark::Counter;
  state.counters["allocs_update"] = Counter(static_cast<double>(update), Counter::kAvgIterations);
  state.counters["allocs_render"] = Counter(static_cast<double>(render), Counter::kAvgIterations);
  state.counters["allocs_frame"] =
      Counter(static_cast<double>(update + render), Counter::kAvgIterations);
}

}  // namespace

BenchGame& SharedMatch() {
  if (!g_shared) {
    g_shared = std::make_unique<BenchGame>();
    g_shared->RunFrame(kFrameSeconds);  // the title
    g_shared->HoldCrowd(kCrowdCreatures, kCrowdProjectiles);
    for (int i = 0; i < kSettleFrames; ++i) {
      g_shared->HoldCrowd(kCrowdCreatures, kCrowdProjectiles);
      g_shared->RunFrame(kFrameSeconds);
    }
  }
  return *g_shared;
}

void ReleaseSharedMatch() { g_shared.reset(); }

BENCHMARK(BM_MatchUpdate)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FrameRender)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FrameRenderFloor)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_MatchUpdateScaling)
    ->Args({30, 75})
    ->Args({60, 150})
    ->Args({90, 225})
    ->Args({120, 300})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_SteadyFrameAllocations)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(600);

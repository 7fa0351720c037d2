#pragma once
// The nightmare match the frame benchmarks share: loaded once, held crowded frame after frame.

#include <memory>

#include "bench/bench_world.h"

// The crowd of a nightmare match at its limit.
inline constexpr std::size_t kCrowdCreatures = 120;
inline constexpr std::size_t kCrowdProjectiles = 300;
inline constexpr double kFrameSeconds = 1.0 / 60.0;

// The shared game, in a nightmare match held at the crowd above (made on first use).
BenchGame& SharedMatch();
// Ends the shared game, for benchmarks that need a game of their own (there is one g_game).
void ReleaseSharedMatch();

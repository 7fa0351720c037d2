#pragma once
// A whole game for the benchmarks, without a window or a sound card: SDL's dummy drivers, the
// software renderer, the manual clock, a fresh working folder whose data/ shows the built
// pictures, font and terrain, and a freshly built `g_game` wired to the framework as the
// entry point wires it. Frames run through the framework's own frame path; the frame move
// and the frame render are timed apart (the present is not part of either).

#include <cstddef>
#include <filesystem>
#include <random>

struct SDL_Renderer;
struct DXUTDevice;
class cGUI;

// What one frame cost: seconds, and heap allocations (operator new calls).
struct FrameTimes {
  double move = 0.0;    // the frame-move callback (in a match: UpdateMatch)
  double render = 0.0;  // the frame-render callback, its drawing flushed to the target
  std::size_t moveAllocations = 0;
  std::size_t renderAllocations = 0;
};

class BenchGame {
 public:
  // Where the game draws: headless (SDL's dummy video and its software renderer) or on the
  // display of the environment with the renderer the game picks there.
  enum class Screen { kHeadless, kDisplay };

  // Everything up to a created device, with the game initialised; the game then shows the
  // title on its first frame. Only one BenchGame may exist at a time (there is one g_game).
  explicit BenchGame(Screen screen = Screen::kHeadless);
  // Frees the world, shuts the sound system and the framework down and rebuilds `g_game`
  // empty, so that the next BenchGame starts from nothing cached.
  ~BenchGame();
  BenchGame(const BenchGame&) = delete;
  BenchGame& operator=(const BenchGame&) = delete;

  // The folder holding the built data/ (the build folder, found beside this program).
  static std::filesystem::path BuildDir();

  // Asks for a match on `difficulty` as the menu does and runs the frame that loads it.
  // True when the game is in a match afterwards.
  bool StartMatch(int difficulty);

  // Keeps the match crowded: tops the creatures up to `creatureCount` (attackers spread over
  // the field, some heroes and zeppelins) and the projectiles up to `projectileCount` (a mix
  // of every kind around the creatures), trims the newest extras of either, and gives the
  // dragon full health. Restarts the match on nightmare if it has ended. Deterministic for a seed.
  void HoldCrowd(std::size_t creatureCount, std::size_t projectileCount);

  // Advances the clock by `dt` and runs one frame (messages, frame move, frame render unless
  // `render` is false, present).
  FrameTimes RunFrame(double dt, bool render = true);

  SDL_Renderer* Renderer() const;
  DXUTDevice* Device() const;
  cGUI& Gui() { return *gui_; }

 private:
  void SpawnAttacker();
  void SpawnProjectileNear();

  std::filesystem::path previousDir_;
  std::filesystem::path workDir_;
  cGUI* gui_ = nullptr;
  std::mt19937 random_{20240609u};
};

#include "bench/bench_world.h"

#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>

#include "app/framework_callbacks.h"
#include "app/game.h"
#include "app/world_setup.h"
#include "bench/heap_counter.h"
#include "bench/thread_clock.h"
#include "platform/dxut.h"
#include "platform/sdl_device.h"
#include "ui/gui.h"
#include "world/creatures/creature.h"
#include "world/creatures/dragon.h"
#include "world/projectiles/projectile.h"
#include "world/projectiles/spell.h"

namespace {

constexpr int kNightmare = 3;
constexpr float kDragonFullHealth = 100.0f;
constexpr float kFieldLeft = 200.0f;    // attackers are spread between the village gate...
constexpr float kFieldRight = 5400.0f;  // ...and the lair
constexpr int kMaxHeroes = 5;
constexpr int kMaxZeppelins = 4;
constexpr float kProjectileReach = 120.0f;  // projectiles start this close to a creature

FrameTimes g_lastFrame;

void TimedFrameMove(DXUTDevice* device, double time, float elapsed, void* context) {
  const std::size_t allocations = HeapCountNow().allocations;
  const double start = ThreadSeconds();
  static_cast<cGame*>(context)->OnFrameMove(device, time, elapsed);
  g_lastFrame.move = ThreadSeconds() - start;
  g_lastFrame.moveAllocations = HeapCountNow().allocations - allocations;
}

void TimedFrameRender(DXUTDevice* device, double, float elapsed, void* context) {
  const std::size_t allocations = HeapCountNow().allocations;
  const double start = ThreadSeconds();
  static_cast<cGame*>(context)->OnFrameRender(device, elapsed);
  // Work the renderer may have queued counts as this frame's.
  if (device != nullptr && device->renderer != nullptr) SDL_RenderFlush(device->renderer);
  g_lastFrame.render = ThreadSeconds() - start;
  g_lastFrame.renderAllocations = HeapCountNow().allocations - allocations;
}

// The entry point's wiring, with the two frame callbacks timed.
void WireCallbacks() {
  SetFrameworkCallbacks(&g_game);
  DXUTSetCallbackFrameMove(TimedFrameMove, &g_game);
  DXUTSetCallbackFrameRender(TimedFrameRender, &g_game);
}

void ShowBuiltData(const std::filesystem::path& buildDir) {
  std::filesystem::create_directories("data");
  for (const char* entry : {"art", "font", "map.hm"}) {
    const std::filesystem::path source = buildDir / "data" / entry;
    if (std::filesystem::exists(source)) {
      std::filesystem::create_symlink(source, std::filesystem::path("data") / entry);
    }
  }
  // A hall of fame on disk: the first match starts without the how-to-play slides.
  std::FILE* hiscore = std::fopen("data/hiscore", "w");
  if (hiscore != nullptr) std::fclose(hiscore);
}

std::filesystem::path MakeWorkDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "drakmoor-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return std::filesystem::current_path();
  return pattern;
}

int CountOfType(int type) {
  return static_cast<int>(
      std::count_if(g_game.creatures.begin(), g_game.creatures.end(),
                    [type](const auto& c) { return c && c->GetType() == type; }));
}

}  // namespace

std::filesystem::path BenchGame::BuildDir() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error && std::filesystem::exists(exe.parent_path().parent_path() / "data")) {
    return exe.parent_path().parent_path();
  }
  return std::filesystem::current_path();
}

BenchGame::BenchGame(Screen screen)
    : previousDir_(std::filesystem::current_path()), workDir_(MakeWorkDir()) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  if (screen == Screen::kHeadless) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_RENDER_DRIVER", "software", 1);
  } else {
    unsetenv("SDL_VIDEODRIVER");
    unsetenv("SDL_RENDER_DRIVER");
  }
  const std::filesystem::path buildDir = BuildDir();
  std::filesystem::current_path(workDir_);
  ShowBuiltData(buildDir);

  g_game.~cGame();
  new (&g_game) cGame();
  gui_ = new cGUI();
  DXUTSetManualClock(true);
  WireCallbacks();
  g_game.Init(gui_);
  DXUTInit(false, false, false, true);
  DXUTCreateWindow(L"Drakmoor");
  DXUTCreateDevice(0, true, 800, 600);
}

BenchGame::~BenchGame() {
  g_game.Cleanup();
  g_game.soundSystem.Shutdown();
  DXUTShutdown();
  g_game.~cGame();
  new (&g_game) cGame();
  delete gui_;
  std::error_code ignored;
  std::filesystem::current_path(previousDir_, ignored);
  std::filesystem::remove_all(workDir_, ignored);
}

bool BenchGame::StartMatch(int difficulty) {
  g_game.settings.difficulty = difficulty;
  g_game.introSeen = 1;
  g_game.state = kStateLoading;
  RunFrame(1.0 / 60.0);
  return g_game.state == kStateMatch;
}

SDL_Renderer* BenchGame::Renderer() const {
  DXUTDevice* device = Device();
  return device != nullptr ? device->renderer : nullptr;
}

DXUTDevice* BenchGame::Device() const { return DXUTGetD3DDevice(); }

FrameTimes BenchGame::RunFrame(double dt, bool render) {
  g_lastFrame = FrameTimes{};
  DXUTPause(false, !render);
  DXUTAdvanceManualClock(dt);
  DXUTRunOneFrame();
  DXUTPause(false, false);
  return g_lastFrame;
}

void BenchGame::SpawnAttacker() {
  std::uniform_real_distribution<float> along(kFieldLeft, kFieldRight);
  const float x = along(random_);
  const unsigned roll = random_() % 20;
  if (roll == 0 && CountOfType(kTypeHero) < kMaxHeroes) {
    g_game.SpawnCreature(kTypeHero, x, g_game.GroundHeightAt(x));
  } else if (roll == 1 && CountOfType(kTypeZeppelin) < kMaxZeppelins) {
    g_game.SpawnCreature(kTypeZeppelin, x, 0.0f);
  } else {
    SpawnFootSoldier(g_game, x, g_game.GroundHeightAt(x));
  }
}

// One projectile of a crowded match's mix, close to a random creature: mostly arrows, then
// coins, breath, spells and fireballs, a few swords and flames.
void BenchGame::SpawnProjectileNear() {
  if (g_game.creatures.empty()) return;
  const cCreature* near = g_game.creatures[random_() % g_game.creatures.size()].get();
  if (near == nullptr) return;
  std::uniform_real_distribution<float> offset(-kProjectileReach, kProjectileReach);
  std::uniform_real_distribution<float> speed(-300.0f, 300.0f);
  const float x = near->position.x + offset(random_);
  const float y = near->position.y + offset(random_);
  const unsigned roll = random_() % 20;
  if (roll < 7) {
    g_game.SpawnProjectile(kProjectileArrow, x, y, speed(random_), -150.0f);
  } else if (roll < 11) {
    g_game.SpawnProjectile(kProjectileGold, x, g_game.GroundHeightAt(x) - 10.0f, 0.0f, 0.0f);
  } else if (roll < 14) {
    g_game.SpawnProjectile(kProjectileBreath, x, y, speed(random_), 0.0f);
  } else if (roll < 16) {
    cProjectile* spell = g_game.SpawnProjectile(kProjectileSpell, x, y, 0.0f, -200.0f);
    if (spell != nullptr) static_cast<cSpell*>(spell)->charged = 1;
  } else if (roll < 18) {
    g_game.SpawnProjectile(kProjectileFireball, x, y - 200.0f, speed(random_), 100.0f);
  } else if (roll < 19) {
    g_game.SpawnProjectile(kProjectileSword, x, y, speed(random_), 0.0f);
  } else {
    g_game.SpawnProjectile(kProjectileFlame, x, g_game.GroundHeightAt(x), 0.0f, 0.0f);
  }
}

void BenchGame::HoldCrowd(std::size_t creatureCount, std::size_t projectileCount) {
  if (g_game.state != kStateMatch || g_game.dragon == nullptr) StartMatch(kNightmare);
  while (g_game.creatures.size() > creatureCount) {
    cCreature* newest = g_game.creatures.back().get();
    if (newest == g_game.dragon) break;
    g_game.RemoveCreature(newest);
  }
  while (g_game.projectiles.size() > projectileCount) {
    g_game.RemoveProjectile(g_game.projectiles.back().get());
  }
  for (int tries = 0; g_game.creatures.size() < creatureCount && tries < 1000; ++tries) {
    SpawnAttacker();
  }
  for (int tries = 0; g_game.projectiles.size() < projectileCount && tries < 4000; ++tries) {
    SpawnProjectileNear();
  }
  if (g_game.dragon != nullptr) g_game.dragon->health = kDragonFullHealth;
}

#include "bench/soak.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "app/game.h"
#include "bench/shared_match.h"
#include "platform/dxut.h"
#include "platform/resources.h"
#include "platform/virtual_keys.h"
#include "ui/gui.h"
#include "world/creatures/creature.h"

namespace {

constexpr int kNightmare = 3;
constexpr int kRenderEvery = 60;  // one drawn frame per second of play
constexpr int kFramesPerSecond = 60;
constexpr long kFramesPerMinute = 60L * kFramesPerSecond;
constexpr float kDragonFullHealth = 100.0f;
constexpr unsigned kFireKey = 'Z';
constexpr unsigned kSnapKey = 'X';
constexpr int kFirstSoundId = 127;
constexpr int kLastSoundId = 144;
constexpr double kMiB = 1024.0 * 1024.0;

// The zeppelins on station drop an archer every two seconds whatever the crowd, so the crowd
// levels off above the spawning limit: kept-alive nightmare hours peak near 170 creatures with
// 10 or 11 zeppelins. A crowd that keeps growing passes this within minutes.
constexpr std::size_t kCrowdBound = 200;
// Zeppelin i stations at x 3900 - 200 i: beyond this many, stations leave the ground line.
// Zeppelins gather this far only if something holds their drops back.
constexpr int kZeppelinBound = 22;
// Long runs peak at about a third of this; a list growing with time passes it soon.
constexpr std::size_t kProjectileBound = 256;
// The samples of the game: menu and match music and sixteen effects.
constexpr std::size_t kGameSamples = kLastSoundId - kFirstSoundId + 1;
// Every picture the game has, with room to spare: the cache holds each file once.
constexpr int kPictureBound = 64;
// Memory may settle after the first minute, but not grow by more than this.
constexpr double kMemoryGrowthBound = 16.0 * kMiB;

// A field of /proc/self/status in bytes (VmRSS now, VmHWM the peak so far).
double StatusBytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) == 0) return std::stod(line.substr(field.size() + 1)) * 1024.0;
  }
  return 0.0;
}

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer keeps freed blocks in a quarantine that fills and recycles as the game
// runs, so resident memory swings by tens of MiB under it; there the heap in use must not grow.
constexpr const char* kMemoryMeasure = "heap in use";
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();  // GCC ships no header
double MemoryNow() { return static_cast<double>(__sanitizer_get_current_allocated_bytes()); }
#else
constexpr const char* kMemoryMeasure = "resident";
double MemoryNow() { return StatusBytes("VmRSS"); }
#endif

// The pictures in the texture cache as the renderer holds them.
double DecodedPictureBytes(cGUI& gui) {
  double bytes = 0.0;
  CDXUTDialogResourceManager* cache = gui.GetResourceManager();
  for (int i = 0; i < cache->GetTextureCount(); ++i) {
    SDL_Texture* texture = cache->GetTextureNode(i)->texture;
    Uint32 format = 0;
    int w = 0, h = 0;
    if (texture == nullptr || SDL_QueryTexture(texture, &format, nullptr, &w, &h) != 0) continue;
    bytes += static_cast<double>(w) * h * SDL_BYTESPERPIXEL(format);
  }
  return bytes;
}

// The sounds the sound system holds, decoded again the same way to learn their size.
double DecodedSoundBytes() {
  double bytes = 0.0;
  for (int id = kFirstSoundId; id <= kLastSoundId; ++id) {
    if (g_game.soundSystem.FindSample(std::to_wstring(id)) == 0) continue;
    const std::span<const unsigned char> data = FindResourceData(id);
    Mix_Chunk* chunk =
        Mix_LoadWAV_RW(SDL_RWFromConstMem(data.data(), static_cast<int>(data.size())), 1);
    if (chunk == nullptr) continue;
    bytes += chunk->alen;
    Mix_FreeChunk(chunk);
  }
  return bytes;
}

// The player's part, kept simple: sweeps of a few seconds each way over the field, fire in
// bursts (a tap for a fireball, then a held stream of breath), a snap now and then at whatever
// is in reach, and a dragon that never dies of its wounds.
void PlayTheDragon(long frame) {
  const long inCycle = frame % (8 * kFramesPerSecond);
  const long inBurst = frame % (4 * kFramesPerSecond);
  DXUTSetKeyDown(VK_LEFT, inCycle < 2 * kFramesPerSecond);
  DXUTSetKeyDown(VK_RIGHT, inCycle >= 4 * kFramesPerSecond && inCycle < 6 * kFramesPerSecond);
  DXUTSetKeyDown(kFireKey, inBurst < 2 || (inBurst >= 30 && inBurst < 90));
  DXUTSetKeyDown(kSnapKey, inBurst == 150);
  if (g_game.dragon != nullptr) g_game.dragon->health = kDragonFullHealth;
}

struct Peaks {
  std::size_t creatures = 0;
  std::size_t projectiles = 0;
  std::size_t samples = 0;
  int textures = 0;
  int zeppelins = 0;

  void Take(cGUI& gui) {
    creatures = std::max(creatures, g_game.creatures.size());
    projectiles = std::max(projectiles, g_game.projectiles.size());
    samples = std::max(samples, g_game.soundSystem.SampleCount());
    textures = std::max(textures, gui.GetResourceManager()->GetTextureCount());
    const auto zeppelinsNow =
        std::count_if(g_game.creatures.begin(), g_game.creatures.end(),
                      [](const auto& c) { return c && c->GetType() == kTypeZeppelin; });
    zeppelins = std::max(zeppelins, static_cast<int>(zeppelinsNow));
  }
};

// Prints each bound the run broke; true when none was.
bool BoundsHeld(const Peaks& peaks, const std::vector<double>& memoryByMinute) {
  int broken = 0;
  const auto check = [&broken](bool held, const char* what) {
    if (held) return;
    std::printf("  BOUND BROKEN: %s\n", what);
    ++broken;
  };
  check(peaks.creatures <= kCrowdBound, "the crowd keeps growing");
  check(peaks.zeppelins <= kZeppelinBound, "zeppelins pile up");
  check(peaks.projectiles <= kProjectileBound, "the projectiles keep growing");
  check(peaks.samples <= kGameSamples, "samples are loaded more than once");
  check(peaks.textures <= kPictureBound, "pictures are loaded more than once");
  check(memoryByMinute.size() < 2 ||
            memoryByMinute.back() - memoryByMinute.front() <= kMemoryGrowthBound,
        "memory grew from the first minute to the last");
  return broken == 0;
}

}  // namespace

int RunSoak(double minutes) {
  BenchGame game;
  game.RunFrame(kFrameSeconds);  // the title
  const double beforeMatch = StatusBytes("VmRSS");
  if (!game.StartMatch(kNightmare)) {
    std::printf("Soak: the match did not load\n");
    return 1;
  }

  const long frames = static_cast<long>(minutes * kFramesPerMinute);
  Peaks peaks;
  std::vector<double> memoryByMinute;
  int matches = 1;
  for (long frame = 0; frame < frames; ++frame) {
    if (g_game.state != kStateMatch) {
      // A frame's damage beyond a full refill: a new match goes on with the soak.
      if (!game.StartMatch(kNightmare)) {
        std::printf("Soak: a new match did not load\n");
        return 1;
      }
      ++matches;
    }
    PlayTheDragon(frame);
    game.RunFrame(kFrameSeconds, frame % kRenderEvery == 0);
    peaks.Take(game.Gui());
    if ((frame + 1) % kFramesPerMinute == 0) memoryByMinute.push_back(MemoryNow());
  }

  const double peak = StatusBytes("VmHWM");
  const double pictures = DecodedPictureBytes(game.Gui());
  const double sounds = DecodedSoundBytes();
  std::printf(
      "\nSoak: %.1f minutes of nightmare (%ld frames, one in %d drawn, %d match%s); "
      "peaks: %zu creatures, %d zeppelins, %zu projectiles, %zu samples, %d pictures\n",
      minutes, frames, kRenderEvery, matches, matches == 1 ? "" : "es", peaks.creatures,
      peaks.zeppelins, peaks.projectiles, peaks.samples, peaks.textures);
  std::printf("  %s memory at each minute's end (MiB):", kMemoryMeasure);
  for (const double bytes : memoryByMinute) std::printf(" %.1f", bytes / kMiB);
  std::printf("\n  resident before the match               %8.1f MiB\n", beforeMatch / kMiB);
  std::printf("  peak resident during the match          %8.1f MiB\n", peak / kMiB);
  std::printf("  decoded pictures held (textures)        %8.1f MiB\n", pictures / kMiB);
  std::printf("  decoded sounds held (samples)           %8.1f MiB\n", sounds / kMiB);
  std::printf("  peak / decoded pictures and sounds      %8.2f\n", peak / (pictures + sounds));
  const bool held = BoundsHeld(peaks, memoryByMinute);
  std::fflush(stdout);
  return held ? 0 : 1;
}

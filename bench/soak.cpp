#include "bench/soak.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "app/game.h"
#include "bench/shared_match.h"
#include "platform/dxut.h"
#include "platform/resources.h"
#include "ui/gui.h"
#include "world/creatures/creature.h"

namespace {

constexpr int kNightmare = 3;
constexpr int kRenderEvery = 60;  // one drawn frame per second of play
constexpr int kFramesPerSecond = 60;
constexpr float kDragonFullHealth = 100.0f;
constexpr unsigned kFireKey = 'Z';
constexpr int kFirstSoundId = 127;
constexpr int kLastSoundId = 144;
constexpr double kMiB = 1024.0 * 1024.0;

// A field of /proc/self/status in bytes (VmRSS now, VmHWM the peak so far).
double StatusBytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) == 0) return std::stod(line.substr(field.size() + 1)) * 1024.0;
  }
  return 0.0;
}

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

// The player's part, kept simple: fire in bursts (a tap for a fireball, then a held stream of
// breath) every few seconds, and a dragon that never dies.
void PlayTheDragon(long frame) {
  const long inCycle = frame % (4 * kFramesPerSecond);
  DXUTSetKeyDown(kFireKey, inCycle < 2 || (inCycle >= 30 && inCycle < 90));
  if (g_game.dragon != nullptr) g_game.dragon->health = kDragonFullHealth;
}

}  // namespace

int RunSoak(double minutes) {
  BenchGame game;
  game.RunFrame(kFrameSeconds);  // the title
  const double beforeMatch = StatusBytes("VmRSS");
  if (!game.StartMatch(kNightmare)) {
    std::printf("Memory soak: the match did not load\n");
    return 1;
  }

  const long frames = static_cast<long>(minutes * 60.0 * kFramesPerSecond);
  std::size_t mostCreatures = 0;
  std::size_t mostProjectiles = 0;
  for (long frame = 0; frame < frames && g_game.state == kStateMatch; ++frame) {
    PlayTheDragon(frame);
    game.RunFrame(kFrameSeconds, frame % kRenderEvery == 0);
    mostCreatures = std::max(mostCreatures, g_game.creatures.size());
    mostProjectiles = std::max(mostProjectiles, g_game.projectiles.size());
  }

  const double peak = StatusBytes("VmHWM");
  const double pictures = DecodedPictureBytes(game.Gui());
  const double sounds = DecodedSoundBytes();
  std::printf("\nMemory: %.1f minutes of a nightmare match (%ld frames, one in %d drawn), at most "
              "%zu creatures and %zu projectiles, %s\n",
              minutes, frames, kRenderEvery, mostCreatures, mostProjectiles,
              g_game.state == kStateMatch ? "the match still running" : "the match ENDED early");
  std::printf("  resident before the match               %8.1f MiB\n", beforeMatch / kMiB);
  std::printf("  peak resident during the match          %8.1f MiB\n", peak / kMiB);
  std::printf("  decoded pictures held (textures)        %8.1f MiB\n", pictures / kMiB);
  std::printf("  decoded sounds held (samples)           %8.1f MiB\n", sounds / kMiB);
  std::printf("  peak / decoded pictures and sounds      %8.2f\n", peak / (pictures + sounds));
  std::fflush(stdout);
  return 0;
}

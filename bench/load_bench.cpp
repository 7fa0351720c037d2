// Loading a match on nightmare, headless (presenting does not wait for the display): the
// first load of a fresh game, a second load with everything cached, and the baseline of
// decoding and uploading the same pictures and sounds straight through SDL.

#include <benchmark/benchmark.h>

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/game.h"
#include "bench/shared_match.h"
#include "bench/thread_clock.h"
#include "platform/resources.h"
#include "ui/gui.h"

namespace {

constexpr int kNightmare = 3;
constexpr int kFirstSoundId = 127;
constexpr int kLastSoundId = 144;


// What a load reads: the picture files in the order the cache took them and the sounds.
struct LoadContents {
  std::vector<std::string> pictures;
  std::vector<int> sounds;
};

int g_progressFrames = 0;
void CountProgressFrame(float, int) { ++g_progressFrames; }

// A fresh game at its title, ready for a load on nightmare.
void PrepareLoad(BenchGame& game) {
  game.RunFrame(kFrameSeconds);
  g_game.settings.difficulty = kNightmare;
  g_game.state = kStateLoading;
}

// Times one LoadMatch as the frame move of the loading state runs it.
double TimedLoad() {
  const double start = ThreadSeconds();
  const HRESULT hr = g_game.LoadMatch();
  const double seconds = ThreadSeconds() - start;
  return SUCCEEDED(hr) ? seconds : -1.0;
}

// Read once from a real load: the pictures it added to the cache and the sounds it added to
// the sound system (the title, shown before it, has its own).
const LoadContents& ContentsOfALoad() {
  static const LoadContents contents = [] {
    LoadContents found;
    BenchGame game;
    PrepareLoad(game);
    CDXUTDialogResourceManager* cache = game.Gui().GetResourceManager();
    const int picturesBefore = cache->GetTextureCount();
    std::vector<int> soundsBefore;
    for (int id = kFirstSoundId; id <= kLastSoundId; ++id) {
      if (g_game.soundSystem.FindSample(std::to_wstring(id)) != 0) soundsBefore.push_back(id);
    }
    g_game.LoadMatch();
    for (int i = picturesBefore; i < cache->GetTextureCount(); ++i) {
      const DXUTTextureNode* node = cache->GetTextureNode(i);
      if (node->fileSource && node->texture != nullptr) found.pictures.push_back(node->fileName);
    }
    for (int id = kFirstSoundId; id <= kLastSoundId; ++id) {
      const bool loadedBefore =
          std::find(soundsBefore.begin(), soundsBefore.end(), id) != soundsBefore.end();
      if (!loadedBefore && g_game.soundSystem.FindSample(std::to_wstring(id)) != 0) {
        found.sounds.push_back(id);
      }
    }
    return found;
  }();
  return contents;
}

void BM_LoadMatchFirst(benchmark::State& state) {
  ReleaseSharedMatch();
  for (auto _ : state) {
    BenchGame game;
    PrepareLoad(game);
    g_progressFrames = 0;
    g_game.progressObserver = CountProgressFrame;
    const double seconds = TimedLoad();
    g_game.progressObserver = nullptr;
    if (seconds < 0.0) {
      state.SkipWithError("the match did not load");
      break;
    }
    state.SetIterationTime(seconds);
  }
  // In the game each progress frame is presented at once; with a 60 Hz display that waits
  // for retrace, every one of them also waits up to a refresh.
  state.counters["progress_frames"] = g_progressFrames;
}

void BM_LoadMatchAgain(benchmark::State& state) {
  ReleaseSharedMatch();
  BenchGame game;
  PrepareLoad(game);
  g_game.LoadMatch();
  for (auto _ : state) {
    g_game.state = kStateLoading;
    const double seconds = TimedLoad();
    if (seconds < 0.0) {
      state.SkipWithError("the match did not load");
      break;
    }
    state.SetIterationTime(seconds);
  }
}

// The baseline: the same PNG files decoded and uploaded as textures, the same sounds decoded
// by the mixer, with nothing of the game in between.
void BM_LoadRawDecode(benchmark::State& state) {
  ReleaseSharedMatch();
  const LoadContents& contents = ContentsOfALoad();
  for (auto _ : state) {
    BenchGame game;
    PrepareLoad(game);
    SDL_Renderer* renderer = game.Renderer();
    std::vector<SDL_Texture*> textures;
    std::vector<Mix_Chunk*> chunks;

    const double start = ThreadSeconds();
    for (const std::string& path : contents.pictures) {
      SDL_Surface* picture = IMG_Load(path.c_str());
      if (picture == nullptr) continue;
      textures.push_back(SDL_CreateTextureFromSurface(renderer, picture));
      SDL_FreeSurface(picture);
    }
    for (int id : contents.sounds) {
      const std::span<const unsigned char> bytes = FindResourceData(id);
      chunks.push_back(
          Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1));
    }
    state.SetIterationTime(ThreadSeconds() - start);

    for (SDL_Texture* texture : textures) SDL_DestroyTexture(texture);
    for (Mix_Chunk* chunk : chunks) Mix_FreeChunk(chunk);
  }
  state.counters["pictures"] = static_cast<double>(contents.pictures.size());
  state.counters["sounds"] = static_cast<double>(contents.sounds.size());
}

}  // namespace

BENCHMARK(BM_LoadMatchFirst)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LoadMatchAgain)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_LoadRawDecode)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The sound system on SDL's disk audio driver, writing to nowhere as fast as it can (a real
// mixer with no sound card behind it and no wall clock either), and the finished mix as the
// speakers get it, heard through its listener.

#include "audio/sound_system.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "audio/master_bus.h"
#include "audio/mix_levels.h"
#include "audio/test_sounds.h"
#include "platform/resources.h"
#include "support/debug_trace.h"

namespace {

constexpr int kShortId = 9101;    // 0.2 s
constexpr int kLongId = 9102;     // 0.4 s
constexpr int kGarbageId = 9104;  // not audio at all
constexpr int kMissingId = 9199;  // never registered

std::wstring Name(int id) { return std::to_wstring(id); }

constexpr int kMenuMusic = 127;
constexpr int kMatchMusic = 128;
constexpr int kFirstEffect = 129;
constexpr int kLastEffect = 144;
constexpr int kMixRate = 44100;
constexpr int kFullScale = 32767;

// Waits until the free-running mixer has made `done` hold.
void WaitFor(const std::function<bool()>& done) {
  while (!done()) std::this_thread::yield();
}

class SoundSystem : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test_sounds::Register(kShortId, test_sounds::SineWav(0.2));
    test_sounds::Register(kLongId, test_sounds::SineWav(0.4));
    const std::string garbage = "this is no sound at all";
    test_sounds::Register(kGarbageId, {garbage.begin(), garbage.end()});
  }
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    audioBefore = SDL_WasInit(SDL_INIT_AUDIO);
  }
  void TearDown() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }

  // What every call does on the silent device: nothing, quietly, and without a crash.
  void ExpectSilentButWorking(cSoundSystem& silent) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(silent.AddSampleFromResource(kShortId, 1, 0), E_FAIL);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "## SoundSystem: >No Sound< - Device selected!\n");
    EXPECT_EQ(silent.Play(Name(kShortId)), 0u);
    EXPECT_EQ(silent.SetChannelVolume(1, 20), E_FAIL);
    EXPECT_EQ(silent.StopAll(), S_OK);
    EXPECT_EQ(silent.Pause(), S_OK);
    EXPECT_EQ(silent.Start(), S_OK);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), audioBefore) << "the silent device opens no audio";
  }

  Uint32 audioBefore = 0;       // SDL's audio as other parts of the program left it
  ScopedDebugTrace debugTrace;  // the tests read the system's debug lines
  cSoundSystem sound;
};

// While the output is paused nothing runs out, so "at once" holds however slow the machine.
TEST_F(SoundSystem, AnEleventhPlayReplacesTheQuietestThenTheOldestOfItsOwnSample) {
  ASSERT_EQ(sound.Init(nullptr, 1), S_OK);
  ASSERT_EQ(sound.AddSampleFromResource(kShortId, 0, 0), S_OK);
  ASSERT_EQ(sound.AddSampleFromResource(kLongId, 0, 0), S_OK);
  ASSERT_EQ(sound.Pause(), S_OK);
  std::array<std::uint32_t, 10> handles{};
  for (std::uint32_t& handle : handles) {
    handle = sound.Play(Name(kShortId));
    ASSERT_EQ(sound.SetChannelVolume(handle, 50), S_OK);
  }
  ASSERT_NE(sound.Play(Name(kLongId)), 0u);
  ASSERT_EQ(sound.SetChannelVolume(handles[0], 10), S_OK);
  const std::uint32_t eleventh = sound.Play(Name(kShortId));
  ASSERT_NE(eleventh, 0u);
  EXPECT_EQ(Mix_Playing(-1), 11) << "ten of one sample and the other's one";
  EXPECT_EQ(sound.GetChannelVolume(handles[0]), -1);
  EXPECT_EQ(sound.GetChannelVolume(eleventh), 100);
  ASSERT_NE(sound.Play(Name(kShortId)), 0u);
  EXPECT_EQ(sound.GetChannelVolume(handles[1]), -1) << "nine share the lowest: the oldest goes";
  EXPECT_EQ(sound.GetChannelVolume(handles[2]), 50);
  EXPECT_EQ(Mix_Playing(-1), 11);
}

// A looping 0.2 s sound and a one-shot 0.4 s sound start together; once the one-shot is over
// the loop has passed its own end and must still sound. Sounds started while paused wait.
TEST_F(SoundSystem, LoopsPlayOnUntilStopAllAndPauseHoldsEvenSoundsStartedLater) {
  ASSERT_EQ(sound.Init(nullptr, 1), S_OK);
  for (int visit = 0; visit < 2; ++visit) {  // as the menu adds its music on every visit
    ASSERT_EQ(sound.AddSampleFromResource(kShortId, 1, 0), S_OK);
  }
  ASSERT_EQ(sound.AddSampleFromResource(kLongId, 0, 0), S_OK);
  const std::uint32_t loop = sound.Play(Name(kShortId));
  ASSERT_EQ(sound.Pause(), S_OK);
  const std::uint32_t once = sound.Play(Name(kLongId));
  EXPECT_EQ(Mix_Paused(-1), 2);
  ASSERT_EQ(sound.Start(), S_OK);
  EXPECT_EQ(Mix_Paused(-1), 0);
  WaitFor([] { return Mix_Playing(-1) <= 1; });
  EXPECT_EQ(sound.GetChannelVolume(once), -1);
  EXPECT_EQ(sound.GetChannelVolume(loop), 100) << "the looping sound stopped";
  ASSERT_EQ(sound.StopAll(), S_OK);
  EXPECT_EQ(Mix_Playing(-1), 0);
}

// What cannot be loaded adds nothing and unknown names play nothing. Every visit to the main
// menu adds the menu music again and every match load all its sounds: the second add must find
// the first and decode nothing.
TEST_F(SoundSystem, WhatCannotBeLoadedAddsNothingAndAddingAnIdAgainReusesTheLoadedSample) {
  ASSERT_EQ(sound.Init(nullptr, 1), S_OK);
  testing::internal::CaptureStderr();
  EXPECT_EQ(sound.AddSampleFromResource(kMissingId, 0, 0), E_FAIL);
  EXPECT_EQ(sound.AddSampleFromResource(kGarbageId, 0, 0), E_FAIL);
  EXPECT_EQ(sound.AddSampleFromResource(kShortId, 0, 1), E_FAIL);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Could not find resource 9199!\n"
            "## SoundSystem: Unknown format!\n"
            "## SoundSystem: Could init sample for 3D!\n");
  EXPECT_EQ(sound.SampleCount(), 0u);
  for (const std::wstring& name :
       {Name(kGarbageId), Name(kShortId), std::wstring(L"127"), std::wstring()}) {
    EXPECT_EQ(sound.Play(name), 0u);
  }

  ASSERT_EQ(sound.AddSampleFromResource(kShortId, 0, 0), S_OK);
  const std::uint32_t first = sound.FindSample(Name(kShortId));
  const std::string garbage = "no longer a sound";  // would fail, were it decoded again
  test_sounds::Register(kShortId, {garbage.begin(), garbage.end()});
  for (int visit = 0; visit < 5; ++visit)
    EXPECT_EQ(sound.AddSampleFromResource(kShortId, 0, 0), S_OK);
  test_sounds::Register(kShortId, test_sounds::SineWav(0.2));
  EXPECT_EQ(sound.SampleCount(), 1u);
  EXPECT_EQ(sound.FindSample(Name(kShortId)), first);
}

TEST_F(SoundSystem, WithoutASoundCardTheGameFallsBackToTheSilentDevice) {
  // Before any device is chosen there is nothing to stop, start or pause.
  EXPECT_EQ(sound.StopAll(), E_FAIL);
  EXPECT_EQ(sound.Start(), E_FAIL);
  EXPECT_EQ(sound.Pause(), E_FAIL);
  EXPECT_EQ(sound.Init(nullptr, 0), S_OK);
  ExpectSilentButWorking(sound);
  EXPECT_EQ(cSoundSystem().Init(nullptr, 2), S_OK) << "2 is the first device SDL lists";
  for (int device : {57, -1}) {
    cSoundSystem unopened;
    EXPECT_EQ(unopened.Init(nullptr, device), E_FAIL) << device;
    ExpectSilentButWorking(unopened);
  }
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  cSoundSystem noDriver;
  EXPECT_EQ(noDriver.Init(nullptr, 1), E_FAIL);
  ExpectSilentButWorking(noDriver);
  EXPECT_EQ(noDriver.Init(nullptr, 0), S_OK) << "the game's second try with the silent device";
}

// The static game object is destroyed after main returns, when SDL may be gone. Run in a
// child process, since SDL_mixer's own state is left behind with the vanished device.
TEST_F(SoundSystem, DestroyingTheSystemAfterSdlQuitIsSafe) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        {
          cSoundSystem playing;
          if (FAILED(playing.Init(nullptr, 1))) std::exit(2);
          if (FAILED(playing.AddSampleFromResource(kShortId, 1, 0))) std::exit(3);
          if (playing.Play(Name(kShortId)) == 0) std::exit(4);
          SDL_Quit();
        }
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

using Samples = std::vector<std::int16_t>;

// The next `seconds` of the finished mix as the speakers get it, after `settle` seconds that
// go unheard (a volume change glides into place).
Samples Record(cSoundSystem& sound, double seconds, double settle = 0.1) {
  struct Recording {
    Samples heard;
    std::size_t toSkip, wanted;
    std::atomic<bool> full = false;
  } recording{{},
              static_cast<std::size_t>(settle * kMixRate) * 2,
              static_cast<std::size_t>(seconds * kMixRate) * 2};
  // Called on the audio thread, under the system's lock that SetMixListener takes too.
  sound.SetMixListener(
      [](const std::int16_t* samples, std::size_t count, void* context) {
        auto& into = *static_cast<Recording*>(context);
        const std::size_t skipped = std::min(count, into.toSkip);
        into.toSkip -= skipped;
        into.heard.insert(into.heard.end(), samples + skipped, samples + count);
        into.full = into.heard.size() >= into.wanted;
      },
      &recording);
  WaitFor([&recording] { return recording.full.load(); });
  sound.SetMixListener(nullptr, nullptr);
  recording.heard.resize(std::min(recording.heard.size(), recording.wanted));
  return recording.heard;
}

int Peak(const Samples& samples) {
  int peak = 0;
  for (std::int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

// RMS level in dB against full scale; minus infinity for silence.
double RmsDb(const Samples& samples) {
  double sum = 0.0;
  for (std::int16_t s : samples) sum += static_cast<double>(s) * s;
  if (sum == 0.0) return -std::numeric_limits<double>::infinity();
  return 10.0 * std::log10(sum / static_cast<double>(samples.size())) -
         20.0 * std::log10(kFullScale);
}

// Each of the game's eighteen sounds loads, and alone, at its level in the mix, passes the
// limiter with its peak within 0.5 dB: nothing of the limiter is heard until sounds pile up.
// The worst a fight can bring, every effect ten times at once over the match music, never
// reaches full scale yet stays loud.
TEST_F(SoundSystem, ASoundAloneLeavesTheLimiterAloneAndAFightsWorstNeverReachesFullScale) {
  ASSERT_EQ(sound.Init(nullptr, 1), S_OK);  // the mixer decodes to its own format
  for (int id = kMenuMusic; id <= kLastEffect; ++id) {
    ASSERT_EQ(sound.AddSampleFromResource(id, id <= kMatchMusic ? 1 : 0, 0), S_OK) << id;
    const std::span<const unsigned char> bytes = FindResourceData(id);
    Mix_Chunk* chunk =
        Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    ASSERT_NE(chunk, nullptr) << id;
    const auto* decoded = reinterpret_cast<const std::int16_t*>(chunk->abuf);
    Samples bus(decoded, decoded + chunk->alen / sizeof(std::int16_t));
    Mix_FreeChunk(chunk);
    const double peakInMix = Peak(bus) * cMasterBus::DecibelGain(MixLevelDb(id));
    // As the mixer gets it: the level in the mix, less the bus's headroom.
    const double mixerGain = cMasterBus::DecibelGain(MixLevelDb(id) - cMasterBus::kHeadroomDb);
    for (std::int16_t& s : bus) s = static_cast<std::int16_t>(std::lround(s * mixerGain));
    cMasterBus().Process(bus.data(), bus.size());
    EXPECT_GE(Peak(bus), peakInMix * cMasterBus::DecibelGain(-0.5f)) << "sound " << id;
  }

  ASSERT_EQ(sound.Pause(), S_OK);
  ASSERT_NE(sound.Play(std::to_wstring(kMatchMusic)), 0u);
  for (int id = kFirstEffect; id <= kLastEffect; ++id) {
    for (int play = 0; play < cSoundSystem::kMaxPlaysPerSample; ++play) {
      ASSERT_NE(sound.Play(std::to_wstring(id)), 0u) << id;
    }
  }
  ASSERT_EQ(sound.Start(), S_OK);
  const Samples mix = Record(sound, 1.0, 0.0);
  ASSERT_FALSE(mix.empty());
  EXPECT_LT(Peak(mix), kFullScale);
  EXPECT_GT(RmsDb(mix), -12.0);
}

// A change of volume glides into place rather than clicking: a steady level starts near where
// it was and falls steadily to the new one.
TEST(MasterBus, AVolumeChangeGlidesIntoPlace) {
  cMasterBus bus;
  Samples steady(4410 * 2, 2000);  // 0.1 s
  bus.SetVolume(0.5f);
  bus.Process(steady.data(), steady.size());
  for (std::size_t i = 2; i < steady.size(); ++i) ASSERT_LE(steady[i], steady[i - 2]) << i;
  EXPECT_GT(steady[0], steady.back() * 3);
  EXPECT_NEAR(steady.back(), 2000 * cMasterBus::DecibelGain(cMasterBus::kHeadroomDb) / 4, 1);
}

// The player's volume, a mute and the hero's ducking of the music, on a steady looping tone:
// each setting heard in turn, and unmuting brings the volume back.
TEST_F(SoundSystem, MasterVolumeMuteAndDuckingSetTheLevelHeard) {
  ASSERT_EQ(sound.Init(nullptr, 1), S_OK);
  ASSERT_EQ(sound.AddSampleFromResource(kShortId, 1, 0), S_OK);
  const std::uint32_t music = sound.Play(Name(kShortId));
  ASSERT_NE(music, 0u);
  const double full = RmsDb(Record(sound, 0.2));
  ASSERT_GT(full, -30.0);

  constexpr double kSilent = -std::numeric_limits<double>::infinity();
  const double half = 20.0 * std::log10(cMasterBus::VolumeGain(0.5f));
  const double ducked = 20.0 * std::log10(0.2);  // the hero's volume 20 of 100
  const struct {
    float volume;
    int musicVolume;
    bool muted;
    double expectedDb;
  } steps[] = {{0.5f, 100, false, half},
               {0.5f, 20, false, half + ducked},
               {1.0f, 20, false, ducked},
               {0.5f, 100, true, kSilent},
               {0.5f, 100, false, half}};
  for (const auto& step : steps) {
    sound.SetMasterVolume(step.volume);
    sound.SetMuted(step.muted);
    ASSERT_EQ(sound.SetChannelVolume(music, step.musicVolume), S_OK);
    const double heard = RmsDb(Record(sound, 0.2)) - full;
    SCOPED_TRACE(testing::Message() << "volume " << step.volume << ", music at " << step.musicVolume
                                    << (step.muted ? ", muted" : ""));
    if (step.muted) {
      EXPECT_EQ(heard, kSilent) << "a mute must be silent";
    } else {
      EXPECT_NEAR(heard, step.expectedDb, 0.3);
    }
  }
}

}  // namespace

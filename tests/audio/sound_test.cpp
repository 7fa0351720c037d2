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

using Samples = std::vector<std::int16_t>;

// Waits until the free-running mixer has made `done` hold.
void WaitFor(const std::function<bool()>& done) {
  while (!done()) std::this_thread::yield();
}

int Peak(std::span<const std::int16_t> samples) {
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
    EXPECT_EQ(silent.GetChannelVolume(1), -1);
    EXPECT_EQ(silent.StopAll(), S_OK);
    EXPECT_EQ(silent.Pause(), S_OK);
    EXPECT_EQ(silent.Start(), S_OK);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), audioBefore) << "the silent device opens no audio";
  }

  // The next `seconds` of the finished mix as the speakers get it, after `settle` seconds that
  // go unheard (a volume change glides into place).
  Samples Record(double seconds, double settle = 0.1) {
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

  Uint32 audioBefore = 0;       // SDL's audio as other parts of the program left it
  ScopedDebugTrace debugTrace;  // the tests read the system's debug lines
  cSoundSystem sound;
};

// While the output is paused nothing runs out, so "at once" holds however slow the machine.
// Every volume the game sets is the one it reads back, and a handle whose channel went to
// another sound names nothing any more.
TEST_F(SoundSystem, AnEleventhPlayReplacesTheQuietestThenTheOldestOfItsOwnSample) {
  ASSERT_EQ(sound.Init(nullptr, 1), S_OK);
  ASSERT_EQ(sound.AddSampleFromResource(kShortId, 0, 0), S_OK);
  ASSERT_EQ(sound.AddSampleFromResource(kLongId, 0, 0), S_OK);
  ASSERT_EQ(sound.Pause(), S_OK);
  std::array<std::uint32_t, 10> handles{};
  for (std::uint32_t& handle : handles) handle = sound.Play(Name(kShortId));
  for (int volume = 0; volume <= 100; ++volume) {
    ASSERT_EQ(sound.SetChannelVolume(handles[volume % 10], volume), S_OK);
    EXPECT_EQ(sound.GetChannelVolume(handles[volume % 10]), volume);
  }
  EXPECT_EQ(sound.SetChannelVolume(handles[0], 101) | sound.SetChannelVolume(handles[0], -1),
            E_FAIL);
  for (std::uint32_t& handle : handles) ASSERT_EQ(sound.SetChannelVolume(handle, 50), S_OK);
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

  // Opened again, the system starts afresh.
  ASSERT_EQ(sound.Init(nullptr, 1), S_OK);
  EXPECT_EQ(sound.SampleCount(), 0u);
  EXPECT_EQ(Mix_Playing(-1), 0);
}

// A looping 0.2 s sound and a one-shot 0.4 s sound start together; once the one-shot is over
// the loop has passed its own end and must still sound. Sounds started while paused, or after
// everything was stopped, wait for the output to start.
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
  EXPECT_EQ(sound.GetChannelVolume(once), 100) << "waits at full volume";
  ASSERT_EQ(sound.Start(), S_OK);
  EXPECT_EQ(Mix_Paused(-1), 0);
  WaitFor([] { return Mix_Playing(-1) <= 1; });
  EXPECT_EQ(sound.GetChannelVolume(once), -1);
  EXPECT_EQ(sound.GetChannelVolume(loop), 100) << "the looping sound stopped";
  ASSERT_EQ(sound.StopAll(), S_OK);
  EXPECT_EQ(Mix_Playing(-1), 0);
  ASSERT_NE(sound.Play(Name(kLongId)), 0u);
  EXPECT_EQ(Mix_Paused(-1), 1);
}

// What cannot be loaded adds nothing and unknown names play nothing. Every visit to the main
// menu adds the menu music again and every match load all its sounds: the second add must find
// the first and decode nothing.
TEST_F(SoundSystem, WhatCannotBeLoadedAddsNothingAndAddingAnIdAgainReusesTheLoadedSample) {
  EXPECT_EQ(sound.AddSampleFromResource(kShortId, 0, 0), E_FAIL) << "no device chosen yet";
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

// Each of the game's eighteen sounds loads and is clearly audible, peaks near -1 dB without
// clipping, and alone, at its level in the mix, passes the limiter with its peak within
// 0.5 dB: nothing of the limiter is heard until sounds pile up. An effect is short and starts
// and ends without a click; a tune is a loop of one to two minutes whose last sample runs on
// into the first without a jump and whose sound carries on across the seam. The worst a fight
// can bring, every effect ten times at once over the match music, never reaches full scale
// yet stays loud.
TEST_F(SoundSystem, EverySoundIsCleanAndAloneLeavesTheLimiterAloneAndAFightsWorstNeverClips) {
  ASSERT_EQ(sound.Init(nullptr, 1), S_OK);  // the mixer decodes to its own format
  for (int id = kMenuMusic; id <= kLastEffect; ++id) {
    SCOPED_TRACE(testing::Message() << "sound " << id);
    const bool music = id <= kMatchMusic;
    ASSERT_EQ(sound.AddSampleFromResource(id, music ? 1 : 0, 0), S_OK);
    const std::span<const unsigned char> bytes = FindResourceData(id);
    Mix_Chunk* chunk =
        Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    ASSERT_NE(chunk, nullptr);
    const auto* decoded = reinterpret_cast<const std::int16_t*>(chunk->abuf);
    Samples bus(decoded, decoded + chunk->alen / sizeof(std::int16_t));
    Mix_FreeChunk(chunk);
    const double seconds = bus.size() / 2.0 / kMixRate;
    EXPECT_TRUE(music ? seconds >= 60.0 && seconds <= 120.0 : seconds >= 0.2 && seconds <= 3.05)
        << seconds;
    EXPECT_GT(RmsDb(bus), -30.0);
    const double peakDb = 20.0 * std::log10(Peak(bus) / double(kFullScale));
    EXPECT_TRUE(peakDb < -0.5 && peakDb > (music ? -3.0 : -1.2)) << peakDb;
    const std::span<const std::int16_t> start(bus.data(), 2), end(bus.data() + bus.size() - 2, 2);
    const std::size_t window = kMixRate / 20 * 2;  // 50 ms
    const double seamDb = RmsDb(Samples(bus.begin(), bus.begin() + window)) -
                          RmsDb(Samples(bus.end() - window, bus.end()));
    if (music) {
      for (int speaker : {0, 1})
        EXPECT_LT(std::abs(start[speaker] - end[speaker]), 0.05 * kFullScale);
      EXPECT_LT(std::abs(seamDb), 8.0) << "the loop drops out or swells at its seam";
    } else {
      EXPECT_LT(Peak(start), 0.05 * kFullScale) << "starts on a click";
      EXPECT_LT(Peak(end), 0.01 * kFullScale) << "stops on a click";
    }
    const double peakInMix = Peak(bus) * cMasterBus::DecibelGain(MixLevelDb(id));
    // As the mixer gets it: the level in the mix, less the bus's headroom.
    const double mixerGain = cMasterBus::DecibelGain(MixLevelDb(id) - cMasterBus::kHeadroomDb);
    for (std::int16_t& s : bus) s = static_cast<std::int16_t>(std::lround(s * mixerGain));
    cMasterBus().Process(bus.data(), bus.size());
    EXPECT_GE(Peak(bus), peakInMix * cMasterBus::DecibelGain(-0.5f));
  }

  ASSERT_EQ(sound.Pause(), S_OK);
  ASSERT_NE(sound.Play(std::to_wstring(kMatchMusic)), 0u);
  for (int id = kFirstEffect; id <= kLastEffect; ++id) {
    for (int play = 0; play < cSoundSystem::kMaxPlaysPerSample; ++play) {
      ASSERT_NE(sound.Play(std::to_wstring(id)), 0u) << id;
    }
  }
  ASSERT_EQ(sound.Start(), S_OK);
  const Samples mix = Record(1.0, 0.0);
  ASSERT_FALSE(mix.empty());
  EXPECT_LT(Peak(mix), kFullScale);
  EXPECT_GT(RmsDb(mix), -12.0);
}

// A change of volume glides into place rather than clicking: a steady level starts near where
// it was and falls steadily to the new one; a mute ends in true silence. A burst far beyond
// full scale is held at the ceiling and the level comes back slowly after it.
TEST(MasterBus, AVolumeChangeGlidesIntoPlaceAMuteIsSilentAndPeaksAreHeldUnderTheCeiling) {
  for (float volume : {0.0f, -1.0f, std::nanf("")}) EXPECT_EQ(cMasterBus::VolumeGain(volume), 0.0f);
  for (float volume : {0.1f, 0.5f, 1.0f, 1.5f})  // 0.1 is 40 dB down, 0.5 12 dB, above 1 full
    EXPECT_NEAR(cMasterBus::VolumeGain(volume), std::pow(std::min(volume, 1.0f), 2.0f), 1e-6f);
  cMasterBus bus;
  const float headroom = cMasterBus::DecibelGain(cMasterBus::kHeadroomDb);
  Samples steady(4410 * 2, 2000);  // 0.1 s
  bus.SetVolume(0.5f);
  bus.Process(steady.data(), steady.size());
  for (std::size_t i = 2; i < steady.size(); ++i) ASSERT_LE(steady[i], steady[i - 2]) << i;
  EXPECT_GT(steady[0], steady.back() * 3);
  EXPECT_NEAR(steady.back(), 2000 * headroom / 4, 1);
  bus.SetMuted(true);
  Samples muted(4410 * 4, kFullScale);  // 0.2 s
  bus.Process(muted.data(), muted.size());
  EXPECT_EQ(Peak(std::span(muted).last(200)), 0);

  bus.SetMuted(false);
  bus.SetVolume(1.0f);
  Samples burst(4410 * 2, kFullScale);
  bus.Process(burst.data(), burst.size());
  EXPECT_LE(Peak(burst), cMasterBus::kCeiling);
  EXPECT_GE(burst.back(), cMasterBus::kCeiling - 1);
  Samples after(88200, 2000);  // 1 s
  bus.Process(after.data(), after.size());
  EXPECT_LT(after.front(), 2000 * headroom / 2) << "the limiter lets go slowly";
  EXPECT_NEAR(after.back(), 2000 * headroom, 20);
}

// A tone alone is heard at its level in the mix (0 dB: as loud as it was written); half the
// player's volume is 12 dB down, a mute silent, unmuting brings the volume back, and the
// hero's ducking of the music to 20 of 100 is heard within the mixer's step.
TEST_F(SoundSystem, AToneIsHeardAtItsLevelUnderThePlayersVolumeMuteAndDucking) {
  ASSERT_EQ(sound.Init(nullptr, 1), S_OK);
  ASSERT_EQ(sound.AddSampleFromResource(kShortId, 1, 0), S_OK);
  const std::uint32_t music = sound.Play(Name(kShortId));
  const int tone = Peak(Record(0.2));
  EXPECT_NEAR(tone, 0.25 * kFullScale, 0.01 * tone);
  sound.SetMasterVolume(0.5f);
  sound.SetMuted(true);
  EXPECT_EQ(Peak(Record(0.2)), 0);
  sound.SetMuted(false);
  EXPECT_NEAR(Peak(Record(0.2)), tone / 4.0, 2);
  ASSERT_EQ(sound.SetChannelVolume(music, 20), S_OK);
  EXPECT_NEAR(Peak(Record(0.2)), tone / 4.0 * 0.2, tone / 4.0 * 0.5 / MIX_MAX_VOLUME + 1);
}

}  // namespace

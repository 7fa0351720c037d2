// The sound system on SDL's disk audio driver, writing to nowhere as fast as it can (a real
// mixer without a sound card or a wall clock), and the mix as the speakers get it.

#include "audio/sound_system.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "audio/master_bus.h"
#include "audio/mix_levels.h"
#include "audio/test_sounds.h"

namespace {

constexpr int kShortId = 9101;    // 0.2 s
constexpr int kLongId = 9102;     // 0.4 s
constexpr int kGarbageId = 9104;  // not audio at all
constexpr int kMissingId = 9199;  // never registered
constexpr int kMixRate = 44100;
constexpr int kFullScale = 32767;

using Samples = std::vector<std::int16_t>;

std::wstring Name(int id) { return std::to_wstring(id); }

int Peak(std::span<const std::int16_t> samples) {
  int peak = 0;
  for (std::int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
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
    setenv("DRAKMOOR_DEBUG", "1", 1);  // the tests read the system's debug lines
    audioBefore = SDL_WasInit(SDL_INIT_AUDIO);
  }
  void TearDown() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("DRAKMOOR_DEBUG");
  }

  // What every call does on the silent device: nothing, quietly.
  void ExpectSilentButWorking(cSoundSystem& silent) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(silent.AddSampleFromResource(kShortId, 1, 0), E_FAIL);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "## SoundSystem: >No Sound< - Device selected!\n");
    EXPECT_TRUE(silent.Play(Name(kShortId)) == 0 && silent.GetChannelVolume(1) == -1);
    EXPECT_EQ(silent.SetChannelVolume(1, 20), E_FAIL);
    EXPECT_EQ(silent.StopAll() | silent.Pause() | silent.Start(), S_OK);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), audioBefore) << "the silent device opens no audio";
  }

  // The next `seconds` of the mix as the speakers get it, after `settle` seconds unheard.
  Samples Record(double seconds, double settle = 0.2) {
    struct Recording {
      Samples heard;
      std::size_t wanted;
      std::atomic<bool> full = false;
    } recording{{}, static_cast<std::size_t>((settle + seconds) * kMixRate) * 2};
    // Called on the audio thread, under the system's lock that SetMixListener takes too.
    sound.SetMixListener(
        [](const std::int16_t* samples, std::size_t count, void* context) {
          auto& into = *static_cast<Recording*>(context);
          into.heard.insert(into.heard.end(), samples, samples + count);
          into.full = into.heard.size() >= into.wanted;
        },
        &recording);
    while (!recording.full) std::this_thread::yield();
    sound.SetMixListener(nullptr, nullptr);
    const auto heard = recording.heard.begin();
    return Samples(heard + static_cast<std::ptrdiff_t>(settle * kMixRate) * 2,
                   heard + static_cast<std::ptrdiff_t>(recording.wanted));
  }

  Uint32 audioBefore = 0;  // SDL's audio as other parts of the program left it
  cSoundSystem sound;
};

// While the output is paused nothing runs out, so "at once" holds however slow the machine.
// Every volume set is the one read back; a handle whose channel went to another sound names
// nothing. Opened again, the system starts afresh; a looping 0.2 s sound plays on past the end
// of a 0.4 s one; sounds started while paused or stopped wait for the output to start.
TEST_F(SoundSystem, AnEleventhPlayReplacesTheQuietestThenTheOldestAndLoopsPlayOnUntilStopAll) {
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
  EXPECT_TRUE(FAILED(sound.SetChannelVolume(handles[0], 101) | sound.SetChannelVolume(1, -1)));
  for (std::uint32_t& handle : handles) ASSERT_EQ(sound.SetChannelVolume(handle, 50), S_OK);
  ASSERT_NE(sound.Play(Name(kLongId)), 0u);
  ASSERT_EQ(sound.SetChannelVolume(handles[0], 10), S_OK);
  const std::uint32_t eleventh = sound.Play(Name(kShortId));
  EXPECT_EQ(Mix_Playing(-1), 11) << "ten of one sample and the other's one";
  EXPECT_EQ(sound.GetChannelVolume(handles[0]), -1);
  EXPECT_EQ(sound.GetChannelVolume(eleventh), 100);
  ASSERT_NE(sound.Play(Name(kShortId)), 0u);
  EXPECT_EQ(sound.GetChannelVolume(handles[1]), -1) << "nine share the lowest: the oldest goes";
  EXPECT_EQ(sound.GetChannelVolume(handles[2]), 50);
  ASSERT_EQ(sound.Init(nullptr, 1), S_OK);
  EXPECT_EQ(sound.SampleCount() + Mix_Playing(-1), 0u);
  for (int visit = 0; visit < 2; ++visit)  // as the menu adds its music on every visit
    ASSERT_EQ(sound.AddSampleFromResource(kShortId, 1, 0), S_OK);
  ASSERT_EQ(sound.AddSampleFromResource(kLongId, 0, 0), S_OK);
  const std::uint32_t loop = sound.Play(Name(kShortId));
  ASSERT_EQ(sound.Pause(), S_OK);
  const std::uint32_t once = sound.Play(Name(kLongId));
  EXPECT_EQ(Mix_Paused(-1), 2);
  EXPECT_EQ(sound.GetChannelVolume(once), 100) << "waits at full volume";
  ASSERT_EQ(sound.Start(), S_OK);
  EXPECT_EQ(Mix_Paused(-1), 0);
  while (Mix_Playing(-1) > 1) std::this_thread::yield();
  EXPECT_EQ(sound.GetChannelVolume(once), -1);
  EXPECT_EQ(sound.GetChannelVolume(loop), 100) << "the looping sound stopped";
  ASSERT_EQ(sound.StopAll(), S_OK);
  EXPECT_EQ(Mix_Playing(-1), 0);
  ASSERT_NE(sound.Play(Name(kLongId)), 0u);
  EXPECT_EQ(Mix_Paused(-1), 1);
}

// Before a device is chosen nothing loads, stops, starts or pauses. What cannot be loaded adds
// nothing; unknown names play nothing; a sample added again (every visit to the menu adds its
// music) is found, not loaded again. Without a sound card, or asked for one that is not there,
// the game falls back to the silent device; device 2 is the first SDL lists.
TEST_F(SoundSystem, WhatCannotBeLoadedAddsNothingAndWithoutASoundCardTheSilentDeviceServes) {
  EXPECT_TRUE(FAILED(sound.StopAll()) && FAILED(sound.Start()) && FAILED(sound.Pause()));
  EXPECT_EQ(sound.AddSampleFromResource(kShortId, 0, 0), E_FAIL);
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
  for (const std::wstring& name : {Name(kGarbageId), Name(kShortId), Name(127), std::wstring()})
    EXPECT_EQ(sound.Play(name), 0u);
  for (int visit = 0; visit < 3; ++visit)
    EXPECT_EQ(sound.AddSampleFromResource(kShortId, 0, 0), S_OK);
  EXPECT_EQ(sound.SampleCount(), 1u);
  EXPECT_EQ(sound.FindSample(Name(kShortId)), 1u);
  EXPECT_EQ(sound.Init(nullptr, 0), S_OK);
  ExpectSilentButWorking(sound);
  EXPECT_EQ(cSoundSystem().Init(nullptr, 2), S_OK);
  for (const auto& [driver, device] :
       {std::pair{"disk", 57}, {"disk", -1}, {"no-such-driver", 1}}) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    cSoundSystem unopened;
    EXPECT_EQ(unopened.Init(nullptr, device), E_FAIL) << driver << " " << device;
    ExpectSilentButWorking(unopened);
    EXPECT_EQ(unopened.Init(nullptr, 0), S_OK) << "the game's second try, silent";
  }
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

// The player's volume is squared (0.5 is 12 dB down), silent at 0 and below, full from 1 up. A
// change glides into place rather than clicking; a mute ends in true silence. A burst beyond
// full scale is held at the ceiling and the level comes back slowly after it.
TEST(MasterBus, AVolumeChangeGlidesIntoPlaceAMuteIsSilentAndPeaksAreHeldUnderTheCeiling) {
  for (float volume : {0.0f, -1.0f, std::nanf("")}) EXPECT_EQ(cMasterBus::VolumeGain(volume), 0.0f);
  for (float volume : {0.1f, 0.5f, 1.0f, 1.5f})
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
  Samples burst(4410 * 2, kFullScale), after(88200, 2000);  // then a steady second
  bus.Process(burst.data(), burst.size());
  EXPECT_TRUE(Peak(burst) <= cMasterBus::kCeiling && burst.back() >= cMasterBus::kCeiling - 1);
  bus.Process(after.data(), after.size());
  EXPECT_LT(after.front(), 2000 * headroom / 2) << "the limiter lets go slowly";
  EXPECT_NEAR(after.back(), 2000 * headroom, 20);
}

// The menu music, alone, plays at its full level and nothing is louder; the dragon's breath
// carries over every other effect, and the arrows' whooshes, one for each arrow, are quietest.
TEST(MixLevels, TheBreathCarriesOverTheFightAndTheWhooshesAreTheQuietest) {
  EXPECT_EQ(MixLevelDb(127), 0.0f);
  for (int id = 128; id <= 144; ++id) {
    EXPECT_LT(MixLevelDb(id), 0.0f) << id;
    EXPECT_TRUE(id == 128 ||
                (MixLevelDb(id) <= MixLevelDb(133) && MixLevelDb(id) >= MixLevelDb(131)))
        << id;
  }
  EXPECT_EQ(MixLevelDb(131), MixLevelDb(132));
}

}  // namespace

// The sound system on SDL's dummy audio driver: a real mixer with no sound card behind it.

#include "audio/sound_system.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "tests/audio/test_sounds.h"

namespace {

constexpr int kShortId = 9101;    // 0.2 s
constexpr int kLongId = 9102;     // 0.4 s
constexpr int kOtherId = 9103;    // 0.2 s
constexpr int kGarbageId = 9104;  // not audio at all
constexpr int kMissingId = 9199;  // never registered

void RegisterTestSounds() {
  static const bool registered = [] {
    test_sounds::Register(kShortId, test_sounds::SineWav(0.2));
    test_sounds::Register(kLongId, test_sounds::SineWav(0.4, 1));
    test_sounds::Register(kOtherId, test_sounds::SineWav(0.2, 2, 22050));
    const std::string garbage = "this is no sound at all";
    test_sounds::Register(kGarbageId, {garbage.begin(), garbage.end()});
    return true;
  }();
  (void)registered;
}

std::wstring Name(int id) { return std::to_wstring(id); }

// Waits, at most a generous while, until the mixer has no sounding channel left.
bool WaitUntilSilent(int keepSounding = 0) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (Mix_Playing(-1) > keepSounding) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

class SoundSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    RegisterTestSounds();
    ASSERT_EQ(sound.Init(nullptr, 1), S_OK);
  }

  cSoundSystem sound;
};

using SoundSystemPlayTest = SoundSystemTest;

// While the output is paused nothing runs out, so "at once" holds however slow the machine.
TEST_F(SoundSystemPlayTest, APlayBeyondTenReplacesTheQuietestThenTheOldest) {
  ASSERT_EQ(sound.AddSampleFromResource(kShortId, 0, 0), S_OK);
  ASSERT_EQ(sound.Pause(), S_OK);
  std::array<std::uint32_t, 10> handles{};
  for (std::uint32_t& handle : handles) {
    handle = sound.Play(Name(kShortId));
    ASSERT_NE(handle, 0u);
    ASSERT_EQ(sound.SetChannelVolume(handle, 50), S_OK);
  }
  EXPECT_EQ(Mix_Playing(-1), 10);
  ASSERT_EQ(sound.SetChannelVolume(handles[6], 10), S_OK);

  const std::uint32_t eleventh = sound.Play(Name(kShortId));
  ASSERT_NE(eleventh, 0u);
  EXPECT_EQ(Mix_Playing(-1), 10);
  for (std::size_t i = 0; i < handles.size(); ++i) {
    const int expected = i == 6 ? -1 : 50;
    EXPECT_EQ(sound.GetChannelVolume(handles[i]), expected) << i;
  }
  EXPECT_EQ(sound.GetChannelVolume(eleventh), 100);

  // Nine plays now share the lowest volume: the oldest of them goes.
  ASSERT_NE(sound.Play(Name(kShortId)), 0u);
  EXPECT_EQ(Mix_Playing(-1), 10);
  EXPECT_EQ(sound.GetChannelVolume(handles[0]), -1);
  EXPECT_EQ(sound.GetChannelVolume(handles[1]), 50);
  EXPECT_EQ(sound.GetChannelVolume(eleventh), 100);
}

TEST_F(SoundSystemPlayTest, EachSampleHasTenPlaysOfItsOwn) {
  ASSERT_EQ(sound.AddSampleFromResource(kShortId, 0, 0), S_OK);
  ASSERT_EQ(sound.AddSampleFromResource(kOtherId, 0, 0), S_OK);
  ASSERT_EQ(sound.Pause(), S_OK);
  for (int i = 0; i < 12; ++i) {
    EXPECT_NE(sound.Play(Name(kShortId)), 0u);
    EXPECT_NE(sound.Play(Name(kOtherId)), 0u);
  }
  EXPECT_EQ(Mix_Playing(-1), 20);
}

TEST_F(SoundSystemPlayTest, UnknownOrUnloadedNamesPlayNothing) {
  EXPECT_EQ(sound.Play(L"127"), 0u);
  ASSERT_EQ(sound.AddSampleFromResource(kShortId, 0, 0), S_OK);
  EXPECT_EQ(sound.FindSample(L"not a number"), 0u);
  EXPECT_EQ(sound.Play(L""), 0u);
  EXPECT_EQ(sound.Play(Name(kShortId) + L" "), 0u) << "names compare exactly";
  EXPECT_EQ(Mix_Playing(-1), 0);
}

// Every visit to the main menu adds the menu music again and every match load all its
// sounds: the second add must find the first and decode nothing.
TEST_F(SoundSystemPlayTest, AddingAnIdAgainReusesTheLoadedSample) {
  ASSERT_EQ(sound.AddSampleFromResource(kShortId, 0, 0), S_OK);
  const std::uint32_t first = sound.FindSample(Name(kShortId));
  ASSERT_NE(first, 0u);

  // Were the id decoded again, these bytes would make the add fail.
  const std::string garbage = "no longer a sound";
  test_sounds::Register(kShortId, {garbage.begin(), garbage.end()});
  for (int visit = 0; visit < 5; ++visit)
    EXPECT_EQ(sound.AddSampleFromResource(kShortId, 0, 0), S_OK);
  test_sounds::Register(kShortId, test_sounds::SineWav(0.2));

  EXPECT_EQ(sound.SampleCount(), 1u);
  EXPECT_EQ(sound.FindSample(Name(kShortId)), first);
  ASSERT_EQ(sound.AddSampleFromResource(kOtherId, 0, 0), S_OK);
  EXPECT_EQ(sound.SampleCount(), 2u);
  EXPECT_NE(sound.FindSample(Name(kOtherId)), first);
}

// A looping 0.2 s sound and a one-shot 0.4 s sound start together; once the one-shot is over
// the loop has passed its own end and must still sound.
TEST_F(SoundSystemPlayTest, LoopingSamplesPlayOnUntilStopAll) {
  ASSERT_EQ(sound.AddSampleFromResource(kShortId, 0, 0), S_OK);
  ASSERT_EQ(sound.AddSampleFromResource(kShortId, 1, 0), S_OK)
      << "the loop flag of the request holds";
  ASSERT_EQ(sound.AddSampleFromResource(kLongId, 0, 0), S_OK);
  ASSERT_EQ(sound.Pause(), S_OK);
  const std::uint32_t loop = sound.Play(Name(kShortId));
  const std::uint32_t once = sound.Play(Name(kLongId));
  ASSERT_NE(loop, 0u);
  ASSERT_NE(once, 0u);
  ASSERT_EQ(sound.Start(), S_OK);

  ASSERT_TRUE(WaitUntilSilent(1));
  EXPECT_EQ(sound.GetChannelVolume(once), -1);
  EXPECT_EQ(sound.GetChannelVolume(loop), 100) << "the looping sound stopped";

  ASSERT_EQ(sound.StopAll(), S_OK);
  EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SoundSystemPlayTest, PauseHoldsEverySoundUntilStartIncludingLaterOnes) {
  ASSERT_EQ(sound.AddSampleFromResource(kShortId, 0, 0), S_OK);
  ASSERT_NE(sound.Play(Name(kShortId)), 0u);
  ASSERT_EQ(sound.Pause(), S_OK);
  EXPECT_EQ(Mix_Paused(-1), 1);

  const std::uint32_t later = sound.Play(Name(kShortId));
  ASSERT_NE(later, 0u);
  EXPECT_EQ(Mix_Paused(-1), 2) << "a sound started while paused must wait for Start";
  EXPECT_EQ(sound.GetChannelVolume(later), 100);

  ASSERT_EQ(sound.Start(), S_OK);
  EXPECT_EQ(Mix_Paused(-1), 0);
  EXPECT_TRUE(WaitUntilSilent()) << "the sounds never ran out after Start";
}

// Entering a menu or loading a match stops everything, starts the output and plays music.
TEST_F(SoundSystemPlayTest, StopAllHaltsEverySoundAndHoldsTheOutputUntilStart) {
  ASSERT_EQ(sound.AddSampleFromResource(kShortId, 1, 0), S_OK);
  for (int i = 0; i < 3; ++i) ASSERT_NE(sound.Play(Name(kShortId)), 0u);
  ASSERT_EQ(sound.StopAll(), S_OK);
  EXPECT_EQ(Mix_Playing(-1), 0);

  ASSERT_NE(sound.Play(Name(kShortId)), 0u);
  EXPECT_EQ(Mix_Paused(-1), 1);
  ASSERT_EQ(sound.Start(), S_OK);
  EXPECT_EQ(Mix_Paused(-1), 0);
  EXPECT_EQ(Mix_Playing(-1), 1);
}

// The hero lowers the match music through the handle the game keeps. A channel keeps its
// volume when it is reused, and a handle of the old sound must not reach the new one.
TEST_F(SoundSystemPlayTest, EveryPlayStartsAtFullVolumeAndOldHandlesGoStale) {
  ASSERT_EQ(sound.AddSampleFromResource(kShortId, 1, 0), S_OK);
  const std::uint32_t music = sound.Play(Name(kShortId));
  ASSERT_EQ(sound.SetChannelVolume(music, 20), S_OK);
  EXPECT_EQ(sound.GetChannelVolume(music), 20);

  ASSERT_EQ(sound.StopAll(), S_OK);
  ASSERT_EQ(sound.Start(), S_OK);
  const std::uint32_t next = sound.Play(Name(kShortId));
  ASSERT_NE(next, 0u);
  EXPECT_NE(next, music);
  EXPECT_EQ(sound.GetChannelVolume(next), 100);

  EXPECT_EQ(sound.SetChannelVolume(music, 0), E_FAIL);
  EXPECT_EQ(sound.GetChannelVolume(next), 100);
}

TEST_F(SoundSystemPlayTest, ChannelVolumeRejectsBadInput) {
  ASSERT_EQ(sound.AddSampleFromResource(kShortId, 1, 0), S_OK);
  const std::uint32_t handle = sound.Play(Name(kShortId));
  for (int volume : {0, 37, 100}) {
    ASSERT_EQ(sound.SetChannelVolume(handle, volume), S_OK);
    EXPECT_EQ(sound.GetChannelVolume(handle), volume);
  }
  EXPECT_EQ(sound.SetChannelVolume(handle, -1), E_FAIL);
  EXPECT_EQ(sound.SetChannelVolume(handle, 101), E_FAIL);
  EXPECT_EQ(sound.GetChannelVolume(handle), 100);
  EXPECT_EQ(sound.SetChannelVolume(0, 50), E_FAIL);
  EXPECT_EQ(sound.SetChannelVolume(0xFFFFFFFFu, 50), E_FAIL);
  EXPECT_EQ(sound.GetChannelVolume(0), -1);
}

TEST_F(SoundSystemPlayTest, ResourcesThatCannotBeLoadedAddNothing) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(sound.AddSampleFromResource(kMissingId, 0, 0), E_FAIL);
  EXPECT_EQ(sound.AddSampleFromResource(kGarbageId, 0, 0), E_FAIL);
  EXPECT_EQ(sound.AddSampleFromResource(kShortId, 0, 1), E_FAIL);
  const std::string debug = testing::internal::GetCapturedStderr();

  EXPECT_EQ(sound.SampleCount(), 0u);
  EXPECT_EQ(sound.Play(Name(kGarbageId)), 0u);
  EXPECT_EQ(sound.Play(Name(kShortId)), 0u);
  EXPECT_EQ(debug,
            "Could not find resource 9199!\n"
            "## SoundSystem: Unknown format!\n"
            "## SoundSystem: Could init sample for 3D!\n");
}

TEST(SoundSystemErrorTextTest, GivesTheTableTextsAndUnknownErrorForOtherCodes) {
  EXPECT_EQ(cSoundSystem::ErrorText(99), L"## SoundSystem: Unknown Error!\n");
  EXPECT_EQ(cSoundSystem::ErrorText(37), L"## SoundSystem: >No Sound< - Device selected!\n");
  EXPECT_EQ(cSoundSystem::ErrorText(6), cSoundSystem::ErrorText(41));
  EXPECT_EQ(cSoundSystem::ErrorText(8), L"## SoundSystem: SoundSystem not initialized!\n");
}

}  // namespace

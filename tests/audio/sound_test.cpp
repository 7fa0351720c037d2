// The sound system on SDL's dummy audio driver (a real mixer with no sound card behind it):
// how many plays of a sample sound at once, loops, pause, samples loaded once, the game's own
// eighteen sounds, and a machine without sound that the game must still run on.

#include "audio/sound_system.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "audio/test_sounds.h"
#include "support/debug_trace.h"

namespace {

constexpr int kShortId = 9101;    // 0.2 s
constexpr int kLongId = 9102;     // 0.4 s
constexpr int kOtherId = 9103;    // 0.2 s
constexpr int kGarbageId = 9104;  // not audio at all
constexpr int kMissingId = 9199;  // never registered

std::wstring Name(int id) { return std::to_wstring(id); }

// Waits, at most a generous while, until no more than `keepSounding` channels sound.
bool WaitUntilSilent(int keepSounding = 0) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (Mix_Playing(-1) > keepSounding) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

class SoundSystem : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    static const bool registered = [] {
      test_sounds::Register(kShortId, test_sounds::SineWav(0.2));
      test_sounds::Register(kLongId, test_sounds::SineWav(0.4, 1));
      test_sounds::Register(kOtherId, test_sounds::SineWav(0.2, 2, 22050));
      const std::string garbage = "this is no sound at all";
      test_sounds::Register(kGarbageId, {garbage.begin(), garbage.end()});
      return true;
    }();
    (void)registered;
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

  Uint32 audioBefore = 0;  // SDL's audio as other parts of the program left it
  ScopedDebugTrace debugTrace;  // the tests read the system's debug lines
  cSoundSystem sound;
};

// While the output is paused nothing runs out, so "at once" holds however slow the machine.
TEST_F(SoundSystem, AnEleventhPlayReplacesTheQuietestThenTheOldestOfItsOwnSample) {
  ASSERT_EQ(sound.Init(nullptr, 1), S_OK);
  ASSERT_EQ(sound.AddSampleFromResource(kShortId, 0, 0), S_OK);
  ASSERT_EQ(sound.AddSampleFromResource(kOtherId, 0, 0), S_OK);
  ASSERT_EQ(sound.Pause(), S_OK);
  ASSERT_NE(sound.Play(Name(kOtherId)), 0u);
  std::array<std::uint32_t, 10> handles{};
  for (std::uint32_t& handle : handles) {
    handle = sound.Play(Name(kShortId));
    ASSERT_EQ(sound.SetChannelVolume(handle, 50), S_OK);
  }
  ASSERT_EQ(sound.SetChannelVolume(handles[6], 10), S_OK);
  const std::uint32_t eleventh = sound.Play(Name(kShortId));
  ASSERT_NE(eleventh, 0u);
  EXPECT_EQ(Mix_Playing(-1), 11) << "ten of one sample and the other's one";
  EXPECT_EQ(sound.GetChannelVolume(handles[6]), -1);
  EXPECT_EQ(sound.GetChannelVolume(eleventh), 100);
  ASSERT_NE(sound.Play(Name(kShortId)), 0u);
  EXPECT_EQ(sound.GetChannelVolume(handles[0]), -1) << "nine share the lowest: the oldest goes";
  EXPECT_EQ(sound.GetChannelVolume(handles[1]), 50);
  EXPECT_EQ(Mix_Playing(-1), 11);
}

// Every visit to the main menu adds the menu music again and every match load all its
// sounds: the second add must find the first and decode nothing.
TEST_F(SoundSystem, AddingAnIdAgainReusesTheLoadedSample) {
  ASSERT_EQ(sound.Init(nullptr, 1), S_OK);
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

// A looping 0.2 s sound and a one-shot 0.4 s sound start together; once the one-shot is over
// the loop has passed its own end and must still sound. Sounds started while paused wait.
TEST_F(SoundSystem, LoopsPlayOnUntilStopAllAndPauseHoldsEvenSoundsStartedLater) {
  ASSERT_EQ(sound.Init(nullptr, 1), S_OK);
  ASSERT_EQ(sound.AddSampleFromResource(kShortId, 1, 0), S_OK);
  ASSERT_EQ(sound.AddSampleFromResource(kLongId, 0, 0), S_OK);
  const std::uint32_t loop = sound.Play(Name(kShortId));
  ASSERT_EQ(sound.Pause(), S_OK);
  const std::uint32_t once = sound.Play(Name(kLongId));
  EXPECT_EQ(Mix_Paused(-1), 2);
  ASSERT_EQ(sound.Start(), S_OK);
  EXPECT_EQ(Mix_Paused(-1), 0);
  ASSERT_TRUE(WaitUntilSilent(1));
  EXPECT_EQ(sound.GetChannelVolume(once), -1);
  EXPECT_EQ(sound.GetChannelVolume(loop), 100) << "the looping sound stopped";
  ASSERT_EQ(sound.StopAll(), S_OK);
  EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SoundSystem, WhatCannotBeLoadedAddsNothingAndUnknownNamesPlayNothing) {
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
  EXPECT_EQ(cSoundSystem::ErrorText(99), L"## SoundSystem: Unknown Error!\n");
  EXPECT_EQ(cSoundSystem::ErrorText(8), L"## SoundSystem: SoundSystem not initialized!\n");
}

TEST_F(SoundSystem, EveryOneOfTheGamesEighteenSoundsDecodesAndPlays) {
  ASSERT_EQ(sound.Init(nullptr, 1), S_OK);
  ASSERT_EQ(sound.Pause(), S_OK);
  constexpr int kTestIdOffset = 9000;  // apart from the real numbers, which other tests use
  for (int id = 127; id <= 144; ++id) {
    const std::filesystem::path file =
        "sounds/" + std::to_string(id) + (id <= 128 ? ".ogg" : ".wav");
    std::ifstream in(file, std::ios::binary);
    ASSERT_TRUE(in) << file << " was not built";
    test_sounds::Register(id + kTestIdOffset, {std::istreambuf_iterator<char>(in), {}});
    ASSERT_EQ(sound.AddSampleFromResource(id + kTestIdOffset, id <= 128 ? 1 : 0, 0), S_OK) << file;
    EXPECT_NE(sound.Play(Name(id + kTestIdOffset)), 0u) << file;
  }
  EXPECT_EQ(Mix_Playing(-1), 18);
}

TEST_F(SoundSystem, WithoutASoundCardTheGameFallsBackToTheSilentDevice) {
  EXPECT_EQ(sound.Init(nullptr, 0), S_OK);
  ExpectSilentButWorking(sound);
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

}  // namespace

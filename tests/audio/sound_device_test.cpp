// Choosing the output device, and running on without one: the game must play on a machine
// that has no sound card, and its static game object outlives SDL.

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "audio/sound_system.h"
#include "tests/audio/test_sounds.h"

namespace {

constexpr int kSoundId = 9201;

class SoundDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    static const bool registered = [] {
      test_sounds::Register(kSoundId, test_sounds::SineWav(0.2));
      return true;
    }();
    (void)registered;
    audioBefore = SDL_WasInit(SDL_INIT_AUDIO);
  }
  void TearDown() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }

  Uint32 audioBefore = 0;  // SDL's audio as other parts of the program left it
};

// What every later call does on the silent device: nothing, quietly, and without a crash.
void ExpectSilentButWorking(cSoundSystem& sound, Uint32 audioBefore) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(sound.AddSampleFromResource(kSoundId, 1, 0), E_FAIL);
  const std::string debug = testing::internal::GetCapturedStderr();
  EXPECT_EQ(debug, "## SoundSystem: >No Sound< - Device selected!\n");
  EXPECT_EQ(sound.SampleCount(), 0u);
  EXPECT_EQ(sound.Play(std::to_wstring(kSoundId)), 0u);
  EXPECT_EQ(sound.SetChannelVolume(1, 20), E_FAIL);
  EXPECT_EQ(sound.StopAll(), S_OK);
  EXPECT_EQ(sound.Pause(), S_OK);
  EXPECT_EQ(sound.Start(), S_OK);
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), audioBefore) << "the silent device opens no audio";
}

TEST_F(SoundDeviceTest, DeviceZeroIsTheSilentDevice) {
  cSoundSystem sound;
  EXPECT_EQ(sound.Init(nullptr, 0), S_OK);
  ExpectSilentButWorking(sound, audioBefore);
}

TEST_F(SoundDeviceTest, DevicesThatCannotBeOpenedFallBackToSilence) {
  for (int device : {57, -1}) {
    cSoundSystem sound;
    EXPECT_EQ(sound.Init(nullptr, device), E_FAIL) << device;
    ExpectSilentButWorking(sound, audioBefore);
    EXPECT_EQ(sound.Init(nullptr, 0), S_OK) << "the game's second try with the silent device";
  }
}

TEST_F(SoundDeviceTest, AMissingAudioDriverFallsBackToSilenceAndLeavesSdlClean) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  cSoundSystem sound;
  EXPECT_EQ(sound.Init(nullptr, 1), E_FAIL);
  ExpectSilentButWorking(sound, audioBefore);

  setenv("SDL_AUDIODRIVER", "dummy", 1);
  ASSERT_EQ(sound.Init(nullptr, 1), S_OK);
  EXPECT_EQ(sound.AddSampleFromResource(kSoundId, 0, 0), S_OK);
  EXPECT_NE(sound.Play(std::to_wstring(kSoundId)), 0u);
}

// Device 1 is the default output, n >= 2 the (n-1)th output device SDL lists; the dummy
// driver lists exactly one.
TEST_F(SoundDeviceTest, DeviceTwoIsTheFirstListedOutput) {
  cSoundSystem sound;
  ASSERT_EQ(sound.Init(nullptr, 2), S_OK);
  EXPECT_EQ(sound.AddSampleFromResource(kSoundId, 0, 0), S_OK);
  EXPECT_NE(sound.Play(std::to_wstring(kSoundId)), 0u);
  EXPECT_EQ(sound.Init(nullptr, 3), E_FAIL);
}

TEST_F(SoundDeviceTest, ASecondSystemCannotTakeTheMixerFromTheFirst) {
  cSoundSystem first;
  ASSERT_EQ(first.Init(nullptr, 1), S_OK);
  ASSERT_EQ(first.AddSampleFromResource(kSoundId, 1, 0), S_OK);
  const std::uint32_t music = first.Play(std::to_wstring(kSoundId));
  {
    cSoundSystem second;
    EXPECT_EQ(second.Init(nullptr, 1), E_FAIL);
  }
  EXPECT_EQ(first.GetChannelVolume(music), 100) << "the second system disturbed the first";
}

TEST_F(SoundDeviceTest, NothingPlaysBeforeInit) {
  cSoundSystem sound;
  testing::internal::CaptureStderr();
  EXPECT_EQ(sound.AddSampleFromResource(kSoundId, 0, 0), E_FAIL);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "## SoundSystem: SoundSystem not initialized!\n");
  EXPECT_EQ(sound.Play(std::to_wstring(kSoundId)), 0u);
  EXPECT_EQ(sound.Pause(), E_FAIL);
}

TEST_F(SoundDeviceTest, ShutdownReleasesTheDeviceAndCanBeRepeated) {
  cSoundSystem sound;
  ASSERT_EQ(sound.Init(nullptr, 1), S_OK);
  ASSERT_EQ(sound.AddSampleFromResource(kSoundId, 1, 0), S_OK);
  ASSERT_NE(sound.Play(std::to_wstring(kSoundId)), 0u);
  sound.Shutdown();
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), audioBefore);
  EXPECT_EQ(sound.SampleCount(), 0u);
  EXPECT_EQ(sound.Play(std::to_wstring(kSoundId)), 0u);
  sound.Shutdown();
}

// The static game object is destroyed after main returns, when SDL may be gone. Run in a
// child process, since SDL_mixer's own state is left behind with the vanished device.
TEST_F(SoundDeviceTest, DestroyingTheSystemAfterSdlQuitIsSafe) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        {
          cSoundSystem sound;
          if (FAILED(sound.Init(nullptr, 1))) std::exit(2);
          if (FAILED(sound.AddSampleFromResource(kSoundId, 1, 0))) std::exit(3);
          if (sound.Play(std::to_wstring(kSoundId)) == 0) std::exit(4);
          SDL_Quit();
        }
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace

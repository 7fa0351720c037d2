// The game's own sounds, as the build renders them into ./sounds of the build folder: two Ogg
// Vorbis music loops and sixteen WAV effects of several rates and layouts, all of which the
// mixer must decode from memory.

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/sound_system.h"
#include "tests/audio/test_sounds.h"

namespace {

constexpr int kFirstSound = 127;
constexpr int kLastSound = 144;
constexpr int kLastMusic = 128;  // 127 and 128 are the Ogg music loops, the rest WAV
// Registered apart from the real numbers, so no other test finds them under those.
constexpr int kTestIdOffset = 9000;

std::filesystem::path ShippedFile(int id) {
  const char* extension = id <= kLastMusic ? ".ogg" : ".wav";
  return std::filesystem::path("sounds") / (std::to_string(id) + extension);
}

std::vector<unsigned char> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ShippedSoundsTest, EveryOneOfTheEighteenDecodesAndPlays) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  cSoundSystem sound;
  ASSERT_EQ(sound.Init(nullptr, 1), S_OK);
  ASSERT_EQ(sound.Pause(), S_OK);
  for (int id = kFirstSound; id <= kLastSound; ++id) {
    const std::filesystem::path file = ShippedFile(id);
    ASSERT_TRUE(std::filesystem::exists(file)) << file << " was not built";
    test_sounds::Register(id + kTestIdOffset, ReadFile(file));
    const int loop = id <= kLastMusic ? 1 : 0;
    ASSERT_EQ(sound.AddSampleFromResource(id + kTestIdOffset, loop, 0), S_OK) << file;
    EXPECT_NE(sound.Play(std::to_wstring(id + kTestIdOffset)), 0u) << file;
  }
  EXPECT_EQ(sound.SampleCount(), 18u);
  EXPECT_EQ(Mix_Playing(-1), 18);
}

}  // namespace

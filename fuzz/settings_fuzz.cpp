// Any bytes in the settings file: the reader must not crash, must give a difficulty the
// title screen and the match can use, and what it read must survive a save and a re-read.

#include <cmath>

#include "app/settings.h"
#include "fuzz_support.h"

namespace {

// The volume is written with six decimals, so a re-read may differ in the seventh.
bool SameVolume(float written, float reread) {
  if (std::isnan(written)) return std::isnan(reread);
  return written == reread || std::fabs(written - reread) <= 1e-6f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const cScratchFile file("settings");
  file.Write(data, size);

  cSettings settings;
  Require(SUCCEEDED(settings.Load(file.Path())), "a settings file that exists loads");
  Require(settings.difficulty >= 1 && settings.difficulty <= 3, "difficulty is 1, 2 or 3");

  Require(SUCCEEDED(settings.Save(file.Path())), "loaded settings can be saved");
  cSettings reread;
  reread.audio = settings.audio + 1;
  reread.difficulty = 0;
  Require(SUCCEEDED(reread.Load(file.Path())), "saved settings load");
  Require(reread.audio == settings.audio, "the audio device survives a save");
  Require(reread.difficulty == settings.difficulty, "the difficulty survives a save");
  Require(SameVolume(settings.volume, reread.volume), "the volume survives a save");
  return 0;
}

// drakmoor_synth: renders the game's sounds at build time.
//
//   drakmoor_synth effect NUMBER OUT.wav
//   drakmoor_synth taunt NUMBER SPEECH.wav OUT.wav
//   drakmoor_synth music SCORE.txt OUT.ogg

#include <exception>
#include <iostream>
#include <string>

#include "synth/effects/effects.h"
#include "synth/music.h"
#include "synth/ogg_file.h"
#include "synth/wav_file.h"

namespace {

constexpr int kMusicRate = 44100;  // the game's mixer rate: no resampling at the loop point
// Lossy coding moves peaks a little; this leaves room below full scale.
constexpr float kMusicPeak = 0.84f;
// Moderate Vorbis quality keeps the executable small.
constexpr float kMusicQuality = 0.35f;

int Usage() {
  std::cerr << "usage: drakmoor_synth effect NUMBER OUT.wav\n"
               "       drakmoor_synth taunt NUMBER SPEECH.wav OUT.wav\n"
               "       drakmoor_synth music SCORE.txt OUT.ogg\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  try {
    if (command == "effect" && argc == 4) {
      WriteWav(argv[3], MakeEffect(std::stoi(argv[2])));
    } else if (command == "taunt" && argc == 5) {
      WriteWav(argv[4], MakeTaunt(std::stoi(argv[2]), ReadWav(argv[3])));
    } else if (command == "music" && argc == 4) {
      WriteOgg(argv[3], RenderLoop(LoadScore(argv[2]), kMusicRate, kMusicPeak), kMusicQuality);
    } else {
      return Usage();
    }
  } catch (const std::exception& error) {
    std::cerr << "drakmoor_synth: " << error.what() << "\n";
    return 1;
  }
  return 0;
}

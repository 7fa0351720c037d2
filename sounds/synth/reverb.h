#pragma once

#include <cstddef>
#include <vector>

#include "synth/sound.h"

// A hall in the manner of Schroeder and Moorer: eight damped feedback combs
// in parallel and four all-pass diffusers in series per channel, the right
// channel's delays a little longer than the left's for width.
class cReverb {
 public:
  struct Settings {
    float size = 0.8f;     // 0..1, how long the tail rings
    float damping = 0.4f;  // 0..1, how quickly the highs die away
    float wet = 0.25f;     // level of the tail added to the dry sound
  };

  cReverb(int rate, const Settings& settings);

  // Adds the tail to the sound in place. Mono sounds are fed to both
  // sides of the hall and summed back.
  void Process(cSound& sound);

 private:
  struct Delay {
    std::vector<float> line;
    std::size_t at = 0;
    float store = 0.0f;  // comb damping memory
  };
  struct Side {
    std::vector<Delay> combs;
    std::vector<Delay> allpasses;
  };

  float Run(Side& side, float input);

  Settings settings;
  float feedback;
  Side sides[2];
};

// Gives a one-shot sound a hall: appends `tailSeconds` of silence for the
// tail to ring into, runs the reverb and fades the very end.
void AddRoom(cSound& sound, const cReverb::Settings& settings, float tailSeconds);

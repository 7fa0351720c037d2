#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The players of the tunes. An instrument renders one pitch of one note as
// mono samples: `held` is how long the note is held in seconds, `velocity`
// 0..1 how hard it is played. The result includes whatever rings on after
// the note is let go, and ends in silence.
struct NoteRequest {
  int pitch = 60;  // MIDI number; for the drums, the hit (see score.h)
  float held = 0.5f;
  float velocity = 0.75f;
  int rate = 44100;
  std::uint32_t seed = 1;
};

using Instrument = std::vector<float> (*)(const NoteRequest& note);

// The instrument of that name; throws std::invalid_argument for an unknown one.
Instrument FindInstrument(const std::string& name);

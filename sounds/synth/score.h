#pragma once

#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

#include "synth/reverb.h"

// A tune as written in sounds/music/*.txt.
//
// The text is read line by line; a word starting with `#` begins a comment
// that runs to the end of the line. Directives:
//   tempo BPM                  quarter notes per minute
//   beats N                    length of the loop in beats
//   reverb size=S damping=D wet=W
//   pattern NAME ... end       a named run of steps for reuse
//   voice NAME INSTRUMENT [gain=G] [pan=P] ... end
// A body (of a pattern or voice) is a sequence of steps:
//   PITCH:LENGTH       a note, e.g. D4:1, F#3:1/2, Bb2:3/2; chords join
//                      pitches with '+' (D3+A3:2); drum hits are named
//                      (kick, snare, hat, openhat, tom, lowtom, boom, crash)
//   r:LENGTH           a rest
//   >PITCH:LENGTH      accented note;  _PITCH:LENGTH  soft note
//   @NAME or @NAME*N   the steps of an earlier pattern, N times
//   |                  a bar line, for the reader only
// Every voice must last exactly `beats` beats, so the loop cannot drift.

struct Note {
  double start = 0.0;   // beats from the start of the loop
  double length = 0.0;  // beats held
  float velocity = 0.75f;
  std::vector<int> pitches;  // MIDI note numbers
};

struct Voice {
  std::string name;
  std::string instrument;
  float gain = 1.0f;
  float pan = 0.0f;
  std::vector<Note> notes;
};

struct Score {
  double tempo = 120.0;
  double beats = 0.0;
  cReverb::Settings reverb;
  std::vector<Voice> voices;

  double SecondsPerBeat() const { return 60.0 / tempo; }
};

// Thrown with "source:line: what is wrong".
class cScoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

Score ParseScore(std::istream& text, const std::string& sourceName);
Score LoadScore(const std::string& path);

// MIDI number of a pitch name such as "C4" (60), "F#3" or "Bb2", or of a
// named drum hit; -1 when the name means neither.
int PitchNumber(const std::string& name);

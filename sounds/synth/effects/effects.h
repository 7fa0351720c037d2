#pragma once

#include "synth/sound.h"

// The game's sound effects, numbered as the game loads them (129..144).

// Channel count and sample rate the game expects for that number.
struct EffectFormat {
  int channels = 2;
  int rate = 44100;
};

// True for the numbers that are spoken rather than synthesised (the hero's
// taunts); those are made by MakeTaunt.
bool IsSpoken(int number);

// Synthesises effect `number`, normalised to kTargetPeak. Throws
// std::invalid_argument for numbers outside the table or spoken ones.
cSound MakeEffect(int number);

// Turns a speech synthesiser's plain reading of a taunt into a warrior's
// shout in the format of taunt `number`, normalised to kTargetPeak.
cSound MakeTaunt(int number, const cSound& speech);

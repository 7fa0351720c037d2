#pragma once

#include <string>

#include "synth/sound.h"

// 16-bit PCM WAV files. Both functions throw std::runtime_error with the
// path in the message when the file cannot be read or written.

// Writes the sound rounded to 16 bits; samples beyond full scale are clamped.
void WriteWav(const std::string& path, const cSound& sound);

// Reads a 16-bit PCM WAV file of any rate and channel count.
cSound ReadWav(const std::string& path);

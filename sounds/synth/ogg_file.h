#pragma once

#include <string>

#include "synth/sound.h"

// Ogg Vorbis files. Both functions throw std::runtime_error on failure.

// Encodes with variable bit rate; `quality` is libvorbis' scale (-0.1..1.0).
void WriteOgg(const std::string& path, const cSound& sound, float quality);

// Decodes a whole file. The frame count is exact: the stream's final
// granule position trims the encoder's padding.
cSound ReadOgg(const std::string& path);

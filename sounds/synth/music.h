#pragma once

#include "synth/score.h"
#include "synth/sound.h"

// Renders a score as a stereo loop of exactly `beats` beats. Notes that
// ring past the end and the reverb's tail are wrapped around to the
// beginning, so the loop's last sample runs on into its first as smoothly
// as any two neighbours inside it. The result is normalised to `peak`.
cSound RenderLoop(const Score& score, int rate, float peak);

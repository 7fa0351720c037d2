#pragma once
// The heads-up display of a running match: the dragon's health and breath bars, the match
// clock and the lair's gold, a badge for every hero on the field, the aiming mark while the
// space bar is held, the radar strip (ui/radar.h) and the pause overlay.

#include <cstdint>
#include <string>

class cGame;

// Draws the HUD over the match in one image batch (skipped for this frame when the batch
// cannot begin). The health bar's displayed value and the breath bar's pulse clock live in
// the game object, between frames and across matches.
void RenderHud(cGame& game, float elapsed);

// The health the bar shows `elapsed` seconds on: it closes 8/60 of the gap to `health` every
// sixtieth of a second (8 x elapsed in a frame of 1/60 s, the same share of the gap per second
// at any frame rate, never past `health`), snaps to it once within 1, and never shows more
// than 100.
float ChaseHealth(float displayed, float health, float elapsed);

// The health bar's colour at `fraction` (0..1) of full health: translucent red at 0, yellow
// at one half, opaque green at 1, blended channel by channel.
std::uint32_t HealthBarColour(float fraction);

// The match clock as shown: minutes (as many digits as needed), seconds and hundredths,
// "%02d:%02d.%02d", each part truncated.
std::wstring FormatMatchClock(float matchTime);

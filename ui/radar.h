#pragma once
// The valley at a glance: a thin strip along the top edge of the match display, between the
// dragon's bars and the hero badges, that shows the whole world from where zeppelins enter
// (x -300) to the back of the lair (x 5700). On it: the lie of the ground, the village and the
// lair, a mark for every attacker where it is (archers, wizards, heroes and zeppelins each
// in a colour and shape of their own, zeppelins at their height), the dragon, and a frame
// around the part of the world the screen shows.

#include "world/creatures/screen_element.h"  // Rect
#include "world/vec2.h"

class cGame;
class cGUI;

// The strip, in screen pixels of the 800 by 600 display.
inline constexpr Rect kRadarStrip{236, 6, 716, 40};

// Where a world point shows on the strip: x from -300 to 5700 across its width, y from -200
// (high in the sky) to 1300 (below the lowest ground) down its height; points beyond lie on
// its edge.
Vec2 RadarPoint(Vec2 world);

// Draws the strip with lines alone (no pictures): a band per mark, a handful of bands for
// the ground, so that it costs next to nothing per frame. Part of the HUD: drawn where the
// HUD is drawn and nowhere else.
void DrawRadar(const cGame& game, cGUI& gui);

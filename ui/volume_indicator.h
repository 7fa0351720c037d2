#pragma once
// The master volume indicator: a small panel at the top of the screen, shown for a moment after
// the player changed the volume, with the volume in ten steps or the word "muted".

class cGUI;

// Draws the panel over whatever the frame holds (lines and text, no image batch).
void DrawVolumeIndicator(cGUI& gui, float volume, bool muted);

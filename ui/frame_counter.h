#pragma once
// The frame counter the player switches on with F3: frames per second and the frame time
// (median and worst of the last second) in the screen's bottom-right corner, on a dark band of
// its own so that other small indicators can sit beside it.

class cGUI;

void RenderFrameCounter(cGUI& gui);

#pragma once
// Where the 800x600 picture lands in a window or screen of any size, how many pixels it is
// drawn with, and how large a window fits the desktop.

struct ScreenRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

inline constexpr int kBackBufferWidth = 800;
inline constexpr int kBackBufferHeight = 600;

// The largest 4:3 rectangle centred in an output of outputWidth x
// outputHeight pixels; the bars left over stay black. Empty for an output
// without area.
ScreenRect LetterboxRect(int outputWidth, int outputHeight);

// The back buffer's size in pixels for an output of outputWidth x outputHeight: the letterbox
// itself, so that the picture is drawn with the output's own pixels; 800x600 when `scaledUp`
// (the picture is drawn at 800x600 and scaled up when shown) and never less (a smaller window
// shows it scaled down).
ScreenRect BackBufferSize(int outputWidth, int outputHeight, bool scaledUp);

// The window Alt+Enter gives on a desktop whose usable area is usableWidth x usableHeight: the
// largest whole multiple of 800x600 within 85 % of it, never smaller than 800x600.
ScreenRect WindowedSize(int usableWidth, int usableHeight);

#pragma once
// Where the 800x600 back buffer lands in a window or screen of any size.

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

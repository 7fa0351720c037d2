#include "platform/letterbox.h"

#include <algorithm>

ScreenRect LetterboxRect(int outputWidth, int outputHeight) {
  if (outputWidth <= 0 || outputHeight <= 0) return {};
  // Compare width/height against 4/3 in integers to avoid rounding flicker.
  const long long wideness = static_cast<long long>(outputWidth) * kBackBufferHeight;
  const long long backBufferWideness = static_cast<long long>(outputHeight) * kBackBufferWidth;
  ScreenRect rect;
  if (wideness > backBufferWideness) {  // wider than 4:3: bars left and right
    rect.h = outputHeight;
    rect.w = static_cast<int>(static_cast<long long>(outputHeight) * kBackBufferWidth /
                              kBackBufferHeight);
  } else {  // taller (or exactly 4:3): bars above and below
    rect.w = outputWidth;
    rect.h = static_cast<int>(static_cast<long long>(outputWidth) * kBackBufferHeight /
                              kBackBufferWidth);
  }
  rect.x = (outputWidth - rect.w) / 2;
  rect.y = (outputHeight - rect.h) / 2;
  return rect;
}

ScreenRect BackBufferSize(int outputWidth, int outputHeight, bool scaledUp) {
  const ScreenRect letterbox = LetterboxRect(outputWidth, outputHeight);
  if (scaledUp || letterbox.w < kBackBufferWidth || letterbox.h < kBackBufferHeight) {
    return {0, 0, kBackBufferWidth, kBackBufferHeight};
  }
  return {0, 0, letterbox.w, letterbox.h};
}

ScreenRect WindowedSize(int usableWidth, int usableHeight) {
  constexpr long long kPercentOfDesktop = 85;
  const long long widthMultiple = usableWidth * kPercentOfDesktop / (100LL * kBackBufferWidth);
  const long long heightMultiple = usableHeight * kPercentOfDesktop / (100LL * kBackBufferHeight);
  const int multiple = static_cast<int>(std::max(1LL, std::min(widthMultiple, heightMultiple)));
  return {0, 0, multiple * kBackBufferWidth, multiple * kBackBufferHeight};
}

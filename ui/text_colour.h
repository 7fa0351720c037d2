#pragma once
// Packed colours for text and the pictures drawn as they are.

#include <cstdint>

#include "world/creatures/screen_element.h"

// Text, full bars, and pictures drawn in their own colours.
inline constexpr std::uint32_t kWhite = 0xffffffff;

// Each channel is clamped to 0..1 before packing, so a fade may run past its ends.
inline std::uint32_t ArgbFromFloats(float r, float g, float b, float a) {
  return ToArgb(Colour{r, g, b, a});
}

inline std::uint32_t WhiteWithAlpha(float alpha) { return ArgbFromFloats(1.0f, 1.0f, 1.0f, alpha); }

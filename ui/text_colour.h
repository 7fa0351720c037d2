#pragma once
// Packed colours for fading text.

#include <cstdint>

#include "world/creatures/screen_element.h"

// Each channel is clamped to 0..1 before packing, so a fade may run past its ends.
inline std::uint32_t ArgbFromFloats(float r, float g, float b, float a) {
  return ToArgb(Colour{r, g, b, a});
}

inline std::uint32_t WhiteWithAlpha(float alpha) { return ArgbFromFloats(1.0f, 1.0f, 1.0f, alpha); }

#pragma once
// Packed ARGB colours (alpha in the top byte) as SDL vertex colours.

#include <cstdint>

#include <SDL.h>

inline SDL_Color ArgbToSdlColor(std::uint32_t argb) {
  return SDL_Color{static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8),
                   static_cast<Uint8>(argb), static_cast<Uint8>(argb >> 24)};
}

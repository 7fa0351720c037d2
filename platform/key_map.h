#pragma once
// The keyboard's physical keys (SDL scancodes) as Windows virtual-key codes.

#include <SDL.h>

#include <cstdint>

// The virtual-key code of a key, or 0 for a key the game has no code for.
// Letters 65-90, digits 48-57, arrows 37-40, both Enter keys 13, Escape 27,
// Space 32, Backspace 8, Print Screen 44, F1-F12 112-123, keypad 96-111,
// left/right Shift, Control, Alt 160-165 and the navigation keys. Keys go by their place on
// the keyboard (W A S D fly on any layout); what a key types comes as text.
std::uint8_t VirtualKeyFromScancode(SDL_Scancode scancode);

// The scancode of a left/right modifier code 160-165, else SDL_SCANCODE_UNKNOWN.
SDL_Scancode ModifierScancodeFromVirtualKey(unsigned virtualKey);

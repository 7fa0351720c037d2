#include "platform/key_map.h"

#include "platform/virtual_keys.h"

namespace {

constexpr std::uint8_t Code(unsigned virtualKey) { return static_cast<std::uint8_t>(virtualKey); }

// A run of scancodes that maps onto a run of consecutive codes.
bool InRun(SDL_Scancode scancode, SDL_Scancode first, SDL_Scancode last) {
  return scancode >= first && scancode <= last;
}

std::uint8_t Offset(unsigned firstCode, SDL_Scancode scancode, SDL_Scancode first) {
  return Code(firstCode + static_cast<unsigned>(scancode - first));
}

struct ModifierKey {
  SDL_Scancode scancode;
  unsigned virtualKey;
};

constexpr ModifierKey kModifierKeys[] = {
    {SDL_SCANCODE_LSHIFT, VK_LSHIFT}, {SDL_SCANCODE_RSHIFT, VK_RSHIFT}, {SDL_SCANCODE_LCTRL, VK_LCONTROL},
    {SDL_SCANCODE_RCTRL, VK_RCONTROL}, {SDL_SCANCODE_LALT, VK_LMENU},   {SDL_SCANCODE_RALT, VK_RMENU},
};

}  // namespace

std::uint8_t VirtualKeyFromScancode(SDL_Scancode scancode) {
  if (InRun(scancode, SDL_SCANCODE_A, SDL_SCANCODE_Z)) return Offset('A', scancode, SDL_SCANCODE_A);
  // SDL orders the digit row 1..9, 0.
  if (InRun(scancode, SDL_SCANCODE_1, SDL_SCANCODE_9)) return Offset('1', scancode, SDL_SCANCODE_1);
  if (InRun(scancode, SDL_SCANCODE_F1, SDL_SCANCODE_F12)) return Offset(VK_F1, scancode, SDL_SCANCODE_F1);
  if (InRun(scancode, SDL_SCANCODE_KP_1, SDL_SCANCODE_KP_9)) return Offset(VK_NUMPAD0 + 1, scancode, SDL_SCANCODE_KP_1);
  for (const ModifierKey& modifier : kModifierKeys) {
    if (modifier.scancode == scancode) return Code(modifier.virtualKey);
  }
  switch (scancode) {
    case SDL_SCANCODE_0: return Code('0');
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER: return Code(VK_RETURN);
    case SDL_SCANCODE_ESCAPE: return Code(VK_ESCAPE);
    case SDL_SCANCODE_SPACE: return Code(VK_SPACE);
    case SDL_SCANCODE_BACKSPACE: return Code(VK_BACK);
    case SDL_SCANCODE_TAB: return Code(VK_TAB);
    case SDL_SCANCODE_CAPSLOCK: return Code(VK_CAPITAL);
    case SDL_SCANCODE_PRINTSCREEN: return Code(VK_SNAPSHOT);
    case SDL_SCANCODE_PAUSE: return Code(VK_PAUSE);
    case SDL_SCANCODE_INSERT: return Code(VK_INSERT);
    case SDL_SCANCODE_DELETE: return Code(VK_DELETE);
    case SDL_SCANCODE_HOME: return Code(VK_HOME);
    case SDL_SCANCODE_END: return Code(VK_END);
    case SDL_SCANCODE_PAGEUP: return Code(VK_PRIOR);
    case SDL_SCANCODE_PAGEDOWN: return Code(VK_NEXT);
    case SDL_SCANCODE_LEFT: return Code(VK_LEFT);
    case SDL_SCANCODE_UP: return Code(VK_UP);
    case SDL_SCANCODE_RIGHT: return Code(VK_RIGHT);
    case SDL_SCANCODE_DOWN: return Code(VK_DOWN);
    case SDL_SCANCODE_KP_0: return Code(VK_NUMPAD0);
    case SDL_SCANCODE_KP_MULTIPLY: return Code(VK_MULTIPLY);
    case SDL_SCANCODE_KP_PLUS: return Code(VK_ADD);
    case SDL_SCANCODE_KP_MINUS: return Code(VK_SUBTRACT);
    case SDL_SCANCODE_KP_PERIOD: return Code(VK_DECIMAL);
    case SDL_SCANCODE_KP_DIVIDE: return Code(VK_DIVIDE);
    default: return 0;
  }
}

SDL_Scancode ModifierScancodeFromVirtualKey(unsigned virtualKey) {
  for (const ModifierKey& modifier : kModifierKeys) {
    if (modifier.virtualKey == virtualKey) return modifier.scancode;
  }
  return SDL_SCANCODE_UNKNOWN;
}

#include "platform/key_map.h"

#include <gtest/gtest.h>

#include "platform/virtual_keys.h"

namespace {

// The keys the game and its name entry read, with their Windows codes; keys without a code give 0.
TEST(KeyMap, TheGamesKeysHaveTheirWindowsCodes) {
  const struct {
    SDL_Scancode scancode;
    unsigned code;
  } keys[] = {{SDL_SCANCODE_A, 'A'},         {SDL_SCANCODE_Z, 'Z'},         {SDL_SCANCODE_1, '1'},
              {SDL_SCANCODE_0, '0'},         {SDL_SCANCODE_RETURN, 13},     {SDL_SCANCODE_KP_ENTER, 13},
              {SDL_SCANCODE_LEFT, 37},       {SDL_SCANCODE_DOWN, 40},       {SDL_SCANCODE_ESCAPE, 27},
              {SDL_SCANCODE_SPACE, 32},      {SDL_SCANCODE_BACKSPACE, 8},   {SDL_SCANCODE_PRINTSCREEN, 44},
              {SDL_SCANCODE_F1, 112},        {SDL_SCANCODE_F12, 123},       {SDL_SCANCODE_KP_0, 96},
              {SDL_SCANCODE_KP_9, 105},      {SDL_SCANCODE_KP_DIVIDE, 111}, {SDL_SCANCODE_UNKNOWN, 0},
              {SDL_SCANCODE_APPLICATION, 0}, {SDL_SCANCODE_F13, 0}};
  for (const auto& key : keys) {
    EXPECT_EQ(VirtualKeyFromScancode(key.scancode), key.code) << SDL_GetScancodeName(key.scancode);
  }
}

TEST(KeyMap, ModifiersAreLeftAndRightCodesBothWays) {
  const SDL_Scancode modifiers[] = {SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT, SDL_SCANCODE_LCTRL,
                                    SDL_SCANCODE_RCTRL,  SDL_SCANCODE_LALT,   SDL_SCANCODE_RALT};
  unsigned expected = VK_LSHIFT;
  for (SDL_Scancode scancode : modifiers) {
    EXPECT_EQ(VirtualKeyFromScancode(scancode), expected);
    EXPECT_EQ(ModifierScancodeFromVirtualKey(expected), scancode);
    ++expected;
  }
  EXPECT_EQ(ModifierScancodeFromVirtualKey('A'), SDL_SCANCODE_UNKNOWN);
}

}  // namespace

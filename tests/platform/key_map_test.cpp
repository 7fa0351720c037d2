#include "platform/key_map.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "platform/virtual_keys.h"

namespace {

struct KeyCase {
  SDL_Scancode scancode;
  unsigned code;
};

void ExpectCodes(std::initializer_list<KeyCase> cases) {
  for (const KeyCase& key : cases) {
    EXPECT_EQ(VirtualKeyFromScancode(key.scancode), key.code) << SDL_GetScancodeName(key.scancode);
  }
}

TEST(KeyMap, LettersAndDigitsAreTheirUpperCaseCharacters) {
  // SDL's digit row runs 1..9, 0; the codes run 0..9.
  ExpectCodes({{SDL_SCANCODE_A, 'A'}, {SDL_SCANCODE_X, 'X'}, {SDL_SCANCODE_Z, 'Z'},
               {SDL_SCANCODE_1, '1'}, {SDL_SCANCODE_9, '9'}, {SDL_SCANCODE_0, '0'}});
}

TEST(KeyMap, BothEnterKeysAreEnter) { ExpectCodes({{SDL_SCANCODE_RETURN, 13}, {SDL_SCANCODE_KP_ENTER, 13}}); }

TEST(KeyMap, TheGamesControlKeysHaveTheirWindowsCodes) {
  ExpectCodes({{SDL_SCANCODE_LEFT, 37}, {SDL_SCANCODE_UP, 38}, {SDL_SCANCODE_RIGHT, 39},
               {SDL_SCANCODE_DOWN, 40}, {SDL_SCANCODE_ESCAPE, 27}, {SDL_SCANCODE_SPACE, 32},
               {SDL_SCANCODE_BACKSPACE, 8}, {SDL_SCANCODE_PRINTSCREEN, 44}});
}

TEST(KeyMap, FunctionAndKeypadKeysFillTheirRanges) {
  ExpectCodes({{SDL_SCANCODE_F1, 112}, {SDL_SCANCODE_F12, 123}, {SDL_SCANCODE_KP_0, 96},
               {SDL_SCANCODE_KP_1, 97}, {SDL_SCANCODE_KP_9, 105}, {SDL_SCANCODE_KP_MULTIPLY, 106},
               {SDL_SCANCODE_KP_PLUS, 107}, {SDL_SCANCODE_KP_MINUS, 109}, {SDL_SCANCODE_KP_PERIOD, 110},
               {SDL_SCANCODE_KP_DIVIDE, 111}});
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

TEST(KeyMap, KeysWithoutACodeGiveZero) {
  ExpectCodes({{SDL_SCANCODE_UNKNOWN, 0}, {SDL_SCANCODE_APPLICATION, 0}, {SDL_SCANCODE_F13, 0}});
}

}  // namespace

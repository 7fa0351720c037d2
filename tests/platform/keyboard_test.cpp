// Keys from SDL's events to the game: the key table, the keyboard callback,
// auto-repeat and Alt+Enter.

#include <SDL.h>

#include <gtest/gtest.h>

#include "support/framework_fixture.h"

namespace {

class Keyboard : public FrameworkFixture {
 protected:
  void SetUp() override {
    FrameworkFixture::SetUp();
    StartFramework();
  }

  // Queues a key event as the keyboard would deliver it; frames pump it.
  static void PushKey(SDL_Scancode scancode, bool down, Uint16 modifiers = KMOD_NONE, bool repeat = false) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.scancode = scancode;
    event.key.keysym.mod = modifiers;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
  }

  std::vector<Call> KeysOf(unsigned code) const {
    std::vector<Call> matching;
    for (const Call& call : CallsOf("key")) {
      if (call.code == code) matching.push_back(call);
    }
    return matching;
  }
};

TEST_F(Keyboard, APressAndReleaseReachTheGameAndTheKeyTableOnlyForKeysWithACode) {
  PushKey(SDL_SCANCODE_A, true);
  DXUTRunOneFrame();
  EXPECT_TRUE(DXUTIsKeyDown('A'));
  PushKey(SDL_SCANCODE_A, false);
  DXUTRunOneFrame();
  EXPECT_FALSE(DXUTIsKeyDown('A'));
  const auto keys = KeysOf('A');
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_TRUE(keys[0].down);
  EXPECT_FALSE(keys[1].down);

  PushKey(SDL_SCANCODE_F13, true);
  PushKey(SDL_SCANCODE_RETURN, true);
  PushKey(SDL_SCANCODE_RETURN, false);
  PushKey(SDL_SCANCODE_KP_ENTER, true);
  PushKey(SDL_SCANCODE_KP_ENTER, false);
  DXUTRunOneFrame();
  EXPECT_EQ(KeysOf(VK_RETURN).size(), 4u) << "both Enter keys are Enter";
  EXPECT_EQ(CallsOf("key").size(), 6u) << "F13 has no code and is not passed on";
}

TEST_F(Keyboard, KeyEventsAreHandledBeforeTheFrameThatFollowsThem) {
  PushKey(SDL_SCANCODE_SPACE, true);
  DXUTRunOneFrame();
  EXPECT_EQ(CallNames(), (std::vector<std::string>{"key", "move", "render"}));
}

TEST_F(Keyboard, AutoRepeatArrivesAsFurtherPressesAndOneRelease) {
  PushKey(SDL_SCANCODE_UP, true);
  PushKey(SDL_SCANCODE_UP, true, KMOD_NONE, true);
  PushKey(SDL_SCANCODE_UP, true, KMOD_NONE, true);
  PushKey(SDL_SCANCODE_UP, false);
  DXUTRunOneFrame();
  const auto keys = KeysOf(VK_UP);
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_TRUE(keys[0].down && keys[1].down && keys[2].down);
  EXPECT_FALSE(keys[3].down);
}

TEST_F(Keyboard, AltEnterTogglesFullScreenAndItsEnterNeverReachesTheGame) {
  PushKey(SDL_SCANCODE_LALT, true, KMOD_LALT);
  PushKey(SDL_SCANCODE_RETURN, true, KMOD_LALT);
  PushKey(SDL_SCANCODE_RETURN, true, KMOD_LALT, true);  // held: no second toggle
  PushKey(SDL_SCANCODE_LALT, false);
  PushKey(SDL_SCANCODE_RETURN, false);  // released after Alt: still the framework's
  DXUTRunOneFrame();

  EXPECT_FALSE(DXUTIsWindowed());
  EXPECT_TRUE(KeysOf(VK_RETURN).empty());
  EXPECT_FALSE(DXUTIsKeyDown(VK_RETURN));
  ASSERT_EQ(KeysOf(VK_LMENU).size(), 2u);
  EXPECT_TRUE(KeysOf(VK_LMENU)[0].alt);
  EXPECT_EQ(CallsOf("lost").size(), 1u);
  EXPECT_EQ(CallsOf("reset").size(), 1u);

  PushKey(SDL_SCANCODE_RETURN, true);  // a plain Enter afterwards is the game's again
  DXUTRunOneFrame();
  EXPECT_EQ(KeysOf(VK_RETURN).size(), 1u);
}

TEST_F(Keyboard, InjectedKeysTakeTheKeyboardsPathAndSetKeysOnlyTheTable) {
  DXUTInjectKey(VK_ESCAPE, true, false);  // default hot keys are off: Escape is the game's
  DXUTSetKeyDown('Z', true);
  DXUTSetKeyDown(VK_LSHIFT, true);
  EXPECT_TRUE(DXUTIsKeyDown(VK_ESCAPE));
  EXPECT_TRUE(DXUTIsKeyDown('Z'));
  EXPECT_TRUE(DXUTIsKeyDown(VK_LSHIFT));
  EXPECT_FALSE(DXUTIsKeyDown(VK_RSHIFT));
  ASSERT_EQ(CallsOf("key").size(), 1u);
  EXPECT_EQ(CallsOf("key")[0].code, VK_ESCAPE);
  EXPECT_TRUE(CallsOf("message").empty());  // and it does not close the window
}

}  // namespace

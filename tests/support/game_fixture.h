#pragma once
// A whole game in a test, without a window or a sound card: SDL's dummy drivers, the software
// renderer, the manual clock, a fresh working folder whose data/ shows the built pictures, font
// and terrain, and a freshly built `g_game` wired to the framework as the entry point wires it.

#include <gtest/gtest.h>

#include <string>

#include "app/game.h"
#include "support/temp_dir.h"

class cGUI;

class GameFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs `count` frames (frame move then frame render), the clock advancing `dt` before each.
  void RunFrames(int count, double dt = 1.0 / 60.0);
  // Keys go through the framework's keyboard path; Tap presses and releases.
  void Tap(unsigned key);
  void Press(unsigned key);
  void Release(unsigned key);
  // Holds or lets go of a key that the game polls every frame.
  void Hold(unsigned key, bool down);
  // Text typed at the keyboard (UTF-8), handed to the game by the next frame.
  void TypeText(const std::string& utf8);

  // Without the hall-of-fame file the game shows the slides before the first match.
  virtual bool StartsWithHallOfFame() const { return true; }
  // The settings file the player has before the start; none when null.
  virtual const char* SettingsText() const { return nullptr; }

  // Loads a match (state 3 afterwards) on the given difficulty; the world is the real one.
  void StartMatch(int difficulty = 1);

  cGame& game() { return g_game; }
  cGUI& gui();

 private:
  ScopedTempDir dir_;
};

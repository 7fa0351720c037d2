#pragma once
// A whole game without a window or a sound card: dummy drivers, the manual clock, a fresh
// working folder whose data/ shows the built pictures, font and terrain, and a fresh `g_game`
// wired to the framework as the entry point wires it.

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
  // Keys through the framework's keyboard path.
  void Tap(unsigned key);
  void Press(unsigned key);
  void Release(unsigned key);
  // A key that the game polls every frame.
  void Hold(unsigned key, bool down);
  // Text typed (UTF-8), handed to the game by the next frame.
  void TypeText(const std::string& utf8);

  // Without a hall of fame the game shows the slides before the first match.
  virtual bool StartsWithHallOfFame() const { return true; }
  virtual const char* SettingsText() const { return nullptr; }  // the settings file, if any
  // Loads the real match on the given difficulty.
  void StartMatch(int difficulty = 1);

  cGame& game() { return g_game; }
  cGUI& gui();

 private:
  ScopedTempDir dir_;
};

#pragma once
// A player at the keyboard of a real, headless game: it moves through the menus with menu
// keys, flies the dragon by holding the polled keys, breathes, launches fireballs, grabs,
// eats and drops, and waits for the screens a player waits for. Every frame goes through the
// framework's frame path at 60 frames a second of the manual clock; frames that nobody needs
// to see can run with the framework's rendering paused (frame move only), which keeps long
// matches fast.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string_view>

#include "support/game_fixture.h"
#include "world/vec2.h"

class cCreature;
class cDragon;

class ScriptedPlayer : public GameFixture {
 protected:
  static constexpr double kFrame = 1.0 / 60.0;
  static constexpr int kFramesPerSecond = 60;

  // Called before and after every frame the player runs: soaks refill the dragon and take
  // their measurements here.
  virtual void BeforeFrame() {}
  virtual void AfterFrame() {}

  // Every key the player presses or lets go of, in the menus and in a match, goes through
  // here: at the keyboard it goes through the framework's keyboard path (key table and
  // keyboard callback). A player with a pad in its hands presses the pad's buttons instead.
  virtual void SetKey(unsigned key, bool down);

  // ---- Frames --------------------------------------------------------------------------
  // Draws every `n`th frame from now on and runs only the frame move of the others; 1 draws
  // them all (the default).
  void DrawEvery(int n) { drawEvery_ = n < 1 ? 1 : n; }
  // One frame of 1/60 s.
  void Step();
  void Steps(int count);
  void Wait(double seconds);
  // Runs frames until `done` holds, at most `limit` of them; true when it holds.
  bool StepUntil(const std::function<bool()>& done, int limit);
  // Runs frames until the game shows top-level `state` (and, for the screens, `screen`).
  bool WaitForState(int state, int limit = 600);
  bool WaitForScreen(int screen, int limit = 600);

  // ---- Menus ---------------------------------------------------------------------------
  // Taps `key` (down, then up through the keyboard path) and runs one frame.
  void Key(unsigned key);
  // Moves the highlight to main-menu `item` with Up and Down, then chooses it with Enter.
  void PickMenuItem(int item);
  // Sets the difficulty with Left and Right on the main menu.
  void PickDifficulty(int difficulty);
  // Types `name` on the hall of fame (each letter's key, with its text) and confirms it with
  // Enter.
  void EnterName(std::wstring_view name);

  // ---- The dragon ----------------------------------------------------------------------
  cDragon* Dragon() const;
  // Holds `keys` for `seconds` of frames, then lets go of them and runs the frame that sees
  // them released.
  void HoldKeys(std::initializer_list<unsigned> keys, double seconds);
  // Flies towards the place `target` writes each frame until the dragon's centre is within
  // `reach` of it; true when it got there. False when `seconds` pass first, the match ends,
  // or `target` returns false (nothing left to fly to).
  bool FlyTowards(const std::function<bool(Vec2&)>& target, float reach, double seconds);
  bool FlyTo(Vec2 place, double seconds);
  // A short press of the fire key (0.2 s): a fireball, or a drop while something is held.
  void TapFire();
  // A press and release of the snap key: grabs the first creature within reach, or eats the
  // one held.
  void Snap();
  // Defends the lair for `seconds`: flies up and to the right of the attacker on foot
  // closest to the lair, turns to it and launches a fireball, twice a second. The coins of
  // the fallen slide to the dragon by themselves.
  void Hunt(double seconds);
  // Holds the fire key for `charge` seconds and lets go: more than a second breathes. Runs
  // until the stream ends and returns the most breath puffs that were in flight at once.
  int Breathe(double charge);
  // With nothing held: flies to the nearest creature the dragon can eat (archer, wizard,
  // sheep) and snaps at it. The creature held afterwards, or null when none was reached
  // within `seconds` (or something was held already).
  cCreature* GrabNearestMeal(double seconds);

  // ---- The world as the player sees it ---------------------------------------------------
  int CountProjectiles(int kind) const;
  int CountCreatures(int type) const;
  bool Listed(const cCreature* creature) const;
  // The share (0..1) of lit pixels on a coarse grid over the back buffer's last frame.
  double LitShare() const;

  // ---- A second run of the program in the same folder ------------------------------------
  // Ends this run as the program does at exit (cleanup, sound and framework shut down) and
  // starts a new one on the files it left.
  void Restart();

 private:
  void HoldAll(std::initializer_list<unsigned> keys, bool down);
  // Holds the arrow keys that steer the dragon from `from` towards `to`, letting go of the
  // others.
  void Steer(Vec2 from, Vec2 to);
  void ReleaseSteering();

  int drawEvery_ = 1;
  std::int64_t frameNumber_ = 0;
};

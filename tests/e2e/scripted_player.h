#pragma once
// A player at the keyboard of a real, headless game: it moves through the menus with menu
// keys, flies the dragon by holding the polled keys, breathes, launches fireballs, grabs,
// eats and drops, and waits for the screens a player waits for. Every frame goes through the
// framework's frame path at 60 frames a second of the manual clock; frames nobody needs to see
// can run with rendering paused (frame move only), which keeps long matches fast.

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

  // Called around every frame the player runs: soaks take their measurements here.
  virtual void BeforeFrame() {}
  virtual void AfterFrame() {}

  // Every key the player presses or lets go of goes through here: the framework's keyboard
  // path by default; a player with a pad in its hands presses the pad's buttons instead.
  virtual void SetKey(unsigned key, bool down);

  // Draws every `n`th frame from now on and only moves the others; 1 draws them all.
  void DrawEvery(int n) { drawEvery_ = n < 1 ? 1 : n; }
  // One frame of 1/60 s.
  void Step();
  void Wait(double seconds);
  // Runs frames until `done` holds, at most `limit` of them; true when it holds.
  bool StepUntil(const std::function<bool()>& done, int limit);
  bool WaitForScreen(int screen, int limit = 600);

  // Taps `key` and runs one frame.
  void Key(unsigned key);
  // Moves the highlight to main-menu `item` with Up and Down, then chooses it with Enter.
  void PickMenuItem(int item);
  // Sets the difficulty with Left and Right on the main menu.
  void PickDifficulty(int difficulty);
  // Types `name` (lower-case letters) on the hall of fame, keys and text, then Enter.
  virtual void EnterName(std::wstring_view name);

  cDragon* Dragon() const;
  // Holds `keys` for `seconds` of frames, then lets go and runs the frame that sees it.
  void HoldKeys(std::initializer_list<unsigned> keys, double seconds);
  // A short press of the fire key (0.2 s): a fireball, or a drop while something is held.
  void TapFire();
  // A press and release of the snap key: grabs what is within reach, or eats what is held.
  void Snap();
  // Defends the lair for `seconds`: flies up and to the right of the attacker on foot
  // closest to the lair, turns to it and launches a fireball, twice a second.
  void Hunt(double seconds);
  // Holds the fire key for `charge` seconds and lets go. Runs until the stream ends and
  // returns the most breath puffs that were in flight at once.
  int Breathe(double charge);
  // With nothing held: flies to the nearest creature the dragon can eat and snaps at it. The
  // creature held afterwards, or null when none was reached within `seconds`.
  cCreature* GrabNearestMeal(double seconds);

  int CountProjectiles(int kind) const;
  int CountCreatures(int type) const;
  // The share (0..1) of lit pixels on a coarse grid over the back buffer's last frame.
  double LitShare() const;

  // Ends this run as the program does at exit and starts a new one on the files it left.
  void Restart();

 private:
  void HoldAll(std::initializer_list<unsigned> keys, bool down);
  // Flies towards the place `target` writes each frame until the dragon is within `reach`
  // of it; false when `seconds` pass first, the match ends or `target` finds nothing.
  bool FlyTowards(const std::function<bool(Vec2&)>& target, float reach, double seconds);

  int drawEvery_ = 1;
  std::int64_t frameNumber_ = 0;
};

#pragma once
// A game controller that exists only in the test: SDL's virtual joystick with a controller's
// buttons and axes. Its changes are queued as SDL events at once, so the next frame hands them
// to the game in order. It records the rumbles the game asks of it.

#include <SDL.h>

#include <vector>

class VirtualPad {
 public:
  struct Rumble {
    Uint16 lowFrequency = 0;
    Uint16 highFrequency = 0;
  };

  VirtualPad() = default;
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;
  ~VirtualPad() { Unplug(); }

  // Needs the framework started. Plugging in lets the game hear pads without the window's
  // focus, which the headless window never gets.
  void PlugIn();
  void Unplug();

  // SDL_CONTROLLER_BUTTON_INVALID is no button: nothing happens.
  void SetButton(SDL_GameControllerButton button, bool down);
  // value -1..1 (y grows downwards).
  void SetAxis(SDL_GameControllerAxis axis, float value);
  // Lets go of every button and centres the sticks.
  void LetGo();

  const std::vector<Rumble>& rumbles() const { return rumbles_; }

 private:
  static int RecordRumble(void* userdata, Uint16 lowFrequency, Uint16 highFrequency);

  int deviceIndex_ = -1;
  SDL_Joystick* joystick_ = nullptr;
  std::vector<Rumble> rumbles_;
};

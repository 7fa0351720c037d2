#pragma once
// A game controller only in the test: SDL's virtual joystick with a controller's buttons and
// axes, whose changes the next frame hands to the game in order. It records the rumbles asked.

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

  // Needs the framework started; lets the game hear pads without the window's focus.
  void PlugIn();
  void Unplug();

  void SetButton(SDL_GameControllerButton button, bool down);  // INVALID: nothing happens
  void SetAxis(SDL_GameControllerAxis axis, float value);      // -1..1, y grows downwards
  void LetGo();  // every button up, the sticks centred

  const std::vector<Rumble>& rumbles() const { return rumbles_; }

 private:
  static int RecordRumble(void* userdata, Uint16 lowFrequency, Uint16 highFrequency);

  int deviceIndex_ = -1;
  SDL_Joystick* joystick_ = nullptr;
  std::vector<Rumble> rumbles_;
};

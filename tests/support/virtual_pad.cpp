#include "support/virtual_pad.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

void VirtualPad::PlugIn() {
  if (joystick_ != nullptr) return;
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  SDL_VirtualJoystickDesc desc;
  SDL_zero(desc);
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.name = "Test pad";
  desc.userdata = this;
  desc.Rumble = RecordRumble;
  deviceIndex_ = SDL_JoystickAttachVirtualEx(&desc);
  ASSERT_GE(deviceIndex_, 0) << SDL_GetError();
  joystick_ = SDL_JoystickOpen(deviceIndex_);
  ASSERT_NE(joystick_, nullptr) << SDL_GetError();
  LetGo();
}

void VirtualPad::Unplug() {
  if (joystick_ == nullptr) return;
  SDL_JoystickClose(joystick_);
  joystick_ = nullptr;
  SDL_JoystickDetachVirtual(deviceIndex_);
  deviceIndex_ = -1;
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, nullptr);
}

void VirtualPad::SetButton(SDL_GameControllerButton button, bool down) {
  if (joystick_ == nullptr || button == SDL_CONTROLLER_BUTTON_INVALID) return;
  SDL_JoystickSetVirtualButton(joystick_, button, down ? SDL_PRESSED : SDL_RELEASED);
  SDL_JoystickUpdate();
}

void VirtualPad::SetAxis(SDL_GameControllerAxis axis, float value) {
  if (joystick_ == nullptr) return;
  const auto raw =
      static_cast<Sint16>(std::lround(std::clamp(value, -1.0f, 1.0f) * SDL_JOYSTICK_AXIS_MAX));
  SDL_JoystickSetVirtualAxis(joystick_, axis, raw);
  SDL_JoystickUpdate();
}

void VirtualPad::LetGo() {
  for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button)
    SetButton(static_cast<SDL_GameControllerButton>(button), false);
  for (int axis = 0; axis < SDL_CONTROLLER_AXIS_MAX; ++axis)
    SetAxis(static_cast<SDL_GameControllerAxis>(axis), 0.0f);
}

int VirtualPad::RecordRumble(void* userdata, Uint16 lowFrequency, Uint16 highFrequency) {
  static_cast<VirtualPad*>(userdata)->rumbles_.push_back({lowFrequency, highFrequency});
  return 0;
}

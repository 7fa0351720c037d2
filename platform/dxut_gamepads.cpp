// Game controllers through SDL's game controller layer: opened as SDL announces them (also
// those plugged in before start-up), closed as they are pulled out. Their buttons and stick
// directions reach the game as key messages, the sticks' tilts are read by polling.

#include <SDL.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>
#include <optional>
#include <vector>

#include "platform/dxut_state.h"
#include "platform/rumble.h"

namespace {

// A resting stick rarely sits at its exact centre: tilts below this count as none.
constexpr float kDeadZone = 0.25f;
// A stick direction presses its key at half tilt and lets go again below a quarter, so that a
// stick held near the threshold does not chatter.
constexpr float kDirectionPressTilt = 0.5f;
constexpr float kDirectionReleaseTilt = 0.25f;
constexpr float kFullMotor = 65535.0f;
constexpr float kLongestRumbleMilliseconds = 10000.0f;

// SDL's buttons with their key codes. The guide button belongs to the system, and the
// buttons only some pads have (paddles, touchpad, share) have no code: the game never hears them.
struct ButtonKey {
  SDL_GameControllerButton button;
  unsigned key;
};

constexpr ButtonKey kButtonKeys[] = {
    {SDL_CONTROLLER_BUTTON_A, VK_GAMEPAD_A},
    {SDL_CONTROLLER_BUTTON_B, VK_GAMEPAD_B},
    {SDL_CONTROLLER_BUTTON_X, VK_GAMEPAD_X},
    {SDL_CONTROLLER_BUTTON_Y, VK_GAMEPAD_Y},
    {SDL_CONTROLLER_BUTTON_BACK, VK_GAMEPAD_VIEW},
    {SDL_CONTROLLER_BUTTON_START, VK_GAMEPAD_MENU},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, VK_GAMEPAD_LEFT_THUMBSTICK_BUTTON},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, VK_GAMEPAD_RIGHT_THUMBSTICK_BUTTON},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, VK_GAMEPAD_LEFT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, VK_GAMEPAD_RIGHT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, VK_GAMEPAD_DPAD_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, VK_GAMEPAD_DPAD_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, VK_GAMEPAD_DPAD_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, VK_GAMEPAD_DPAD_RIGHT},
};

// The stick axes, each with the keys of its two directions.
struct StickAxis {
  SDL_GameControllerAxis axis;
  DXUTGamepadAxis tilt;
  unsigned negativeKey;
  unsigned positiveKey;
};

constexpr StickAxis kStickAxes[] = {
    {SDL_CONTROLLER_AXIS_LEFTX, DXUTGamepadAxis::kLeftX, VK_GAMEPAD_LEFT_THUMBSTICK_LEFT,
     VK_GAMEPAD_LEFT_THUMBSTICK_RIGHT},
    {SDL_CONTROLLER_AXIS_LEFTY, DXUTGamepadAxis::kLeftY, VK_GAMEPAD_LEFT_THUMBSTICK_UP,
     VK_GAMEPAD_LEFT_THUMBSTICK_DOWN},
    {SDL_CONTROLLER_AXIS_RIGHTX, DXUTGamepadAxis::kRightX, VK_GAMEPAD_RIGHT_THUMBSTICK_LEFT,
     VK_GAMEPAD_RIGHT_THUMBSTICK_RIGHT},
    {SDL_CONTROLLER_AXIS_RIGHTY, DXUTGamepadAxis::kRightY, VK_GAMEPAD_RIGHT_THUMBSTICK_UP,
     VK_GAMEPAD_RIGHT_THUMBSTICK_DOWN},
};

using PadKeys = std::bitset<256>;

struct Gamepad {
  SDL_JoystickID id = -1;
  SDL_GameController* controller = nullptr;
  std::array<float, std::size(kStickAxes)> tilt{};
  PadKeys keys;  // the buttons and stick directions this pad holds down
};

struct Gamepads {
  bool subsystemStarted = false;
  std::vector<Gamepad> pads;
};

// Plain data: nothing here touches SDL when the program ends.
Gamepads& GetGamepads() {
  static Gamepads gamepads;
  return gamepads;
}

float TiltOf(Sint16 raw) {
  const float value = std::clamp(static_cast<float>(raw) / SDL_JOYSTICK_AXIS_MAX, -1.0f, 1.0f);
  const float beyondDeadZone = std::abs(value) - kDeadZone;
  if (beyondDeadZone <= 0.0f) return 0.0f;
  return std::copysign(beyondDeadZone / (1.0f - kDeadZone), value);
}

bool DirectionHeld(float tiltTowards, bool wasHeld) {
  return tiltTowards >= (wasHeld ? kDirectionReleaseTilt : kDirectionPressTilt);
}

PadKeys KeysOfAllPads() {
  PadKeys keys;
  for (const Gamepad& pad : GetGamepads().pads) keys |= pad.keys;
  return keys;
}

// Runs `change` on the pad with this id, then tells the game of every key that went down or
// up over all pads (two pads holding the same button hold one key).
template <typename Change>
void ChangePad(SDL_JoystickID id, Change change) {
  std::vector<Gamepad>& pads = GetGamepads().pads;
  const auto pad =
      std::find_if(pads.begin(), pads.end(), [id](const Gamepad& p) { return p.id == id; });
  if (pad == pads.end()) return;
  const PadKeys before = KeysOfAllPads();
  change(pad);
  const PadKeys after = KeysOfAllPads();
  for (unsigned key = 0; key < after.size(); ++key) {
    if (before[key] != after[key]) DXUTHandleKeyMessage(key, after[key], false);
  }
}

// The pad is known by the id of the controller that opened: the device index of its arrival
// may name another pad, or none, by the time the arrival is handled.
void OpenPad(int deviceIndex) {
  std::vector<Gamepad>& pads = GetGamepads().pads;
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (!controller) {
    DXUTOutputDebugString(L"Could not open game controller: %s\n", SDL_GetError());
    return;
  }
  const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
  if (std::any_of(pads.begin(), pads.end(), [id](const Gamepad& p) { return p.id == id; })) {
    SDL_GameControllerClose(controller);  // opened already: this handle is one too many
    return;
  }
  Gamepad pad;
  pad.id = id;
  pad.controller = controller;
  pads.push_back(pad);
  const char* name = SDL_GameControllerName(controller);
  DXUTOutputDebugString(L"Game controller connected: %s\n", name ? name : "(unnamed)");
  DXUTSendWindowMessage(kMsgGamepadChange, 1, 0);
}

void ClosePad(SDL_JoystickID id) {
  std::vector<Gamepad>& pads = GetGamepads().pads;
  bool removed = false;
  ChangePad(id, [&](std::vector<Gamepad>::iterator pad) {
    SDL_GameControllerClose(pad->controller);
    pads.erase(pad);
    removed = true;
  });
  if (removed) DXUTSendWindowMessage(kMsgGamepadChange, 0, 0);
}

void SetButton(SDL_JoystickID id, Uint8 button, bool down) {
  const auto known = std::find_if(std::begin(kButtonKeys), std::end(kButtonKeys),
                                  [button](const ButtonKey& b) { return b.button == button; });
  if (known == std::end(kButtonKeys)) return;
  ChangePad(id, [&](std::vector<Gamepad>::iterator pad) { pad->keys[known->key] = down; });
}

void SetAxis(SDL_JoystickID id, Uint8 axis, Sint16 value) {
  const auto stick = std::find_if(std::begin(kStickAxes), std::end(kStickAxes),
                                  [axis](const StickAxis& s) { return s.axis == axis; });
  if (stick == std::end(kStickAxes)) return;  // the triggers
  ChangePad(id, [&](std::vector<Gamepad>::iterator pad) {
    const float tilt = TiltOf(value);
    pad->tilt[static_cast<std::size_t>(stick->tilt)] = tilt;
    pad->keys[stick->negativeKey] = DirectionHeld(-tilt, pad->keys[stick->negativeKey]);
    pad->keys[stick->positiveKey] = DirectionHeld(tilt, pad->keys[stick->positiveKey]);
  });
}

}  // namespace

void DXUTStartGamepads() {
  Gamepads& gamepads = GetGamepads();
  if (SDL_WasInit(SDL_INIT_GAMECONTROLLER)) return;
  // Pads plugged in already are announced like new ones, by the first events.
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    DXUTOutputDebugString(L"No game controllers: %s\n", SDL_GetError());
    return;
  }
  gamepads.subsystemStarted = true;
}

void DXUTStopGamepads() {
  Gamepads& gamepads = GetGamepads();
  for (const Gamepad& pad : gamepads.pads) SDL_GameControllerClose(pad.controller);
  gamepads.pads.clear();
  if (gamepads.subsystemStarted) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  gamepads.subsystemStarted = false;
}

void DXUTHandleGamepadEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      OpenPad(event.cdevice.which);
      break;
    case SDL_CONTROLLERDEVICEREMOVED:
      ClosePad(event.cdevice.which);
      break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      SetButton(event.cbutton.which, event.cbutton.button, event.cbutton.state == SDL_PRESSED);
      break;
    case SDL_CONTROLLERAXISMOTION:
      SetAxis(event.caxis.which, event.caxis.axis, event.caxis.value);
      break;
    default:
      break;
  }
}

float DXUTGetGamepadAxis(DXUTGamepadAxis axis) {
  float strongest = 0.0f;
  for (const Gamepad& pad : GetGamepads().pads) {
    const float tilt = pad.tilt[static_cast<std::size_t>(axis)];
    if (std::abs(tilt) > std::abs(strongest)) strongest = tilt;
  }
  return strongest;
}

std::optional<std::uint32_t> RumbleMilliseconds(float seconds) {
  if (std::isnan(seconds)) return std::nullopt;
  // SDL takes 0 as "until the next call": even the shortest rumble lasts a millisecond.
  const float milliseconds = std::clamp(seconds * 1000.0f, 1.0f, kLongestRumbleMilliseconds);
  return static_cast<std::uint32_t>(std::lround(milliseconds));
}

void DXUTRumbleGamepads(float strength, float seconds) {
  const std::optional<std::uint32_t> milliseconds = RumbleMilliseconds(seconds);
  if (!milliseconds || std::isnan(strength)) return;
  const auto motor = static_cast<Uint16>(std::clamp(strength, 0.0f, 1.0f) * kFullMotor);
  for (const Gamepad& pad : GetGamepads().pads)
    SDL_GameControllerRumble(pad.controller, motor, motor, *milliseconds);
}

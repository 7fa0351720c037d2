// Window messages and keys: SDL's events turned into the game's key callback
// and window messages, and the framework's own handling of them.

#include <SDL.h>

#include "platform/dxut_state.h"
#include "platform/key_map.h"
#include "platform/utf8.h"

namespace {

constexpr std::uintptr_t kActivationGained = 1;
constexpr std::uintptr_t kActivationLost = 0;

void HandleActivation(bool gained) {
  DXUTState& state = GetDXUTState();
  state.active = gained;
  const bool fullScreen = state.device.renderer && !state.settings.windowed;
  if (!gained && fullScreen && !state.pausedForInactivity) {
    state.pausedForInactivity = true;
    DXUTPause(true, true);
  } else if (gained && state.pausedForInactivity) {
    state.pausedForInactivity = false;
    DXUTPause(false, false);
  }
  DXUTUpdateCursorClip();
}

// What the framework does with a message that MsgProc let through.
void HandleFrameworkMessage(unsigned message, std::uintptr_t wParam) {
  DXUTState& state = GetDXUTState();
  switch (message) {
    case kMsgActivate:
      HandleActivation(wParam != kActivationLost);
      break;
    case kMsgClose:
      // The window's SDL objects live until DXUTShutdown; to the player it is gone.
      if (state.device.window) SDL_HideWindow(state.device.window);
      DXUTSendWindowMessage(kMsgDestroy, 0, 0);
      break;
    case kMsgDestroy:
      DXUTPostQuitMessage(0);
      break;
    default:
      break;
  }
}

void HandleWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      DXUTSendWindowMessage(kMsgActivate, kActivationGained, 0);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      DXUTSendWindowMessage(kMsgActivate, kActivationLost, 0);
      break;
    case SDL_WINDOWEVENT_CLOSE:
      DXUTSendWindowMessage(kMsgClose, 0, 0);
      break;
    case SDL_WINDOWEVENT_ENTER:
      DXUTSendWindowMessage(kMsgSetCursor, 0, 0);
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      // A new size needs a back buffer of its own before anything is shown again.
      DXUTFitBackBufferToOutput();
      [[fallthrough]];
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
      // The window may have lost its picture, even one the game keeps.
      DXUTWindowChanged();
      DXUTRepaint();
      break;
    default:
      break;
  }
}

void HandleMouseButton(const SDL_MouseButtonEvent& event) {
  // SDL numbers the buttons left, middle, right, extra 1, extra 2 from 1: the table's order.
  const unsigned index = event.button - 1u;
  if (index < GetDXUTState().mouseButtons.size()) GetDXUTState().mouseButtons[index] = event.state == SDL_PRESSED;
}

// Notes which physical key types the text that follows, and which keys are held.
void NoteKeyboardKey(const SDL_KeyboardEvent& event) {
  DXUTState& state = GetDXUTState();
  const SDL_Scancode scancode = event.keysym.scancode;
  if (scancode <= SDL_SCANCODE_UNKNOWN || scancode >= SDL_NUM_SCANCODES) return;
  if (event.type == SDL_KEYDOWN) {
    state.scancodesHeld.set(scancode);
    state.typingScancode = scancode;
    state.typingRepeats = event.repeat != 0;
  } else {
    state.scancodesHeld.reset(scancode);
    state.scancodesWithoutText.reset(scancode);
  }
}

// Typed text, one message per character, after the key press that typed it; text with no key
// press before it (an input method's) counts as freshly typed.
void HandleTextInput(const SDL_TextInputEvent& event) {
  DXUTState& state = GetDXUTState();
  const SDL_Scancode typist = state.typingScancode;
  const std::intptr_t repeated = state.typingRepeats ? kCharRepeated : 0;
  state.typingScancode = SDL_SCANCODE_UNKNOWN;
  state.typingRepeats = false;
  if (typist != SDL_SCANCODE_UNKNOWN && state.scancodesWithoutText.test(typist)) return;
  for (wchar_t character : Utf8ToWide(event.text)) {
    DXUTSendWindowMessage(kMsgChar, static_cast<std::uintptr_t>(character), repeated);
  }
}

void HandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      NoteKeyboardKey(event.key);
      if (const std::uint8_t key = VirtualKeyFromScancode(event.key.keysym.scancode)) {
        DXUTHandleKeyMessage(key, event.type == SDL_KEYDOWN, (event.key.keysym.mod & KMOD_ALT) != 0);
      }
      break;
    case SDL_TEXTINPUT:
      HandleTextInput(event.text);
      break;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
      DXUTHandleGamepadEvent(event);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      HandleMouseButton(event.button);
      break;
    case SDL_MOUSEMOTION:
      DXUTSendWindowMessage(kMsgSetCursor, 0, 0);
      break;
    case SDL_WINDOWEVENT:
      HandleWindowEvent(event.window);
      break;
    case SDL_QUIT:
      // Follows the last window's close (already handled) or comes from a
      // signal: then it is a close request like any other.
      if (!GetDXUTState().quitPosted) DXUTSendWindowMessage(kMsgClose, 0, 0);
      break;
    case SDL_RENDER_TARGETS_RESET:
      DXUTHandleRenderTargetsReset();
      break;
    case SDL_RENDER_DEVICE_RESET:
      DXUTHandleRenderDeviceReset();
      break;
    default:
      break;
  }
}

}  // namespace

bool DXUTHandleNextEvent() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
  SDL_Event event;
  if (!SDL_PollEvent(&event)) return false;
  HandleEvent(event);
  return true;
}

long DXUTSendWindowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  const DXUTState& state = GetDXUTState();
  bool noFurtherProcessing = false;
  long result = 0;
  if (state.msgProc.callback) {
    result = state.msgProc.callback(state.device.window, message, wParam, lParam, &noFurtherProcessing,
                                    state.msgProc.context);
  }
  if (!noFurtherProcessing) HandleFrameworkMessage(message, wParam);
  return result;
}

void DXUTHandleKeyMessage(unsigned virtualKey, bool keyDown, bool altDown) {
  DXUTState& state = GetDXUTState();
  virtualKey &= 0xFFu;
  // Alt+Enter belongs to the framework: neither its press, its repeats nor
  // its release reach the game (on the main menu Enter would choose an item).
  if (virtualKey == VK_RETURN && state.handleAltEnter) {
    if (keyDown && (altDown || state.enterSwallowedByAltEnter)) {
      if (!state.enterSwallowedByAltEnter) {
        state.enterSwallowedByAltEnter = true;
        DXUTToggleFullScreen();
      }
      return;
    }
    if (!keyDown && state.enterSwallowedByAltEnter) {
      state.enterSwallowedByAltEnter = false;
      return;
    }
  }
  state.keys[virtualKey] = keyDown;
  if (state.keyboard.callback) state.keyboard.callback(virtualKey, keyDown, altDown, state.keyboard.context);
  if (keyDown && virtualKey == VK_ESCAPE && state.handleDefaultHotkeys) DXUTSendWindowMessage(kMsgClose, 0, 0);
}

bool DXUTIsKeyDown(std::uint8_t virtualKey) {
  const DXUTState& state = GetDXUTState();
  switch (virtualKey) {
    case VK_LBUTTON: return state.mouseButtons[0];
    case VK_MBUTTON: return state.mouseButtons[1];
    case VK_RBUTTON: return state.mouseButtons[2];
    case VK_XBUTTON1: return state.mouseButtons[3];
    case VK_XBUTTON2: return state.mouseButtons[4];
    default: break;
  }
  const SDL_Scancode modifier = ModifierScancodeFromVirtualKey(virtualKey);
  if (modifier != SDL_SCANCODE_UNKNOWN) {
    // The keyboard's live state, or a key a test set.
    int count = 0;
    const Uint8* live = SDL_GetKeyboardState(&count);
    return state.keys[virtualKey] || (modifier < count && live[modifier]);
  }
  return state.keys[virtualKey];
}

void DXUTIgnoreTextOfHeldKeys() {
  DXUTState& state = GetDXUTState();
  state.scancodesWithoutText = state.scancodesHeld;
}

void DXUTInjectKey(unsigned virtualKey, bool keyDown, bool altDown) {
  DXUTHandleKeyMessage(virtualKey, keyDown, altDown);
}

void DXUTSetKeyDown(unsigned virtualKey, bool down) { GetDXUTState().keys[virtualKey & 0xFFu] = down; }

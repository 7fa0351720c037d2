// Keys, pads and window messages: the menu keys, the name typed on the hall of fame, the
// match's pause and screenshot keys, focus loss and a pad pulled out.

#include <cstdio>
#include <cwchar>
#include <filesystem>

#include "app/game.h"
#include "platform/dxut.h"
#include "platform/game_folders.h"
#include "ui/gui.h"

namespace {

constexpr int kLastSlide = 2;
constexpr unsigned kFrameCounterKey = VK_F1 + 2;  // F3

enum MenuItem : int { kStartGame = 0, kHowToPlay, kHallOfFame, kCredits, kQuit };

// A pad in the menus: the D-pad and the left stick move, A and Start confirm as Enter does, B
// goes back where Escape does. Its other buttons keep their own codes.
unsigned MenuKeyOf(unsigned key) {
  switch (key) {
    case VK_GAMEPAD_DPAD_UP:
    case VK_GAMEPAD_LEFT_THUMBSTICK_UP:
      return VK_UP;
    case VK_GAMEPAD_DPAD_DOWN:
    case VK_GAMEPAD_LEFT_THUMBSTICK_DOWN:
      return VK_DOWN;
    case VK_GAMEPAD_DPAD_LEFT:
    case VK_GAMEPAD_LEFT_THUMBSTICK_LEFT:
      return VK_LEFT;
    case VK_GAMEPAD_DPAD_RIGHT:
    case VK_GAMEPAD_LEFT_THUMBSTICK_RIGHT:
      return VK_RIGHT;
    case VK_GAMEPAD_A:
    case VK_GAMEPAD_MENU:
      return VK_RETURN;
    case VK_GAMEPAD_B:
      return VK_ESCAPE;
    default:
      return key;
  }
}

// A pad in a match: Start pauses and resumes as Escape does, Back leaves a paused match as
// Enter does. The dragon's controls poll the other buttons.
unsigned MatchKeyOf(unsigned key) {
  switch (key) {
    case VK_GAMEPAD_MENU:
      return VK_ESCAPE;
    case VK_GAMEPAD_VIEW:
      return VK_RETURN;
    default:
      return key;
  }
}

}  // namespace

void cGame::OnKeyboard(unsigned key, bool keyDown, bool /*altDown*/) {
  // Everywhere, on the press; the menus still see the key (it turns a slide).
  if (key == kFrameCounterKey && keyDown) showFrameCounter = !showFrameCounter;
  if (ApplyVolumeKey(key, keyDown)) return;
  if (state == kStateScreens) {
    ApplyMenuKey(MenuKeyOf(key), keyDown);
  } else if (state == kStateMatch) {
    ApplyMatchKey(MatchKeyOf(key), keyDown);
  }
}

void cGame::ApplyMatchKey(unsigned key, bool keyDown) {
  if (keyDown) return;
  switch (key) {
    case VK_RETURN:
      if (paused != 0) {
        SetPaused(0);
        ShowScreen(kScreenTitle);
      }
      break;
    case VK_ESCAPE:
      SetPaused(paused == 0 ? 1 : 0);
      break;
    case VK_SNAPSHOT:
      // Taken on the release only: one keystroke, one picture, even with key repeat.
      TakeScreenshot();
      break;
    default:
      break;
  }
}

void cGame::ApplyMenuKey(unsigned key, bool keyDown) {
  // A release counts only for a key pressed on this screen: the key that opened the screen
  // (C opens the credits on its press) and a key still held from the match that ended do
  // nothing here.
  key &= 0xFFu;
  if (!keyDown && !pressedOnScreen_[key]) return;
  pressedOnScreen_[key] = keyDown;

  const int screenAtKey = screen;
  ApplyMenuCommandKey(key, keyDown);
  // Every key released on the slides turns them, unless it just opened them.
  if (!keyDown && screen == kScreenHowToPlay && screenAtKey == kScreenHowToPlay) {
    ++slideIndex;
    if (slideIndex > kLastSlide) {
      slideIndex = 0;
      ShowScreen(kScreenTitle);
    }
  }
}

void cGame::TypeNameCharacter(wchar_t character) {
  if (state != kStateScreens || !TypingName()) return;
  if (character >= L'A' && character <= L'Z')
    character = static_cast<wchar_t>(character - L'A' + L'a');
  if (character < L'a' || character > L'z') return;
  const std::size_t length = std::wcslen(nameBuffer);
  if (length < kNameLength - 1) {
    nameBuffer[length] = character;
    nameBuffer[length + 1] = L'\0';
  }
}

void cGame::ApplyMenuCommandKey(unsigned key, bool keyDown) {
  const bool released = !keyDown;
  if (key == VK_UP && released) {
    --menuSelection;
  } else if (key == VK_DOWN && released) {
    ++menuSelection;
  } else if (key == VK_LEFT && released && screen == kScreenTitle) {
    if (settings.difficulty >= 2) --settings.difficulty;
  } else if (key == VK_RIGHT && released && screen == kScreenTitle) {
    if (settings.difficulty < 3) ++settings.difficulty;
  } else if (key == VK_RETURN && released && screen == kScreenTitle) {
    ChooseMenuItem();
  } else if (key == VK_RETURN && released && screen == kScreenHallOfFame) {
    if (nameEntryActive != 0) {
      hiscores.Insert(nameBuffer, MatchScore());
      nameEntryActive = 0;
      nameBuffer[0] = L'\0';
      // Saved at once: a crash before the next cleanup must not lose the new entry.
      SaveHallOfFame();
    } else {
      ShowScreen(kScreenTitle);
    }
  } else if (key == VK_RETURN && released && screen == kScreenCredits) {
    ShowScreen(kScreenTitle);
  } else if (key == VK_ESCAPE && keyDown && screen == kScreenTitle) {
    DXUTPostQuitMessage(0);
  } else if (key == 'C' && keyDown && screen != kScreenCredits && !TypingName()) {
    ShowScreen(kScreenCredits);
  } else if (key == VK_BACK && released && TypingName()) {
    const std::size_t length = std::wcslen(nameBuffer);
    if (length > 0) nameBuffer[length - 1] = L'\0';
  }
}

void cGame::ChooseMenuItem() {
  switch (menuSelection) {
    case kStartGame:
      if (introSeen == 0) {
        ShowScreen(kScreenHowToPlay);
        startAfterIntro = 1;
      } else {
        state = kStateLoading;
      }
      break;
    case kHowToPlay:
      ShowScreen(kScreenHowToPlay);
      break;
    case kHallOfFame:
      ShowScreen(kScreenHallOfFame);
      break;
    case kCredits:
      ShowScreen(kScreenCredits);
      break;
    case kQuit:
      DXUTPostQuitMessage(0);
      break;
    default:
      break;
  }
}

long cGame::MsgProc(void* /*window*/, unsigned message, std::uintptr_t wParam,
                    std::intptr_t /*lParam*/) {
  switch (message) {
    case kMsgSetCursor:
      DXUTShowCursor(DXUTIsWindowed());
      break;
    case kMsgActivate:
      if ((wParam & 0xFFFF) == 0) SetPaused(1);
      break;
    case kMsgChar:
      TypeNameCharacter(static_cast<wchar_t>(wParam));
      break;
    case kMsgGamepadChange:
      // A pad pulled out in the middle of a match leaves the dragon without its player.
      if (wParam == 0 && state == kStateMatch) SetPaused(1);
      break;
    case kMsgFontChange:
      if (gui != nullptr) gui->RecreateFont();
      break;
    default:
      break;
  }
  return 0;
}

void cGame::TakeScreenshot() {
  if (DXUTGetD3DDevice() == nullptr) return;
  const std::string& folder = CurrentGameFolders().screenshots;
  char name[32];
  std::snprintf(name, sizeof name, "screenshot%02d.png", screenshotCount);
  const std::string path = folder + "/" + name;
  std::error_code ignored;
  if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
  if (folder.empty() || FAILED(DXUTSaveBackBufferPNG(path.c_str()))) {
    DXUTOutputDebugString(L"Could not save screenshot %s\n", path.c_str());
  }
  ++screenshotCount;
}

// Keys, pads and window messages: the menu keys, the name typed or picked on the hall of fame,
// the match's pause and screenshot keys, focus loss and a pad pulled out.

#include <algorithm>
#include <cwchar>
#include <filesystem>

#include "app/game.h"
#include "app/screenshot_file.h"
#include "platform/dxut.h"
#include "platform/game_folders.h"
#include "ui/gui.h"

namespace {

constexpr int kLastSlide = 2;
constexpr unsigned kFrameCounterKey = VK_F1 + 2;  // F3

enum MenuItem : int { kStartGame = 0, kHowToPlay, kHallOfFame, kCredits, kQuit };

bool IsPadKey(unsigned key) {
  return key >= VK_GAMEPAD_A && key <= VK_GAMEPAD_RIGHT_THUMBSTICK_LEFT;
}

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
  if (state == kStateScreens) {
    if (TypingName() && IsPadKey(key)) {
      ApplyLetterPickerKey(key, keyDown);
      return;
    }
    if (keyDown) lastKeyPressed_ = MenuKeyOf(key) & 0xFFu;
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

void cGame::OnCharacter(wchar_t character, bool repeated) {
  if (state == kStateScreens && TypingName()) {
    TypeNameCharacter(character);
  } else if (ApplyVolumeCharacter(character, repeated) && state == kStateScreens) {
    // The key that typed it has done its work: its release does not also turn a slide.
    pressedOnScreen_[lastKeyPressed_] = false;
  }
}

void cGame::TypeNameCharacter(wchar_t character) {
  if (character >= L'A' && character <= L'Z')
    character = static_cast<wchar_t>(character - L'A' + L'a');
  if (character < L'a' || character > L'z') return;
  const std::size_t length = std::wcslen(nameBuffer);
  if (length < kNameLength - 1) {
    nameBuffer[length] = character;
    nameBuffer[length + 1] = L'\0';
  }
}

void cGame::EraseLastNameCharacter() {
  const std::size_t length = std::wcslen(nameBuffer);
  if (length > 0) nameBuffer[length - 1] = L'\0';
}

void cGame::ConfirmName() {
  hiscores.Insert(nameBuffer, MatchScore());
  nameEntryActive = 0;
  nameBuffer[0] = L'\0';
  // Saved at once: a crash before the next cleanup must not lose the new entry.
  SaveHallOfFame();
}

void cGame::ApplyLetterPickerKey(unsigned key, bool keyDown) {
  if (!keyDown) return;
  constexpr int kLetters = 26;
  const int letter = pickedLetter_ - L'a';
  switch (key) {
    case VK_GAMEPAD_DPAD_UP:
    case VK_GAMEPAD_LEFT_THUMBSTICK_UP:
      pickedLetter_ = static_cast<wchar_t>(L'a' + (letter + 1) % kLetters);
      break;
    case VK_GAMEPAD_DPAD_DOWN:
    case VK_GAMEPAD_LEFT_THUMBSTICK_DOWN:
      pickedLetter_ = static_cast<wchar_t>(L'a' + (letter + kLetters - 1) % kLetters);
      break;
    case VK_GAMEPAD_A:
      TypeNameCharacter(pickedLetter_);
      break;
    case VK_GAMEPAD_B:
    case VK_GAMEPAD_X:
      EraseLastNameCharacter();
      break;
    case VK_GAMEPAD_MENU:
      ConfirmName();
      break;
    default:
      break;
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
      ConfirmName();
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
    EraseLastNameCharacter();
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
                    std::intptr_t lParam) {
  switch (message) {
    case kMsgSetCursor:
      DXUTShowCursor(DXUTIsWindowed());
      break;
    case kMsgActivate:
      // The menus only pause the sound while the window is away; a match stays paused.
      if ((wParam & 0xFFFF) == 0) {
        SetPaused(1);
      } else if (state == kStateScreens) {
        SetPaused(0);
      }
      break;
    case kMsgChar:
      OnCharacter(static_cast<wchar_t>(wParam), (lParam & kCharRepeated) != 0);
      break;
    case kMsgGamepadChange:
      padsPlugged_ = wParam != 0 ? padsPlugged_ + 1 : std::max(0, padsPlugged_ - 1);
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
  const ScreenshotFile file =
      ClaimScreenshotFile(CurrentGameFolders().screenshots, screenshotCount);
  std::string problem = file.problem;
  if (problem.empty()) {
    if (SUCCEEDED(DXUTSaveBackBufferPNG(file.path.c_str()))) {
      screenshotCount = file.number + 1;
      return;
    }
    problem = DXUTGetLastErrorText();
    std::error_code ignored;
    std::filesystem::remove(file.path, ignored);
  }
  // The number stays free, so pressing again where pictures cannot be saved repeats this
  // line, which the player then reads only once.
  DXUTOutputPlayerNotice(L"Drakmoor: could not save the screenshot %s (%s).", file.path.c_str(),
                         problem.c_str());
}

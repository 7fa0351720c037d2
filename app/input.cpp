// Keys and window messages: the menu keys, the match's pause and screenshot keys, focus loss.

#include <cstdio>
#include <cwchar>
#include <filesystem>

#include "app/game.h"
#include "platform/dxut.h"
#include "platform/game_folders.h"
#include "ui/gui.h"

namespace {

constexpr int kMenuItemCount = 5;
constexpr int kLastSlide = 2;
constexpr unsigned kFrameCounterKey = VK_F1 + 2;  // F3

enum MenuItem : int { kStartGame = 0, kHowToPlay, kHallOfFame, kCredits, kQuit };

// Key codes 65-90 type their lower-case letter and 97-122 their own letter, so the keypad
// and function keys with those codes type letters too.
wchar_t TypedLetter(unsigned key) {
  if (key >= 'A' && key <= 'Z') return static_cast<wchar_t>(key - 'A' + 'a');
  if (key >= 'a' && key <= 'z') return static_cast<wchar_t>(key);
  return L'\0';
}

}  // namespace

void cGame::OnKeyboard(unsigned key, bool keyDown, bool /*altDown*/) {
  // Everywhere, on the press; the menus still see the key (F3 types a letter into a name).
  if (key == kFrameCounterKey && keyDown) showFrameCounter = !showFrameCounter;
  if (ApplyVolumeKey(key, keyDown)) return;
  if (state == kStateScreens) {
    ApplyMenuKey(key, keyDown);
  } else if (state == kStateMatch) {
    ApplyMatchKey(key, keyDown);
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
  // A key that changes the screen is done: it must not also type or turn a slide on the
  // screen it opened.
  const int screenAtKey = screen;
  if (ApplyMenuCommandKey(key, keyDown) || keyDown) return;
  if (screen != screenAtKey) return;

  if (screen == kScreenHallOfFame && nameEntryActive != 0) {
    const wchar_t letter = TypedLetter(key);
    const std::size_t length = std::wcslen(nameBuffer);
    if (letter != L'\0' && length < kNameLength - 1) {
      nameBuffer[length] = letter;
      nameBuffer[length + 1] = L'\0';
    }
    return;
  }
  if (screen == kScreenHowToPlay) {
    ++slideIndex;
    if (slideIndex > kLastSlide) {
      slideIndex = 0;
      ShowScreen(kScreenTitle);
    }
  }
}

bool cGame::ApplyMenuCommandKey(unsigned key, bool keyDown) {
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
  } else if (key == 'C' && keyDown && screen != kScreenCredits) {
    ShowScreen(kScreenCredits);
  } else if (key == VK_BACK && released && screen == kScreenHallOfFame && nameEntryActive != 0) {
    const std::size_t length = std::wcslen(nameBuffer);
    if (length > 0) nameBuffer[length - 1] = L'\0';
  } else {
    return false;
  }
  return true;
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

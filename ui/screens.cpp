// The menu state's screens: main menu over the title, hall of fame, credits and the
// how-to-play slides.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>

#include "app/game.h"
#include "platform/dxut.h"
#include "ui/credits.h"
#include "ui/gui.h"
#include "ui/text_colour.h"

namespace {

constexpr std::uint32_t kHighlight = 0x80a0ff00;
constexpr std::uint32_t kDimOverlay = 0xa0000000;
constexpr int kMenuItemCount = 5;
constexpr int kMenuTop = 360;
constexpr int kMenuRow = 40;
constexpr float kTitleArtSize = 1024.0f;

constexpr const wchar_t* kMenuItems[kMenuItemCount] = {L"start game", L"how to play",
                                                       L"hall of fame", L"credits", L"quit"};
constexpr const wchar_t* kDifficultyNames[] = {L"easy", L"hard", L"nightmare"};

Rect MakeRect(int left, int top, int right, int bottom) { return Rect{left, top, right, bottom}; }

void DrawCentred(cFont* font, const wchar_t* text, Rect rect, std::uint32_t colour) {
  font->DrawText(text, -1, &rect, kTextCenter, colour);
}

}  // namespace

void cGame::UpdateMenu(float elapsed) {
  if (screen == kScreenCredits) {
    const float dt = Clamp(0.01f, 1.0f, elapsed);
    creditsTimer -= dt;
    if (kCredits[creditsLine].heading[0] == L'\0') {
      ShowScreen(kScreenTitle);
    } else if (creditsTimer <= -1.0f) {
      ++creditsLine;
      creditsTimer = 4.0f;
    }
  } else if (screen == kScreenHowToPlay) {
    slideIndex = std::clamp(slideIndex, 0, 2);
    if (slideIndex != shownSlide_) {
      char path[64];
      std::snprintf(path, sizeof path, "./data/art/slide%d.png", slideIndex);
      screenTexture = LoadTexture(path);
    }
  }
  shownSlide_ = slideIndex;
}

void cGame::DrawScreenPicture() {
  const DXUTTextureNode* node = gui->GetResourceManager()->GetTextureNode(screenTexture);
  if (node == nullptr || FAILED(gui->BeginImages())) return;
  const Rect screenRect = gui->GetScreenRect();
  // The picture fills the screen frame after frame: stretched once, drawn as it is.
  gui->SetKeepStretched(true);
  gui->DrawImageStretched(node->texture, kTitleArtSize, kTitleArtSize, &screenRect, kWhite, false,
                          false);
  gui->SetKeepStretched(false);
  gui->EndImages();
}

void cGame::RenderMenu(DXUTDevice* /*device*/, float /*elapsed*/) {
  if (gui == nullptr) return;
  cFont* font = gui->GetFont();
  const int w = gui->GetDialog()->GetWidth();
  const int h = gui->GetDialog()->GetHeight();
  switch (screen) {
    case kScreenTitle:
      DrawScreenPicture();
      RenderMainMenu(font, w, h);
      break;
    case kScreenHallOfFame:
      RenderHallOfFame(font, w);
      break;
    case kScreenCredits:
      DrawScreenPicture();
      gui->DrawLine(Vec2(0.0f, h / 2.0f), Vec2(static_cast<float>(w), h / 2.0f), kDimOverlay,
                    static_cast<float>(h));
      RenderCredits(font, w, h);
      break;
    case kScreenHowToPlay:
      DrawScreenPicture();
      if (font != nullptr) {
        DrawCentred(font, L"press any key to continue", MakeRect(0, h - 30, w, h), kWhite);
      }
      break;
    default:
      break;
  }
}

void cGame::ClampMenuSelection() {
  if (state == kStateScreens && screen == kScreenTitle) {
    menuSelection = std::clamp(menuSelection, 0, kMenuItemCount - 1);
  }
}

void cGame::RenderMainMenu(cFont* font, int w, int h) {
  const float bandY = static_cast<float>(kMenuTop + kMenuRow / 2 + kMenuRow * menuSelection);
  gui->DrawLine(Vec2(0.0f, bandY), Vec2(static_cast<float>(w), bandY), kHighlight,
                static_cast<float>(kMenuRow));
  if (font == nullptr) return;

  for (int item = 0; item < kMenuItemCount; ++item) {
    const Rect row = MakeRect(0, kMenuTop + kMenuRow * item, w, kMenuTop + kMenuRow * (item + 1));
    if (item == 0) {
      wchar_t text[64];
      const int difficulty = std::clamp(settings.difficulty, 1, 3);
      std::swprintf(text, 64, L"%ls\n< %ls >", kMenuItems[0], kDifficultyNames[difficulty - 1]);
      DrawCentred(font, text, row, kWhite);
    } else {
      DrawCentred(font, kMenuItems[item], row, kWhite);
    }
  }
  DrawCentred(font, kAuthorLine, MakeRect(0, h - 30, w, h), kWhite);
}

void cGame::RenderHallOfFame(cFont* font, int w) {
  if (font == nullptr) return;
  DrawCentred(font, L"hall of fame", MakeRect(0, 10, w, 40), kWhite);

  const wchar_t pickerLetter = PickerLetterShown();
  if (gold > 0 && matchTime > 0.0f) {
    const float whole = std::trunc(matchTime);
    const int minutes = static_cast<int>(matchTime / 60.0f);
    const int seconds = static_cast<int>(whole) % 60;
    const int hundredths = static_cast<int>((matchTime - whole) * 100.0f);
    wchar_t result[256];
    std::swprintf(result, 256,
                  L"Time: %02d:%02d.%02d\n\nx Gold: %d\n\n-----------------------------------\n"
                  L"Total: %d",
                  minutes, seconds, hundredths, static_cast<int>(gold),
                  static_cast<int>(MatchScore()));
    DrawCentred(font, result, MakeRect(0, 330, w, 530), kWhite);
    // With a pad plugged in, the letter its picker offers follows the name, set apart.
    wchar_t shownName[kNameLength + 8];
    std::swprintf(shownName, std::size(shownName), pickerLetter ? L"%ls[%lc]" : L"%ls",
                  nameBuffer, pickerLetter);
    DrawCentred(font, shownName, MakeRect(0, 430, w, 630), kWhite);
  }

  const wchar_t* prompt = nameEntryActive != 0 ? L"please enter your name\n(confirm with enter)"
                                               : L"press enter to continue";
  if (pickerLetter) prompt = L"please enter your name\n(pad: up/down and A add letters, start confirms)";
  DrawCentred(font, prompt, MakeRect(0, 520, w, 600), PromptColour());

  for (int i = 0; i < kHiscoreEntries; ++i) {
    const std::uint32_t colour = WhiteWithAlpha(1.0f - 0.05f * static_cast<float>(i));
    const cHiscoreEntry& entry = hiscores.Entry(i);
    Rect nameRect = MakeRect(200, 50 + 25 * i, w, 70 + 25 * i);
    font->DrawText(entry.name, -1, &nameRect, kTextLeft, colour);
    wchar_t score[16];
    std::swprintf(score, 16, L"%d", static_cast<int>(entry.score));
    Rect scoreRect = MakeRect(550, 50 + 25 * i, w, 70 + 25 * i);
    font->DrawText(score, -1, &scoreRect, kTextLeft, colour);
  }
}

void cGame::RenderCredits(cFont* font, int w, int h) {
  if (font == nullptr) return;
  const cCreditsEntry& entry = kCredits[creditsLine];
  Rect rect = MakeRect(50, 280, w - 50, h);
  DrawCentred(font, entry.heading, rect, CreditsHeadingColour());
  rect.top += 60;
  rect.bottom += 60;
  DrawCentred(font, entry.names, rect, CreditsNamesColour());
}

// The heading is fully there while the timer is at 3 or more and gone at 1; the names come in
// from 2.67 and stay from 0 to the entry's end at -1.
std::uint32_t cGame::CreditsHeadingColour() const {
  return ArgbFromFloats(0.7f, 1.0f, 0.0f, (creditsTimer - 1.0f) / 2.0f);
}

std::uint32_t cGame::CreditsNamesColour() const {
  return WhiteWithAlpha(1.0f - 1.5f * creditsTimer / 4.0f);
}

// Blinks: shown for half of every 1.57 seconds.
std::uint32_t cGame::PromptColour() const {
  return WhiteWithAlpha(std::sin(4.0f * static_cast<float>(DXUTGetTime())));
}

void cGame::RenderLoadingScreen(DXUTDevice* /*device*/) {
  if (gui == nullptr) return;
  cFont* font = gui->GetFont();
  if (font == nullptr) return;
  const int w = gui->GetDialog()->GetWidth();
  const int h = gui->GetDialog()->GetHeight();
  wchar_t text[32];
  std::swprintf(text, 32, L"Loading.. %d %%", static_cast<int>(100.0f * loadProgress));
  DrawCentred(font, text, MakeRect(50, h / 2, w - 50, h / 2 + 40), kWhite);
}

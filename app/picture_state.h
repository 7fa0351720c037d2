#pragma once
// What the game's picture shows, in a form that compares: two frames with equal descriptions
// draw the same picture, so the later one need not be drawn at all. A picture that moves by
// itself (a running match, the loading screen) has no description and is drawn every frame.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class cGame;

struct cStillPicture {
  // The menus.
  int state = 0;
  int screen = 0;
  int screenTexture = -1;
  int menuSelection = 0;
  int difficulty = 0;
  int slideIndex = 0;
  int creditsLine = 0;
  int nameEntryActive = 0;
  std::array<wchar_t, 32> name{};
  wchar_t pickerLetter = 0;
  // Colours that fade: the credits' heading and names, the hall of fame's blinking prompt.
  std::array<std::uint32_t, 3> fading{};
  std::uint32_t gold = 0;
  float matchTime = 0.0f;
  // A paused match: what the dragon's keys still change while the world stands still.
  std::array<float, 8> dragon{};
  std::size_t creatures = 0;
  std::size_t projectiles = 0;
  bool aimMark = false;
  // Over every screen: the volume indicator and the frame counter.
  bool volumeShown = false;
  float volume = 0.0f;
  bool muted = false;
  std::wstring frameCounter;

  bool operator==(const cStillPicture&) const = default;
};

// The description of the picture `game` would draw now; none while it moves by itself.
std::optional<cStillPicture> DescribePicture(const cGame& game);

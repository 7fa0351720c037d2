#pragma once
// A screen element centred on its position that steps through the equal cells of a sheet.
// Cells are numbered row by row from the sheet's top-left corner.

#include <optional>

#include "world/creatures/screen_element.h"

class cSprite : public cScreenElement {
 public:
  int firstFrame = 0;
  int lastFrame = 0;
  int columns = 1;            // cells per row; 0 leaves sourceRect alone
  float animDuration = 0.0f;  // seconds from firstFrame to lastFrame; 0 pins firstFrame
  int loop = 0;               // non-zero: wrap to firstFrame after lastFrame; zero: stay on it
  float frame = 0.0f;         // whole part is the cell shown
  Rect cellRect;              // cell 0
  // Where the match's latest step found the sprite; none when it came in during that step.
  // A frame between steps draws it on the way from there to `position` (cGame::CameraFor).
  std::optional<Vec2> stepStart;

  // Repeating the call with the running animation does not restart it: `frame` is reset to
  // `first` only when it lies outside [first, last].
  void SetAnimation(int first, int last, int columns, float duration, int loop);
  // Sets cell 0; the next Update cuts sourceRect from it.
  void SetCellSize(int w, int h);

  // Advances `frame` by (last - first) / duration cells per second and cuts the current
  // cell into sourceRect. Reads no clock: only `dt` drives it.
  void Update(float dt) override;
  // Cuts the cell `frame` points at into sourceRect without advancing; nothing when `columns`
  // is 0.
  void ShowFrame();
  // As the base, but centred on `position`.
  void Render(cGUI* gui, float camX, float camY) override;

  // The drawn size of sourceRect: its width (height) times `scale`.
  float GetScaledWidth() const;
  float GetScaledHeight() const;
};

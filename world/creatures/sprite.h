#pragma once
// A screen element centred on its position that steps through the equal cells of a sheet.

#include "world/creatures/screen_element.h"

class cSprite : public cScreenElement {
 public:
  int firstFrame = 0;
  int lastFrame = 0;
  int columns = 1;           // cells per row; 0 leaves sourceRect alone
  float animDuration = 0.0f; // seconds from firstFrame to lastFrame; 0 pins firstFrame
  int loop = 0;
  float frame = 0.0f;        // whole part is the cell shown
  Rect cellRect;             // cell 0

  // Repeating the call with the running animation does not restart it: `frame` is reset to
  // `first` only when it lies outside [first, last].
  void SetAnimation(int first, int last, int columns, float duration, int loop);
  // Sets cell 0; the next Update cuts sourceRect from it.
  void SetCellSize(int w, int h);

  void Update(float dt) override;
  void Render(cGUI* gui, float camX, float camY) override;

  float GetScaledWidth() const;
  float GetScaledHeight() const;

};

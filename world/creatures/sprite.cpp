#include "world/creatures/sprite.h"

void cSprite::SetAnimation(int first, int last, int cellsPerRow, float duration, int looping) {
  firstFrame = first;
  lastFrame = last;
  columns = cellsPerRow;
  animDuration = duration;
  loop = looping;
  if (frame < static_cast<float>(first) || frame > static_cast<float>(last)) {
    frame = static_cast<float>(first);
  }
}

void cSprite::SetCellSize(int w, int h) { cellRect = Rect{0, 0, w, h}; }

void cSprite::Update(float dt) {
  const int span = lastFrame - firstFrame;
  if (animDuration == 0.0f) {
    frame = static_cast<float>(firstFrame);
  } else {
    frame += static_cast<float>(span) / animDuration * dt;
  }
  if (columns == 0) return;

  if (static_cast<int>(frame) > lastFrame) {
    frame = static_cast<float>(loop ? firstFrame : lastFrame);
  }
  ShowFrame();
}

void cSprite::ShowFrame() {
  if (columns == 0) return;
  const int cell = static_cast<int>(frame);
  const int column = cell % columns;
  const int row = cell / columns;
  const int w = cellRect.Width();
  const int h = cellRect.Height();
  sourceRect = Rect{cellRect.left + column * w, cellRect.top + row * h, cellRect.right + column * w,
                    cellRect.bottom + row * h};
}

void cSprite::Render(cGUI* gui, float camX, float camY) {
  DrawAt(gui, position.x - camX - static_cast<float>(sourceRect.Width()) * 0.5f,
         position.y - camY - static_cast<float>(sourceRect.Height()) * 0.5f);
}

float cSprite::GetScaledWidth() const { return static_cast<float>(sourceRect.Width()) * scale; }

float cSprite::GetScaledHeight() const { return static_cast<float>(sourceRect.Height()) * scale; }

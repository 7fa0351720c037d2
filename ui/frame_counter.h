#pragma once
// The frame counter the player switches on with F3: frames shown in the last second and their
// frame time (median and worst) in the screen's bottom-right corner, on a dark band of its own
// so that other small indicators can sit beside it. The figures are renewed once a second:
// they can be read, and a screen that stands still is drawn again only when they change.

#include <string>

class cGUI;

class cFrameCounter {
 public:
  // Renews the figures when a second of application time (`now`) has passed since they were
  // last renewed, or when there are none yet.
  void Update(double now);
  // Forgets the figures: the counter was switched off, and shows fresh ones when it is back.
  void Clear() { text_.clear(); }
  const std::wstring& Text() const { return text_; }
  void Render(cGUI& gui) const;

 private:
  std::wstring text_;
  double renewedAt_ = 0.0;
};

#include "ui/frame_counter.h"

#include <cwchar>

#include "platform/dxut.h"
#include "ui/gui.h"
#include "ui/text_colour.h"

namespace {

constexpr int kWidth = 230;
constexpr int kHeight = 20;
constexpr int kEdge = 4;  // from the screen's right and bottom edges
constexpr std::uint32_t kBand = 0xa0000000;
constexpr double kRenewalSeconds = 1.0;

}  // namespace

void cFrameCounter::Update(double now) {
  if (!text_.empty() && now >= renewedAt_ && now - renewedAt_ < kRenewalSeconds) return;
  renewedAt_ = now;
  const FrameTimeSummary second = DXUTGetFrameTimesLastSecond();
  wchar_t text[64];
  if (second.timed > 0) {
    std::swprintf(text, 64, L"%d fps  %.1f ms  worst %.1f ms", static_cast<int>(second.frames),
                  second.median, second.worst);
  } else {
    std::swprintf(text, 64, L"%d fps", static_cast<int>(second.frames));  // none timed: still
  }
  text_ = text;
}

void cFrameCounter::Render(cGUI& gui) const {
  const int w = gui.GetDialog()->GetWidth();
  const int h = gui.GetDialog()->GetHeight();
  const Rect box{w - kEdge - kWidth, h - kEdge - kHeight, w - kEdge, h - kEdge};
  const float middle = static_cast<float>(box.top + box.bottom) * 0.5f;
  gui.DrawLine({static_cast<float>(box.left), middle}, {static_cast<float>(box.right), middle},
               kBand, static_cast<float>(kHeight));
  cFont* font = gui.GetFont();
  if (font == nullptr) return;
  const Rect inside{box.left, box.top + 2, box.right - 6, box.bottom};
  font->DrawText(text_.c_str(), -1, &inside, kTextRight, kWhite);
}

#include "ui/volume_indicator.h"

#include <cmath>
#include <cstdint>

#include "ui/font.h"
#include "ui/gui.h"
#include "ui/text_colour.h"

namespace {

constexpr int kSteps = 10;
constexpr float kPanelWidth = 220.0f;
constexpr float kPanelHeight = 28.0f;
constexpr float kPanelTop = 12.0f;
constexpr float kLabelWidth = 80.0f;
constexpr float kStepWidth = 9.0f;
constexpr float kStepPitch = 12.0f;
constexpr float kStepHeight = 14.0f;
constexpr int kTextHeight = 16;

constexpr std::uint32_t kPanelColour = 0xa0000000;
constexpr std::uint32_t kLitStepColour = 0xfff0c040;
constexpr std::uint32_t kDarkStepColour = 0x50ffffff;

}  // namespace

void DrawVolumeIndicator(cGUI& gui, float volume, bool muted) {
  const Rect screen = gui.GetScreenRect();
  const float left = std::floor((static_cast<float>(screen.right) - kPanelWidth) / 2.0f);
  const float middle = kPanelTop + kPanelHeight / 2.0f;
  gui.DrawLine({left, middle}, {left + kPanelWidth, middle}, kPanelColour, kPanelHeight);

  if (cFont* font = gui.GetFont()) {
    const int textTop = static_cast<int>(middle) - kTextHeight / 2;
    const Rect label{static_cast<int>(left) + 10, textTop, static_cast<int>(left + kLabelWidth),
                     textTop + kTextHeight + 4};
    font->DrawText(muted ? L"muted" : L"volume", -1, &label, kTextLeft, kWhite);
  }

  const int lit = muted ? 0 : static_cast<int>(std::lround(volume * kSteps));
  for (int step = 0; step < kSteps; ++step) {
    const float x = left + kLabelWidth + static_cast<float>(step) * kStepPitch;
    gui.DrawLine({x, middle}, {x + kStepWidth, middle},
                 step < lit ? kLitStepColour : kDarkStepColour, kStepHeight);
  }
}

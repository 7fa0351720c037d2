#include "ui/hud.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>

#include "app/game.h"
#include "platform/dxut.h"
#include "ui/gui.h"
#include "ui/radar.h"
#include "ui/text_colour.h"
#include "world/creatures/creature.h"
#include "world/creatures/dragon.h"

namespace {

constexpr std::uint32_t kBarBackground = 0xa0000000;
constexpr std::uint32_t kAimMarkColour = 0xa020c000;
constexpr std::uint32_t kHealthLow = 0xa0ff0000;
constexpr std::uint32_t kHealthHalf = 0xc0ffff00;
constexpr std::uint32_t kHealthFull = 0xff90f000;

constexpr float kBarLength = 200.0f;
constexpr float kBarInset = 5.0f;
constexpr float kBackgroundWidth = 20.0f;
constexpr float kHealthBarWidth = 16.0f;
constexpr float kRefillBarWidth = 14.0f;
constexpr float kBreathBarWidth = 14.0f;
constexpr float kRowSpacing = 25.0f;
constexpr Vec2 kPanelOrigin{10.0f, 57.0f};
constexpr float kMaxShownHealth = 100.0f;
constexpr float kChaseSharePerSixtieth = 8.0f / 60.0f;  // of the gap to the real health
constexpr float kFullBreath = 2.0f;
constexpr float kHeroFullHealth = 400.0f;
constexpr int kBadgeSize = 64;
constexpr float kAimMarkWidth = 8.0f;

constexpr Rect kHealthIconRect{10, 5, 74, 69};
constexpr Rect kBreathIconRect{10, 70, 34, 94};
constexpr Rect kGoldIconRect{65, 88, 105, 128};
constexpr Rect kClockTextRect{15, 97, 70, 127};
constexpr Rect kGoldTextRect{10, 97, 210, 127};

constexpr const wchar_t* kPausedText = L"paused";
constexpr const wchar_t* kPauseHelpText =
    L"press <esc> to continue\nor <enter> to return to menu\n";

Colour Unpack(std::uint32_t argb) {
  auto channel = [argb](int shift) { return static_cast<float>((argb >> shift) & 0xff) / 255.0f; };
  return {channel(16), channel(8), channel(0), channel(24)};
}

std::uint32_t Blend(std::uint32_t from, std::uint32_t to, float t) {
  const Colour a = Unpack(from);
  const Colour b = Unpack(to);
  auto mix = [t](float x, float y) { return x + (y - x) * t; };
  return ToArgb({mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b), mix(a.a, b.a)});
}

// The picture of cache entry `index` stretched into `rect`; nothing when the entry is missing.
// Returns whether the entry exists.
bool DrawPicture(cGUI& gui, int index, float size, const Rect& rect) {
  const DXUTTextureNode* node = gui.GetResourceManager()->GetTextureNode(index);
  if (!node) return false;
  gui.DrawImageStretched(node->texture, size, size, &rect, kWhite, false, false);
  return true;
}

void DrawText(cGUI& gui, const wchar_t* text, const Rect& rect, unsigned format,
              std::uint32_t colour) {
  if (cFont* font = gui.GetFont()) font->DrawText(text, -1, &rect, format, colour);
}

// A horizontal bar from `from` to x `toX`.
void DrawBar(cGUI& gui, Vec2 from, float toX, std::uint32_t colour, float width) {
  gui.DrawLine(from, {toX, from.y}, colour, width);
}

constexpr std::size_t kClockTextLength = 32;

// The match clock as FormatMatchClock gives it, written into `text`: the HUD draws it every
// frame without a string on the heap.
void WriteMatchClock(float matchTime, wchar_t (&text)[kClockTextLength]) {
  const float whole = std::trunc(matchTime);
  const int minutes = static_cast<int>(matchTime / 60.0f);
  const int seconds = static_cast<int>(whole) % 60;
  const int hundredths = static_cast<int>((matchTime - whole) * 100.0f);
  std::swprintf(text, kClockTextLength, L"%02d:%02d.%02d", minutes, seconds, hundredths);
}

void DrawDragonPanel(cGame& game, cGUI& gui, float elapsed) {
  const cDragon* dragon = static_cast<const cDragon*>(game.GetDragon());
  const float health = dragon ? dragon->health : 0.0f;
  const float charge = dragon ? dragon->charge : -1.0f;

  game.hudShownHealth = ChaseHealth(game.hudShownHealth, health, elapsed);
  Vec2 p = kPanelOrigin;

  DrawPicture(gui, game.hudTexture, 64.0f, kHealthIconRect);
  DrawBar(gui, p, p.x + kBarLength + kBarInset, kBarBackground, kBackgroundWidth);
  const float fraction = game.hudShownHealth * 0.01f;
  const bool refilling = game.hudShownHealth < health;
  const std::uint32_t barColour = refilling ? kWhite : HealthBarColour(fraction);
  const float barWidth = refilling ? kRefillBarWidth : kHealthBarWidth;
  if (health > 0.0f) {
    DrawBar(gui, p + Vec2{kBarInset, 0.0f}, p.x + fraction * kBarLength, barColour, barWidth);
  }

  p += {0.0f, kRowSpacing};
  DrawPicture(gui, game.fireIconTexture, 32.0f, kBreathIconRect);
  DrawBar(gui, p, p.x + kBarLength + kBarInset, kBarBackground, kBackgroundWidth);
  game.hudPulseClock += elapsed;
  const float breathWidth = charge >= kFullBreath
                                ? kBreathBarWidth + std::sin(4.0f * game.hudPulseClock)
                                : kBreathBarWidth;
  if (charge > 0.0f) {
    DrawBar(gui, p + Vec2{kBarInset, 0.0f}, p.x + charge / kFullBreath * kBarLength, kWhite,
            breathWidth);
  }

  p += {0.0f, kRowSpacing};
  DrawBar(gui, p, p.x + 0.3f * kBarLength, kBarBackground, kBackgroundWidth);
  // The gold flashes red while attackers carry gold out of the lair.
  std::uint32_t goldColour = kBarBackground;
  float goldWidth = kBackgroundWidth;
  if (game.goldLossTimer > 0.0f) {
    const float s = std::sin(8.0f * game.goldLossTimer);
    goldColour = ToArgb({1.0f, 0.0f, 0.0f, 0.5f * s + 0.5f});
    goldWidth = 18.0f + 4.0f * s;
  }
  DrawBar(gui, p + Vec2{0.3f * kBarLength + kBarInset, 0.0f}, p.x + kBarLength + kBarInset,
          goldColour, goldWidth);

  wchar_t clockText[kClockTextLength];
  WriteMatchClock(game.matchTime, clockText);
  DrawText(gui, clockText, kClockTextRect, kTextLeft, kWhite);
  wchar_t goldText[16];
  std::swprintf(goldText, std::size(goldText), L"%u", static_cast<unsigned>(game.gold));
  DrawText(gui, goldText, kGoldTextRect, kTextRight, kWhite);
  DrawPicture(gui, game.goldIconTexture, 32.0f, kGoldIconRect);
}

// A short green dash 70 to 100 pixels from the mouth, where the fire will go.
void DrawAimMark(cGame& game, cGUI& gui) {
  const cDragon* dragon = static_cast<const cDragon*>(game.GetDragon());
  if (!dragon) return;
  const Vec2 camera = game.CameraFor(*dragon, game.DrawnCamera());
  const Vec2 mouth = dragon->position + dragon->GetMouthOffset() - camera;
  const Vec2 d = game.GetAimDirection() * 100.0f;
  gui.DrawLine(mouth + d * 0.7f, mouth + d, kAimMarkColour, kAimMarkWidth);
}

// Hero portraits down the right edge, each with a bar growing leftwards from the edge.
void DrawHeroBadges(cGame& game, cGUI& gui, int screenWidth) {
  Rect badge{screenWidth - 70, 10, screenWidth - 6, 74};
  Vec2 barOrigin{static_cast<float>(screenWidth - 6), 60.0f};
  for (const auto& creature : game.creatures) {
    if (!creature || creature->GetType() != kTypeHero) continue;
    DrawPicture(gui, game.heroHudTexture, 64.0f, badge);
    DrawBar(gui, barOrigin, barOrigin.x - (kBarLength + kBarInset), kBarBackground,
            kBackgroundWidth);
    if (creature->health > 0.0f) {
      DrawBar(gui, barOrigin - Vec2{kBarInset, 0.0f},
              barOrigin.x - creature->health / kHeroFullHealth * kBarLength, kWhite,
              kRefillBarWidth);
    }
    badge.top += kBadgeSize;
    badge.bottom += kBadgeSize;
    barOrigin.y += kBadgeSize;
  }
}

void DrawPauseOverlay(cGUI& gui, int w, int h) {
  const float middle = 0.5f * static_cast<float>(h);
  gui.DrawLine({0.0f, middle}, {static_cast<float>(w), middle}, kBarBackground,
               static_cast<float>(h));
  Rect rect{0, h / 2, w, h};
  DrawText(gui, kPausedText, rect, kTextCenter, kWhite);
  rect.top += 25;
  rect.bottom += 25;
  DrawText(gui, kPauseHelpText, rect, kTextCenter, kWhite);
}

}  // namespace

float ChaseHealth(float displayed, float health, float elapsed) {
  const float gapLeft = std::pow(1.0f - kChaseSharePerSixtieth, elapsed * 60.0f);
  displayed += (health - displayed) * (1.0f - gapLeft);
  if (std::fabs(health - displayed) <= 1.0f) displayed = health;
  return std::min(displayed, kMaxShownHealth);
}

std::uint32_t HealthBarColour(float fraction) {
  if (fraction <= 0.5f) return Blend(kHealthLow, kHealthHalf, 2.0f * fraction);
  return Blend(kHealthHalf, kHealthFull, 2.0f * (fraction - 0.5f));
}

std::wstring FormatMatchClock(float matchTime) {
  wchar_t text[kClockTextLength];
  WriteMatchClock(matchTime, text);
  return text;
}

void RenderHud(cGame& game, float elapsed) {
  cGUI* gui = game.gui;
  if (!gui || FAILED(gui->BeginImages())) return;
  const int w = gui->GetDialog()->GetWidth();
  const int h = gui->GetDialog()->GetHeight();

  if (gui->GetResourceManager()->GetTextureNode(game.hudTexture)) {
    DrawDragonPanel(game, *gui, elapsed);
  } else {
    game.hudShownHealth = 0.0f;
  }
  if (DXUTIsKeyDown(static_cast<std::uint8_t>(VK_SPACE))) DrawAimMark(game, *gui);
  DrawHeroBadges(game, *gui, w);
  DrawRadar(game, *gui);
  if (game.paused) DrawPauseOverlay(*gui, w, h);

  gui->EndImages();
}

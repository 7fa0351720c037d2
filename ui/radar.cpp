#include "ui/radar.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "app/game.h"
#include "ui/gui.h"
#include "world/creatures/creature.h"

namespace {

// The world the strip spans.
constexpr float kWorldLeft = -300.0f;
constexpr float kWorldRight = 5700.0f;
constexpr float kWorldTop = -200.0f;
constexpr float kWorldBottom = 1300.0f;
constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;

// The landmarks: the village's walls and towers, and the lair's hoard.
constexpr float kVillageLeft = -250.0f;
constexpr float kVillageRight = 180.0f;
constexpr float kVillageTop = 600.0f;
constexpr float kVillageBottom = 898.0f;
constexpr float kLairLeft = 5450.0f;
constexpr float kLairTop = 560.0f;
constexpr float kLairBottom = 900.0f;

// The ground is drawn in columns this many strip pixels wide.
constexpr int kGroundColumn = 12;

// Darker than the bars' backing: fire and arrows flying behind must not blur the marks.
constexpr std::uint32_t kBackground = 0xb8000000;
constexpr std::uint32_t kGround = 0xb0587a34;
constexpr std::uint32_t kVillage = 0xd0b0a898;
constexpr std::uint32_t kLair = 0xe0ffc030;
constexpr std::uint32_t kViewFrame = 0xb0ffffff;

// A mark: a block `width` by `height` strip pixels in its own colour.
struct Mark {
  std::uint32_t colour;
  float width;
  float height;
};

constexpr Mark kArcherMark{0xffb0f040, 3.0f, 3.0f};
constexpr Mark kWizardMark{0xffd070ff, 3.0f, 3.0f};
constexpr Mark kHeroMark{0xff40d8ff, 3.0f, 6.0f};
constexpr Mark kZeppelinMark{0xffe8e8e8, 9.0f, 4.0f};
constexpr Mark kDragonMark{0xffff5020, 5.0f, 5.0f};

const Mark* MarkOf(int type) {
  switch (type) {
    case kTypeArcher:
      return &kArcherMark;
    case kTypeWizard:
      return &kWizardMark;
    case kTypeHero:
      return &kHeroMark;
    case kTypeZeppelin:
      return &kZeppelinMark;
    default:
      return nullptr;
  }
}

// A filled block of the strip between two strip points.
void Fill(cGUI& gui, Vec2 topLeft, Vec2 bottomRight, std::uint32_t colour) {
  const float middle = 0.5f * (topLeft.y + bottomRight.y);
  gui.DrawLine({topLeft.x, middle}, {bottomRight.x, middle}, colour, bottomRight.y - topLeft.y);
}

// A mark centred on the pixel that holds the world point, so that it keeps its shape
// wherever the creature stands.
void DrawMark(cGUI& gui, Vec2 world, const Mark& mark) {
  const Vec2 at = RadarPoint(world);
  const Vec2 centre{std::floor(at.x) + 0.5f, std::floor(at.y) + 0.5f};
  const Vec2 half{0.5f * mark.width, 0.5f * mark.height};
  Fill(gui, centre - half, centre + half, mark.colour);
}

// The strip row where the ground lies in column `column` (kGroundColumn pixels wide), or the
// strip's bottom where there is no ground line.
float GroundTop(const cGame& game, int column) {
  const float worldPerPixel = (kWorldRight - kWorldLeft) / static_cast<float>(kRadarStrip.Width());
  const float middleX =
      kWorldLeft + (static_cast<float>(column) + 0.5f) * kGroundColumn * worldPerPixel;
  const float groundY = game.GroundHeightAt(middleX);
  if (groundY <= 0.0f) return static_cast<float>(kRadarStrip.bottom);
  return std::round(RadarPoint({middleX, groundY}).y);
}

// The ground's columns, neighbours of the same height drawn as one band.
void DrawGround(const cGame& game, cGUI& gui) {
  const float bottom = static_cast<float>(kRadarStrip.bottom);
  const int columns = (kRadarStrip.Width() + kGroundColumn - 1) / kGroundColumn;
  float runLeft = static_cast<float>(kRadarStrip.left);
  float runTop = bottom;
  // One step past the last column closes the last band.
  for (int column = 0; column <= columns; ++column) {
    const float top = column < columns ? GroundTop(game, column) : bottom;
    if (top == runTop) continue;
    const float x =
        static_cast<float>(std::min(kRadarStrip.left + column * kGroundColumn, kRadarStrip.right));
    if (runTop < bottom) Fill(gui, {runLeft, runTop}, {x, bottom}, kGround);
    runLeft = x;
    runTop = top;
  }
}

void DrawViewFrame(const cGame& game, cGUI& gui) {
  const Vec2 view = game.DrawnCamera();  // where the screen shows the valley this frame
  const Vec2 a = RadarPoint(view);
  const Vec2 b = RadarPoint(view + Vec2{kScreenWidth, kScreenHeight});
  gui.DrawLine({a.x, a.y}, {b.x, a.y}, kViewFrame, 1.0f);
  gui.DrawLine({a.x, b.y}, {b.x, b.y}, kViewFrame, 1.0f);
  gui.DrawLine({a.x, a.y}, {a.x, b.y}, kViewFrame, 1.0f);
  gui.DrawLine({b.x, a.y}, {b.x, b.y}, kViewFrame, 1.0f);
}

}  // namespace

Vec2 RadarPoint(Vec2 world) {
  const float u = std::clamp((world.x - kWorldLeft) / (kWorldRight - kWorldLeft), 0.0f, 1.0f);
  const float v = std::clamp((world.y - kWorldTop) / (kWorldBottom - kWorldTop), 0.0f, 1.0f);
  return {static_cast<float>(kRadarStrip.left) + u * static_cast<float>(kRadarStrip.Width()),
          static_cast<float>(kRadarStrip.top) + v * static_cast<float>(kRadarStrip.Height())};
}

void DrawRadar(const cGame& game, cGUI& gui) {
  const Vec2 stripTopLeft{static_cast<float>(kRadarStrip.left),
                          static_cast<float>(kRadarStrip.top)};
  const Vec2 stripBottomRight{static_cast<float>(kRadarStrip.right),
                              static_cast<float>(kRadarStrip.bottom)};
  Fill(gui, stripTopLeft, stripBottomRight, kBackground);
  DrawGround(game, gui);
  Fill(gui, RadarPoint({kVillageLeft, kVillageTop}), RadarPoint({kVillageRight, kVillageBottom}),
       kVillage);
  Fill(gui, RadarPoint({kLairLeft, kLairTop}), RadarPoint({kWorldRight, kLairBottom}), kLair);
  DrawViewFrame(game, gui);

  for (const auto& creature : game.creatures) {
    if (!creature) continue;
    if (const Mark* mark = MarkOf(creature->GetType())) DrawMark(gui, creature->position, *mark);
  }
  if (const cCreature* dragon = game.GetDragon()) DrawMark(gui, dragon->position, kDragonMark);
}

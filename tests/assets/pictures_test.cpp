// The built pictures: every cell cut from a sheet holds a drawing in a clear border.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>

#include "platform/dxut.h"
#include "support/game_fixture.h"
#include "support/picture.h"
#include "ui/gui.h"
#include "world/creatures/creature.h"
#include "world/projectiles/projectile.h"

namespace {

using Cell = std::tuple<int, int, int, int>;  // left, top, right, bottom

class BuiltPictures : public GameFixture {
 protected:
  // Notes the cell each living creature and each projectile shows, by the file it is cut from.
  void NoteCellsShown() {
    const auto note = [this](const cScreenElement& element) {
      const DXUTTextureNode* node = gui().GetResourceManager()->GetTextureNode(element.texture);
      const Rect& r = element.sourceRect;
      if (node != nullptr && r.Width() > 0)
        shown_[node->fileName].insert({r.left, r.top, r.right, r.bottom});
    };
    for (const auto& creature : game().creatures) {
      if (creature->health > 0.0f) note(*creature);
    }
    for (const auto& projectile : game().projectiles) note(*projectile);
  }

  std::map<std::string, std::set<Cell>> shown_;
};

// The cells of a crowded nightmare match, as the game cuts them: every kind walking, shooting,
// burning, knocked, falling (zeppelins set on fire as they fall) and dying, every projectile.
// Each lies inside its picture and holds a drawing inside a transparent border of two pixels.
TEST_F(BuiltPictures, EveryCellAMatchShowsHoldsADrawingInsideAClearBorder) {
  constexpr int kFewestDrawnPixels = 20;
  constexpr int kBorder = 2;
  StartMatch(3);
  constexpr int kKinds[] = {kTypeArcher, kTypeWizard, kTypeHero, kTypeZeppelin, kTypeSheep};
  for (int i = 0; i < 60; ++i) {
    const float x = 300.0f + 80.0f * static_cast<float>(i);
    cCreature* creature = game().SpawnCreature(kKinds[i % 5], x, game().GroundHeightAt(x) - 300.0f);
    if (i % 3 == 1) creature->Knock({50.0f, -300.0f});
    if (i % 3 == 2) creature->Burn();
  }
  constexpr int kProjectiles[] = {kProjectileArrow, kProjectileBreath, kProjectileGold,
                                  kProjectileSpell, kProjectileSword,  kProjectileFireball,
                                  kProjectileFlame};
  DXUTPause(false, true);  // the world moves, nothing needs drawing
  for (int frame = 0; frame < 20 * 60 && game().state == kStateMatch; ++frame) {
    if (frame % 60 == 0) {
      for (int i = 0; i < 7; ++i) {
        const float x = 500.0f + 700.0f * static_cast<float>(i);
        game().SpawnProjectile(kProjectiles[i], x, 500.0f, 100.0f, i % 2 == 0 ? -100.0f : 600.0f);
      }
    }
    RunFrames(1);
    for (const auto& creature : game().creatures) {  // a falling zeppelin is set on fire
      if (frame == 2 && creature->GetType() == kTypeZeppelin && creature->state == kCreatureKnocked)
        creature->Burn();
    }
    NoteCellsShown();
  }
  DXUTPause(false, false);
  EXPECT_GE(shown_.size(), 13u) << "every creature and projectile sheet";

  for (const auto& [file, cells] : shown_) {
    SCOPED_TRACE(file);
    const Picture picture(file);
    ASSERT_TRUE(picture.loaded()) << IMG_GetError();
    for (const auto& [left, top, right, bottom] : cells) {
      SCOPED_TRACE(testing::Message() << "cell at (" << left << ", " << top << ")");
      const PixelRect c{left, top, right - left, bottom - top};
      ASSERT_TRUE(left >= 0 && top >= 0 && right <= picture.width() && bottom <= picture.height());
      EXPECT_GE(picture.opaqueCount(c), kFewestDrawnPixels);
      EXPECT_TRUE(picture.clear({c.x, c.y, c.w, kBorder}) &&
                  picture.clear({c.x, c.y + c.h - kBorder, c.w, kBorder}) &&
                  picture.clear({c.x, c.y, kBorder, c.h}) &&
                  picture.clear({c.x + c.w - kBorder, c.y, kBorder, c.h}));
    }
  }
  for (const char* whole : {"title.png", "slide0.png", "slide1.png", "slide2.png", "map/sky.png",
                            "map/map0.png", "map/map1.png", "map/map2.png", "map/map3.png"}) {
    EXPECT_TRUE(Picture(std::string("./data/art/") + whole).loaded()) << whole;
  }
}

}  // namespace

// The one way creatures come into the world: the type table and SpawnCreature.

#include <algorithm>
#include <array>
#include <memory>
#include <new>

#include "app/game.h"
#include "world/creatures/archer.h"
#include "world/creatures/creature.h"
#include "world/creatures/defender.h"
#include "world/creatures/dragon.h"
#include "world/creatures/hero.h"
#include "world/creatures/sheep.h"
#include "world/creatures/wizard.h"
#include "world/creatures/zeppelin.h"

namespace {

struct Size {
  int w = 0;
  int h = 0;
};

// One row of the type table. `cell` is the cell size the factory sets (none for kinds that
// set it in their own update); `firstCell` is the picture shown until the first update, so
// a creature spawned after the world's creature pass never shows its whole sheet.
struct CreatureKind {
  const char* sheet = nullptr;
  Size cell;
  Size firstCell;
  float scale = 1.0f;
};

constexpr std::array<CreatureKind, kCreatureTypeCount> kKinds{{
    /* plain    */ {nullptr, {}, {}, 1.0f},
    /* dragon   */ {"./data/art/dragon.png", {256, 256}, {256, 256}, 0.75f},
    /* archer   */ {"./data/art/archer.png", {64, 64}, {64, 64}, 0.75f},
    /* wizard   */ {"./data/art/wizard.png", {64, 64}, {64, 64}, 1.0f},
    /* hero     */ {"./data/art/hero.png", {}, {256, 256}, 0.5f},
    /* sheep    */ {"./data/art/sheep.png", {}, {64, 128}, 1.0f},
    /* defender */ {"./data/art/defender.png", {64, 32}, {64, 32}, 1.0f},
    /* zeppelin */ {"./data/art/zeppelin.png", {256, 256}, {256, 320}, 0.75f},
}};

std::unique_ptr<cCreature> MakeCreature(int type) {
  switch (type) {
    case kTypePlain: return std::unique_ptr<cCreature>(new (std::nothrow) cCreature);
    case kTypeDragon: return std::unique_ptr<cCreature>(new (std::nothrow) cDragon);
    case kTypeArcher: return std::unique_ptr<cCreature>(new (std::nothrow) cArcher);
    case kTypeWizard: return std::unique_ptr<cCreature>(new (std::nothrow) cWizard);
    case kTypeHero: return std::unique_ptr<cCreature>(new (std::nothrow) cHero);
    case kTypeSheep: return std::unique_ptr<cCreature>(new (std::nothrow) cSheep);
    case kTypeDefender: return std::unique_ptr<cCreature>(new (std::nothrow) cDefender);
    case kTypeZeppelin: return std::unique_ptr<cCreature>(new (std::nothrow) cZeppelin);
    default: return nullptr;
  }
}

// Shows only the kind's first cell, clipped to the picture actually loaded.
void ShowFirstCell(cCreature& creature, Size firstCell) {
  if (firstCell.w == 0) return;
  Rect& rect = creature.sourceRect;
  rect = Rect{0, 0, std::min(firstCell.w, rect.Width()), std::min(firstCell.h, rect.Height())};
}

}  // namespace

cCreature* cGame::SpawnCreature(int type, float x, float y) {
  std::unique_ptr<cCreature> creature = MakeCreature(type);
  if (!creature) return nullptr;

  const CreatureKind& kind = kKinds[static_cast<std::size_t>(type)];
  if (kind.sheet != nullptr) {
    creature->SetTexture(LoadTexture(kind.sheet), gui);
    if (kind.cell.w != 0) creature->SetCellSize(kind.cell.w, kind.cell.h);
    ShowFirstCell(*creature, kind.firstCell);
  }
  creature->position = Vec2{x, y};
  creature->scale = kind.scale;

  cCreature* spawned = creature.get();
  try {
    creatures.push_back(std::move(creature));
  } catch (const std::bad_alloc&) {
    return nullptr;  // `creature` still owns it and deletes it
  }
  return spawned;
}

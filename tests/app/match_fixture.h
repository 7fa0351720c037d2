#pragma once
// A running match on flat ground at y 1000 with no dragon and every spawn held back, so a
// test puts in exactly the creatures it needs. The clock stands well past every interval.

#include "app/game.h"
#include "platform/dxut.h"
#include "support/game_fixture.h"
#include "world/creatures/creature.h"

class MatchFixture : public GameFixture {
 protected:
  static constexpr float kGround = 1000.0f;
  static constexpr double kFrame = 1.0 / 60.0;

  void SetUp() override {
    GameFixture::SetUp();
    RunFrames(1, 100.0);
    FlattenGround(kGround);
    game().state = kStateMatch;
    HoldSpawns();
  }

  void HoldSpawns() {
    game().lastArcherSpawn = 1e9;
    game().lastHeroSpawn = 1e9;
    game().lastZeppelinSpawn = 1e9;
    game().lastDefenderRespawn = 1e9;
  }

  // A plain creature `size` pixels square whose frame counts its updates' seconds.
  cCreature* Counter(float x, int size = 64) {
    cCreature* creature = game().SpawnCreature(kTypePlain, x, kGround - 100.0f);
    creature->SetCellSize(size, size);
    creature->SetAnimation(0, 1000, 1, 1000.0f, 0);
    return creature;
  }

  int CountOfType(int type) {
    int count = 0;
    for (const auto& creature : game().creatures) count += creature->GetType() == type;
    return count;
  }

  bool Listed(const cCreature* wanted) {
    for (const auto& creature : game().creatures) {
      if (creature.get() == wanted) return true;
    }
    return false;
  }
};

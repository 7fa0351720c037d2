#pragma once
// `MatchWorld`: a running match on flat ground at y 1000, no dragon and every spawn held back,
// the clock well past every interval. `DragonMatch` adds the dragon hovering still at
// (3000, 500) facing left, no key down, and every defender post held.

#include <initializer_list>
#include <vector>

#include "platform/dxut.h"
#include "support/game_fixture.h"
#include "world/creatures/creature.h"
#include "world/creatures/dragon.h"
#include "world/projectiles/gold.h"
#include "world/projectiles/projectile.h"

inline constexpr float kGroundY = 1000.0f;
inline constexpr float kStep = 1.0f / 60.0f;

class MatchWorld : public GameFixture {
 protected:
  static constexpr double kFrame = 1.0 / 60.0;

  void SetUp() override;

  template <class Kind = cCreature>
  Kind* Spawn(int type, Vec2 at) {
    cCreature* creature = game().SpawnCreature(type, at.x, at.y);
    EXPECT_NE(creature, nullptr);
    return static_cast<Kind*>(creature);
  }
  template <class Kind = cProjectile>
  Kind* Shoot(int kind, Vec2 at, Vec2 velocity = {}) {
    return static_cast<Kind*>(game().SpawnProjectile(kind, at.x, at.y, velocity.x, velocity.y));
  }
  // A plain creature whose frame counts its updates' seconds.
  cCreature* Counter(float x);

  int CountOfType(int type);
  bool Listed(const cCreature* wanted);
  template <class Kind = cProjectile>
  std::vector<Kind*> ProjectilesOf(int kind) const {
    std::vector<Kind*> found;
    for (const auto& projectile : g_game.projectiles) {
      if (projectile && projectile->GetKind() == kind)
        found.push_back(static_cast<Kind*>(projectile.get()));
    }
    return found;
  }
  int CountProjectiles(int kind) const { return static_cast<int>(ProjectilesOf(kind).size()); }
  std::vector<cGold*> Coins() const { return ProjectilesOf<cGold>(kProjectileGold); }
  // Arrows loosed and spells cast in the last frame; other kinds count none.
  int NewShots(int kind) const;

  // Frames at 60 a second for `seconds` of game time.
  void RunFor(double seconds);
  // Frames until `done` holds, at most `limit`; true when it holds.
  template <class Predicate>
  bool RunUntil(Predicate done, int limit) {
    for (int i = 0; i < limit; ++i) {
      if (done()) return true;
      RunFrames(1);
    }
    return done();
  }

  // Silences what plays, makes samples `ids` long test tones and pauses the output, so that
  // every later play holds a channel, counted by SoundsPlayed.
  void Hear(const std::vector<int>& ids);
  int SoundsPlayed() const;
};

class DragonMatch : public MatchWorld {
 protected:
  void SetUp() override;

  cDragon& dragon() { return *dragon_; }

  // One control step, then the dragon's own update.
  void Fly(float dt = kStep);
  // Holds the keys for `steps` of Fly, then lets go for one more.
  void HoldFor(std::initializer_list<unsigned> keys, int steps, float dt = kStep);

 private:
  cDragon* dragon_ = nullptr;
};

#pragma once
// A running match for the foot attackers and the village guard: flat ground at y 1000, every
// spawn held back, every defender post marked held, and the dragon hovering still where a
// test puts it. Frames run through the real frame path (match update, then the match's
// drawing) on the manual clock. Sounds can be made audible one sample at a time, with the
// output paused so that each play keeps its channel and can be counted.

#include <initializer_list>
#include <vector>

#include "app/match_fixture.h"
#include "world/creatures/dragon.h"
#include "world/projectiles/gold.h"
#include "world/projectiles/projectile.h"

// The height of the flat ground.
inline constexpr float kFieldGroundY = 1000.0f;

class AttackersMatch : public MatchFixture {
 protected:
  static_assert(kGround == kFieldGroundY);

  void SetUp() override;

  cDragon& dragon() { return *dragon_; }

  // A creature of `type` at `at`, listed in the world.
  template <class Kind>
  Kind* Spawn(int type, Vec2 at) {
    cCreature* creature = game().SpawnCreature(type, at.x, at.y);
    EXPECT_NE(creature, nullptr);
    return static_cast<Kind*>(creature);
  }

  // Runs frames at 60 a second for `seconds` of game time (rounded to whole frames).
  void RunFor(double seconds);
  // Runs single frames until `done` holds or `limit` frames have run; true when it holds.
  template <class Predicate>
  bool RunUntil(Predicate done, int limit) {
    for (int i = 0; i < limit; ++i) {
      if (done()) return true;
      RunFrames(1);
    }
    return done();
  }

  template <class Kind>
  std::vector<Kind*> ProjectilesOf(int kind) const {
    std::vector<Kind*> found;
    for (const auto& projectile : g_game.projectiles) {
      if (projectile && projectile->GetKind() == kind)
        found.push_back(static_cast<Kind*>(projectile.get()));
    }
    return found;
  }
  std::vector<cGold*> Coins() const { return ProjectilesOf<cGold>(kProjectileGold); }
  // Arrows loosed in the last frame (they have flown exactly one frame).
  int NewArrows() const;

  // Silences what plays, makes samples `ids` playable (each a long test tone) and pauses the
  // output, so that every later play holds a channel; the plays are counted by SoundsPlayed.
  void Hear(std::initializer_list<int> ids);
  int SoundsPlayed() const;

 private:
  cDragon* dragon_ = nullptr;
};

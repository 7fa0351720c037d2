// The same play at any display rate: flight and coast, breath, a fireball and a creature
// dropped in flight end up alike from 30 to 240 frames a second; the view moves every frame.

#include <gtest/gtest.h>

#include <cmath>

#include "support/match_world.h"
#include "ui/hud.h"
#include "world/projectiles/fireball.h"

namespace {

// Where one round of play leaves things.
struct Outcome {
  float coast = 0.0f;  // how far the dragon drifts in 2 s after a second at full speed
  int breathPuffs = 0;
  Vec2 thrownFlight;    // an archer's way in 0.5 s after being dropped in full flight
  Vec2 fireballFlight;  // a fireball's way in its first 0.5 s
  int fireballTrail = 0;
  int stillFrames = 0;       // frames of full-speed flight in which the drawn view stood still
  float shownHealth = 0.0f;  // the health bar 1/6 s after the dragon healed from 0 to 100
};

class MotionTest : public MatchWorld {
 protected:
  // Plays the round at `fps` frames a second. Every duration is a whole number of frames at
  // 30, 60, 144 and 240 frames a second.
  Outcome Play(int fps) {
    game().creatures.clear();
    game().projectiles.clear();
    game().StartMatchSteps();
    auto* dragon = Spawn<cDragon>(kTypeDragon, {3000.0f, 500.0f});
    game().dragon = dragon;
    Outcome outcome;
    for (int frame = 0; frame < fps / 6; ++frame) {
      outcome.shownHealth = ChaseHealth(outcome.shownHealth, 100.0f, 1.0f / fps);
    }
    const auto run = [&](double seconds, bool watchView = false) {
      for (long frame = std::lround(seconds * fps); frame > 0; --frame) {
        const Vec2 shown = game().DrawnCamera();
        RunFrames(1, 1.0 / fps);
        outcome.stillFrames += watchView && game().DrawnCamera() == shown;
      }
    };
    const auto holdFor = [&](unsigned key, double seconds) {
      Hold(key, true);
      run(seconds);
      Hold(key, false);
    };

    Hold(VK_RIGHT, true);
    run(0.5);
    run(0.5, true);
    Hold(VK_RIGHT, false);
    const float letGo = dragon->position.x;
    run(0.5);
    holdFor('Z', 1.5);  // charged during the coast: a breath of a quarter of a second
    outcome.coast = dragon->position.x - letGo;
    run(0.5);
    outcome.breathPuffs = CountProjectiles(kProjectileBreath);

    cCreature* archer = Spawn(kTypeArcher, dragon->position);
    holdFor('X', 1.0 / 6.0);
    Hold(VK_RIGHT, true);
    run(0.5);
    holdFor('Z', 1.0 / 6.0);  // lets go of the archer
    Hold(VK_RIGHT, false);
    const Vec2 dropped = archer->position;
    run(0.5);
    outcome.thrownFlight = archer->position - dropped;

    game().projectiles.clear();
    holdFor('Z', 1.0 / 6.0);
    const Vec2 mouth = dragon->position + dragon->GetMouthOffset();
    run(0.5);
    const std::vector<cFireball*> fireballs = ProjectilesOf<cFireball>(kProjectileFireball);
    if (fireballs.size() == 1) {
      outcome.fireballFlight = fireballs.front()->position - mouth;
      outcome.fireballTrail = static_cast<int>(fireballs.front()->emitter.particles.size());
    }
    return outcome;
  }
};

TEST_F(MotionTest, FlightBreathShotsAndThrowsEndAlikeFromThirtyToTwoHundredFortyFramesASecond) {
  DXUTPause(false, true);  // only the frame moves run: what a frame shows is read from the world
  const Outcome at60 = Play(60);
  EXPECT_TRUE(at60.coast > 0.0f && at60.breathPuffs > 0 && at60.thrownFlight.x > 0.0f &&
              at60.fireballTrail > 0 && at60.stillFrames == 0 && at60.shownHealth > 0.0f);
  for (const int fps : {30, 144, 240}) {
    const Outcome other = Play(fps);
    EXPECT_NEAR(other.coast, at60.coast, 0.15f * at60.coast) << fps << " frames a second";
    EXPECT_NEAR(other.breathPuffs, at60.breathPuffs, 1) << fps;
    EXPECT_LT((other.thrownFlight - at60.thrownFlight).Length(), 5.0f) << fps;
    EXPECT_LT((other.fireballFlight - at60.fireballFlight).Length(), 7.0f) << fps;
    EXPECT_NEAR(other.fireballTrail, at60.fireballTrail, 2) << fps;
    EXPECT_EQ(other.stillFrames, 0) << fps;
    EXPECT_NEAR(other.shownHealth, at60.shownHealth, 0.5f) << fps;
  }
  DXUTPause(false, false);
}

}  // namespace

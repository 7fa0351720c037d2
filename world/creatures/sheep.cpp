#include "world/creatures/sheep.h"

#include "app/game.h"

namespace {

constexpr float kYellingWeight = 100.0f;  // the princess cries for help
constexpr float kFallGravity = 400.0f;
constexpr float kFallSpin = 4.0f;            // radians per second
constexpr float kLandingBlastFactor = 2.0f;  // of the scaled width, squared
constexpr float kLandingDamage = 50.0f;

constexpr CellAnimation kStanding{64, 128, 0, 0, 2, 1.0f, 1};
constexpr CellAnimation kInTheAir{64, 128, 1, 1, 2, 1.0f, 1};

}  // namespace

void cSheep::Update(float dt) {
  cCreature::Update(dt);
  // Off the ground unless the standing branch says otherwise: the princess yells until then.
  Show(kInTheAir);
  if (weight >= kYellingWeight) yell.SetActive(1);

  switch (state) {
    case kCreatureIdle:
    case kCreatureBurning:
      if (health <= 0.0f) state = kCreatureDead;
      Show(kStanding);
      yell.SetActive(0);
      break;

    case kCreatureKnocked:
    case kCreatureThrown:
      if (FlyUnderGravity(dt, kFallGravity)) {
        if (state == kCreatureThrown) {
          g_game.Blast(position, kLandingBlastFactor * ScaledWidthSq(), kLandingDamage, -1);
        }
        Land();
      }
      Tumble(dt, kFallSpin);
      break;

    case kCreatureHeld:
      rotation = 0.0f;
      break;

    default:
      break;
  }
}

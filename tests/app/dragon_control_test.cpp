// The player's keys and pad: flight, aim, charge, fireballs versus breath, grab and eat, the
// limits of the flight, the camera, and the keys while dying or paused.

#include <cmath>

#include "platform/dxut.h"
#include "support/match_world.h"
#include "support/virtual_pad.h"
#include "world/creatures/sheep.h"

namespace {

using DragonControlTest = DragonMatch;

TEST_F(DragonControlTest, ArrowsAndWasdFlyFromRestAtFourHundredAfterOneUpdate) {
  Hold(VK_RIGHT, true);
  game().DragonControlStep(kStep);
  EXPECT_EQ(dragon().velocity.x, 500.0f);
  dragon().Update(kStep);
  EXPECT_NEAR(dragon().velocity.x, 400.0f, 1e-3f);
  EXPECT_EQ(dragon().flipX, 1);
  Hold(VK_RIGHT, false);
  const struct {
    unsigned across, upOrDown;
    float sign;
  } wasd[] = {{'A', 'W', -1.0f}, {'D', 'S', 1.0f}};
  for (const auto& keys : wasd) {
    dragon().velocity = {};
    HoldFor({keys.across, keys.upOrDown}, 1);
    EXPECT_GT(dragon().velocity.x * keys.sign, 0.0f) << keys.across;
    EXPECT_GT(dragon().velocity.y * keys.sign, 0.0f) << keys.upOrDown;
  }
}

TEST_F(DragonControlTest, AShortPressOfEitherFireKeyLaunchesAFireballAtSevenHundred) {
  Hear({136, 137});
  for (const unsigned key : {'Z', 'Y'}) {
    game().projectiles.clear();
    HoldFor({key}, 30);  // 0.5 s
    ASSERT_EQ(CountProjectiles(kProjectileFireball), 1) << key;
    EXPECT_EQ(CountProjectiles(kProjectileBreath), 0);
    const cProjectile& fireball = *game().projectiles.front();
    const Vec2 aim = game().GetAimDirection();
    EXPECT_NEAR(fireball.velocity.x, aim.x * 700.0f, 1e-2f);
    EXPECT_NEAR(fireball.velocity.y, aim.y * 700.0f, 1e-2f);
    EXPECT_EQ(dragon().charge, -1.0f);
    EXPECT_EQ(dragon().breathing, 0);
  }
  EXPECT_EQ(SoundsPlayed(), 2) << "one launch sound each";
}

// Charge 0.5 after 1.5 s: the dragon swells to 0.775 and breathes for 0.25 s, one puff per
// update, shrinking back as the charge is spent.
TEST_F(DragonControlTest, LongPressBreathesOnePuffPerUpdate) {
  constexpr float dt = 1.0f / 64.0f;  // exact in binary: 0.25 s is exactly 16 updates
  Hold('Z', true);
  for (int i = 0; i < 96; ++i) Fly(dt);
  EXPECT_EQ(dragon().charge, 0.5f);
  EXPECT_EQ(dragon().scale, 0.775f);
  Hold('Z', false);

  int updates = 0;
  do {
    const int before = CountProjectiles(kProjectileBreath);
    Fly(dt);
    ++updates;
    EXPECT_EQ(CountProjectiles(kProjectileBreath), before + 1) << "update " << updates;
  } while (dragon().breathing && updates < 100);
  EXPECT_EQ(updates, 16);
  EXPECT_EQ(CountProjectiles(kProjectileFireball), 0);
  EXPECT_EQ(dragon().charge, -1.0f);
  Fly(dt);
  EXPECT_EQ(CountProjectiles(kProjectileBreath), 16);
  EXPECT_EQ(dragon().scale, 0.75f);
}

TEST_F(DragonControlTest, GrabsTheFirstGrabbableCreatureWithinAHundredAndSnapsAtNothing) {
  HoldFor({'X'}, 3);
  EXPECT_EQ(dragon().GetHeld(), nullptr);
  EXPECT_GE(dragon().frame, 14.0f) << "the jaws snap with nothing in reach";
  cCreature* hero = Spawn(kTypeHero, dragon().position + Vec2{10.0f, 0.0f});  // not grabbable
  cCreature* far = Spawn(kTypeSheep, dragon().position + Vec2{100.0f, 0.0f});
  cCreature* nearSheep = Spawn(kTypeSheep, dragon().position + Vec2{60.0f, 79.0f});
  cCreature* second = Spawn(kTypeSheep, dragon().position + Vec2{0.0f, 10.0f});
  HoldFor({'X'}, 3);
  EXPECT_EQ(dragon().GetHeld(), nearSheep);
  EXPECT_EQ(nearSheep->state, kCreatureHeld);
  EXPECT_EQ(hero->state, kCreatureIdle);
  EXPECT_EQ(far->state, kCreatureIdle);
  EXPECT_EQ(second->state, kCreatureIdle);
}

TEST_F(DragonControlTest, ReleasingFireWhileHoldingDropsInsteadOfFiring) {
  cCreature* archer = Spawn(kTypeArcher, dragon().position + Vec2{0.0f, 50.0f});
  HoldFor({'X'}, 3);
  ASSERT_EQ(dragon().GetHeld(), archer);
  Hold(VK_LEFT, true);
  HoldFor({'Z'}, 10);
  Hold(VK_LEFT, false);
  EXPECT_EQ(dragon().GetHeld(), nullptr);
  EXPECT_EQ(archer->state, kCreatureThrown);
  EXPECT_EQ(archer->health, 0.0f);
  EXPECT_EQ(archer->target.x, -500.0f) << "thrown with the dragon's velocity before damping";
  EXPECT_EQ(game().projectiles.size(), 0u);
}

TEST_F(DragonControlTest, SpaceWithUpOrDownMovesTheAimWithinItsRange) {
  Hold(VK_SPACE, true);
  Hold(VK_UP, true);
  for (int i = 0; i < 15; ++i) Fly();  // 0.25 s
  EXPECT_EQ(dragon().aim, 1.0f);
  for (int i = 0; i < 15; ++i) Fly();
  EXPECT_EQ(dragon().aim, 1.0f);
  Hold(VK_UP, false);
  Hold(VK_DOWN, true);
  for (int i = 0; i < 15; ++i) Fly();
  EXPECT_NEAR(dragon().aim, 0.5f, 1e-5f);
  for (int i = 0; i < 60; ++i) Fly();
  EXPECT_EQ(dragon().aim, 0.0f);
  Hold(VK_DOWN, false);
  Hold(VK_SPACE, false);
  Hold(VK_UP, true);
  Fly();
  EXPECT_EQ(dragon().aim, 0.0f) << "without space the aim stays";
}

// The dragon stays between x -128 and 5700 and below half its height less 200; the camera
// follows it, clamped to the world.
TEST_F(DragonControlTest, TheFlightAndTheCameraStayWithinTheWorld) {
  dragon().position = {-100.0f, 500.0f};
  Hold(VK_LEFT, true);
  for (int i = 0; i < 30; ++i) Fly();
  game().DragonControlStep(kStep);
  EXPECT_EQ(dragon().position.x, -128.0f);
  Hold(VK_LEFT, false);
  dragon().position = {5680.0f, 500.0f};
  HoldFor({VK_RIGHT, VK_UP}, 200);
  game().DragonControlStep(kStep);
  EXPECT_EQ(dragon().position, (Vec2{5700.0f, 0.5f * dragon().GetScaledHeight() - 200.0f}));

  const std::pair<Vec2, Vec2> cameras[] = {{{3000.0f, 500.0f}, {2600.0f, 350.0f}},
                                           {{-100.0f, 1200.0f}, {-250.0f, 668.0f}},
                                           {{5700.0f, 700.0f}, {5050.0f, 550.0f}},
                                           {{5700.0f, 100.0f}, {5050.0f, -50.0f}}};
  for (const auto& [dragonAt, camera] : cameras) {
    dragon().position = dragonAt;
    game().DragonControlStep(kStep);
    EXPECT_EQ(game().camera, camera) << dragonAt.x << ", " << dragonAt.y;
  }
}

TEST_F(DragonControlTest, ADyingDragonNeitherFiresNorGrabs) {
  Spawn(kTypeSheep, dragon().position + Vec2{0.0f, 30.0f});
  Hold('Z', true);
  Hold('X', true);
  Fly();
  dragon().health = 0.0f;
  Hold('Z', false);
  Hold('X', false);
  for (int i = 0; i < 5; ++i) Fly();
  EXPECT_EQ(game().projectiles.size(), 0u);
  EXPECT_EQ(dragon().GetHeld(), nullptr);
  Hold(VK_RIGHT, true);
  const Vec2 velocity = dragon().velocity;
  game().DragonControlStep(kStep);
  EXPECT_EQ(dragon().velocity, velocity) << "no flight while dying";
}

// While paused the control step still runs; what it launches waits for the pause to end.
TEST_F(DragonControlTest, KeysStillWorkWhilePausedAndShotsWait) {
  game().state = kStateMatch;
  game().paused = 1;
  Hold('Z', true);
  Hold(VK_RIGHT, true);
  game().UpdateMatch(kStep);
  EXPECT_EQ(dragon().velocity.x, 500.0f);
  EXPECT_GT(dragon().charge, -1.0f);
  Hold('Z', false);
  Hold(VK_RIGHT, false);
  game().UpdateMatch(kStep);
  ASSERT_EQ(CountProjectiles(kProjectileFireball), 1);
  const Vec2 where = game().projectiles.front()->position;
  game().UpdateMatch(kStep);
  EXPECT_EQ(game().projectiles.front()->position, where);
}

class PadControl : public DragonMatch {
 protected:
  void SetUp() override {
    DragonMatch::SetUp();
    pad_.PlugIn();
    RunFrames(1);
  }
  void TearDown() override {
    pad_.Unplug();
    DragonMatch::TearDown();
  }
  // A press of `button` held for one frame, then one frame with it let go.
  void TapButton(SDL_GameControllerButton button) {
    pad_.SetButton(button, true);
    RunFrames(1);
    pad_.SetButton(button, false);
    RunFrames(1);
  }

  VirtualPad pad_;
};

// The D-pad and a stick at full tilt fly as the keys do (400 after one frame from rest); a
// stick tilted part way gives part of the thrust, and a stick resting near its centre none.
TEST_F(PadControl, TheDpadAndAFullyTiltedStickFlyAsTheKeysDoAndAStickByItsTilt) {
  const struct {
    float stickX;
    SDL_GameControllerButton button;
    float velocityX;
  } inputs[] = {{0.0f, SDL_CONTROLLER_BUTTON_DPAD_LEFT, -400.0f},
                {-1.0f, SDL_CONTROLLER_BUTTON_INVALID, -400.0f},
                {-0.625f, SDL_CONTROLLER_BUTTON_INVALID, -200.0f},
                {-0.2f, SDL_CONTROLLER_BUTTON_INVALID, 0.0f}};
  for (const auto& input : inputs) {
    dragon().velocity = {};
    pad_.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, input.stickX);
    pad_.SetButton(input.button, true);
    RunFrames(1);
    EXPECT_NEAR(dragon().velocity.x, input.velocityX, 0.5f) << "stick " << input.stickX;
    pad_.LetGo();
  }
}

// X or B snaps, and the right stick or the shoulders aim without flying: up as the aim key
// with Up, down as the aim key with Down.
TEST_F(PadControl, XOrBSnapsAndTheRightStickOrShouldersAimWithoutFlying) {
  for (const SDL_GameControllerButton snap : {SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_B}) {
    Spawn(kTypeSheep, dragon().position + Vec2{0.0f, 30.0f});
    TapButton(snap);
    EXPECT_NE(dragon().GetHeld(), nullptr) << "grabbed with " << snap;
    TapButton(snap);
    EXPECT_EQ(dragon().GetHeld(), nullptr) << "eaten with " << snap;
    RunFor(0.5);  // the meal ends
  }

  const float height = dragon().position.y;
  dragon().aim = 0.5f;
  pad_.SetAxis(SDL_CONTROLLER_AXIS_RIGHTY, -1.0f);
  RunFor(0.1);
  EXPECT_NEAR(dragon().aim, 0.7f, 0.02f) << "the stick up";
  pad_.SetAxis(SDL_CONTROLLER_AXIS_RIGHTY, 0.0f);
  pad_.SetButton(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
  RunFor(0.2);
  EXPECT_NEAR(dragon().aim, 0.3f, 0.02f) << "the right shoulder";
  pad_.SetButton(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, false);
  pad_.SetButton(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
  RunFor(0.1);
  EXPECT_NEAR(dragon().aim, 0.5f, 0.02f) << "the left shoulder";
  EXPECT_NEAR(dragon().position.y, height, 1.0f) << "aiming does not fly";
}

}  // namespace

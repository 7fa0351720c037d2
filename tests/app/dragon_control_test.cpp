// The player's keys and pad: flight and its limits, aim, fire, grab, the camera, dying, pause.

#include <array>
#include <cmath>

#include "platform/dxut.h"
#include "support/match_world.h"
#include "support/virtual_pad.h"
#include "world/creatures/sheep.h"

namespace {

using DragonControlTest = DragonMatch;

// A short press of either fire key launches a fireball along the aim, with its sound. A long
// one charges, the dragon swelling; let go, it breathes one puff per update for a quarter of a
// second with its sound, shrinking back as the charge is spent.
TEST_F(DragonControlTest, AShortPressLaunchesAFireballAndALongOneBreathesOnePuffPerUpdate) {
  Hear({133, 136, 137});
  for (const unsigned key : {'Z', 'Y'}) {
    game().projectiles.clear();
    HoldFor({key}, 30);  // 0.5 s
    ASSERT_EQ(CountProjectiles(kProjectileFireball), 1) << key;
    EXPECT_EQ(CountProjectiles(kProjectileBreath), 0);
    const cProjectile& fireball = *game().projectiles.front();
    EXPECT_LT((fireball.velocity - game().GetAimDirection() * 700.0f).Length(), 1e-2f);
    EXPECT_EQ(dragon().charge, -1.0f);
  }
  EXPECT_EQ(SoundsPlayed(), 2) << "one launch sound each";

  game().projectiles.clear();
  constexpr float dt = 1.0f / 64.0f;  // exact in binary: 0.25 s is exactly 16 updates
  Hold('Z', true);
  for (int i = 0; i < 96; ++i) Fly(dt);
  EXPECT_GT(dragon().scale, 0.75f) << "swollen";
  Hold('Z', false);
  int updates = 0;
  do {
    const int before = CountProjectiles(kProjectileBreath);
    Fly(dt);
    ++updates;
    EXPECT_EQ(CountProjectiles(kProjectileBreath), before + 1) << "update " << updates;
  } while (dragon().breathing && updates < 100);
  EXPECT_EQ(updates, 16);
  EXPECT_EQ(SoundsPlayed(), 3) << "and the breath's sound";
  EXPECT_EQ(CountProjectiles(kProjectileFireball), 0);
  Fly(dt);
  EXPECT_EQ(dragon().scale, 0.75f);
}

// Fire released while holding drops the creature instead. A dying dragon neither fires, grabs
// nor flies.
TEST_F(DragonControlTest, GrabsTheFirstGrabbableCreatureWithinAHundredFireDropsItAndDyingStopsAll) {
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
  for (const cCreature* left : {hero, far, second}) EXPECT_EQ(left->state, kCreatureIdle);

  Hold(VK_LEFT, true);
  HoldFor({'Z'}, 10);
  Hold(VK_LEFT, false);
  EXPECT_EQ(dragon().GetHeld(), nullptr);
  EXPECT_EQ(nearSheep->state, kCreatureThrown);
  EXPECT_EQ(game().projectiles.size(), 0u);

  Hold('Z', true);
  Hold('X', true);
  Fly();
  dragon().health = 0.0f;
  Hold('Z', false);
  Hold('X', false);
  for (int i = 0; i < 5; ++i) Fly();
  EXPECT_EQ(game().projectiles.size(), 0u);
  EXPECT_EQ(dragon().GetHeld(), nullptr) << "the sheep in reach stays";
  Hold(VK_RIGHT, true);
  const Vec2 velocity = dragon().velocity;
  game().DragonControlStep(kStep);
  EXPECT_EQ(dragon().velocity, velocity) << "no flight while dying";
}

// From the middle of its range at 2 a second: a quarter of a second up reaches the top.
TEST_F(DragonControlTest, SpaceWithUpOrDownAimsAndTheFlightAndTheCameraStayWithinTheWorld) {
  const struct {
    unsigned key;
    int steps;
    float aim;
  } moves[] = {{VK_UP, 15, 1.0f}, {VK_UP, 15, 1.0f}, {VK_DOWN, 15, 0.5f}, {VK_DOWN, 60, 0.0f}};
  Hold(VK_SPACE, true);
  for (const auto& move : moves) {
    Hold(move.key, true);
    for (int i = 0; i < move.steps; ++i) Fly();
    Hold(move.key, false);
    EXPECT_NEAR(dragon().aim, move.aim, 1e-5f) << move.key << " for " << move.steps;
  }
  Hold(VK_SPACE, false);
  Hold(VK_UP, true);
  Fly();
  EXPECT_EQ(dragon().aim, 0.0f) << "without space the aim stays";
  Hold(VK_UP, false);

  // The dragon stays between x -128 and 5700 and below half its height less 200; the camera
  // follows it, clamped to the world.
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

  // The camera keeps the dragon centred across the view and high in it; at the world's left,
  // right and bottom it stops, the dragon still in view.
  const auto cameraFor = [&](Vec2 at) {
    dragon().position = at;
    game().DragonControlStep(kStep);
    return game().camera;
  };
  const DXUTSurfaceDesc view;
  const Vec2 middle = Vec2{3000.0f, 500.0f} - cameraFor({3000.0f, 500.0f});
  EXPECT_EQ((Vec2{3100.0f, 550.0f} - cameraFor({3100.0f, 550.0f})), middle);
  EXPECT_TRUE(middle.x == 0.5f * view.width && middle.y > 0.0f && middle.y < 0.5f * view.height);
  for (const auto& [edge, beyond] : {std::pair{Vec2{-100.0f, 1200.0f}, Vec2{-128.0f, 1400.0f}},
                                     {Vec2{5650.0f, 100.0f}, Vec2{5700.0f, 100.0f}}}) {
    const Vec2 camera = cameraFor(edge);
    const Vec2 at = dragon().position - camera;
    EXPECT_TRUE(at.x > 0.0f && at.x < view.width && at.y > 0.0f && at.y < view.height);
    EXPECT_EQ(cameraFor(beyond), camera) << "stopped at " << edge.x << ", " << edge.y;
  }
}

// While paused the world stands (the clock, the creatures, thieves, the gold-loss flash, the
// shake) but the dragon answers the keys, the camera follows it, and what it launches waits.
TEST_F(DragonControlTest, PauseFreezesTheWorldButNotTheDragonControlOrTheCamera) {
  cCreature* counter = Counter(1000.0f);
  game().gold = 80;
  cCreature* thief = Spawn(kTypeArcher, {5700.0f, 0.0f});
  game().lastArcherSpawn = 0.0;
  game().goldLossTimer = 1.0f;
  game().shake = 10.0f;
  game().paused = 1;
  dragon().position = Vec2{3000.0f, 600.0f};
  Hold('Z', true);
  Hold(VK_RIGHT, true);
  RunFrames(30);
  EXPECT_EQ((std::array{game().matchTime, counter->frame, game().goldLossTimer, game().shake}),
            (std::array{0.0f, 0.0f, 1.0f, 10.0f}));
  EXPECT_TRUE(Listed(thief));
  EXPECT_EQ(game().creatures.size(), 3u);
  EXPECT_EQ(game().camera, (Vec2{2600.0f, 450.0f}));
  EXPECT_EQ(dragon().velocity.x, 500.0f);
  EXPECT_GT(dragon().charge, -1.0f);
  Hold('Z', false);
  Hold(VK_RIGHT, false);
  RunFrames(1);
  ASSERT_EQ(CountProjectiles(kProjectileFireball), 1);
  const Vec2 where = game().projectiles.front()->position;
  RunFrames(1);
  EXPECT_EQ(game().projectiles.front()->position, where);

  game().paused = 0;
  RunFrames(1);
  EXPECT_GT(game().matchTime, 0.0f);
  EXPECT_NE(game().projectiles.front()->position, where);
  EXPECT_EQ(game().gold, 30u) << "the thief got in";
  EXPECT_FLOAT_EQ(game().shake, 8.0f) << "the shake dies down by a fifth a frame";
}

// The arrows, WASD, the D-pad and a stick at full tilt fly at 400 after one frame from rest,
// facing the way they fly; a stick tilted part way gives part of the thrust, near its centre
// none. X or B snaps; the right stick or the shoulders aim without flying. A blow is felt in the
// pad, milder than a crash (SDL stops the rumble when its time is up).
TEST_F(DragonControlTest, KeysAndPadFlyAlikeAStickByItsTiltXOrBSnapsAndTheShouldersAim) {
  VirtualPad pad;
  pad.PlugIn();
  RunFrames(1);
  constexpr auto kNoButton = SDL_CONTROLLER_BUTTON_INVALID;
  const struct {
    unsigned key;
    SDL_GameControllerButton button;
    float stickX;
    Vec2 velocity;
  } inputs[] = {{VK_RIGHT, kNoButton, 0.0f, {400.0f, 0.0f}},
                {'A', kNoButton, 0.0f, {-400.0f, 0.0f}},
                {'D', kNoButton, 0.0f, {400.0f, 0.0f}},
                {'W', kNoButton, 0.0f, {0.0f, -400.0f}},
                {'S', kNoButton, 0.0f, {0.0f, 400.0f}},
                {0, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 0.0f, {-400.0f, 0.0f}},
                {0, kNoButton, -1.0f, {-400.0f, 0.0f}},
                {0, kNoButton, -0.625f, {-200.0f, 0.0f}},
                {0, kNoButton, -0.2f, {0.0f, 0.0f}}};
  for (const auto& input : inputs) {
    SCOPED_TRACE(testing::Message() << "key " << input.key << " stick " << input.stickX);
    dragon().velocity = {};
    if (input.key != 0) Hold(input.key, true);
    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, input.stickX);
    pad.SetButton(input.button, true);
    RunFrames(1);
    EXPECT_LT((dragon().velocity - input.velocity).Length(), 0.5f);
    EXPECT_TRUE(input.velocity.x == 0.0f || (dragon().flipX == 1) == (input.velocity.x > 0.0f));
    if (input.key != 0) Hold(input.key, false);
    pad.LetGo();
  }

  for (const SDL_GameControllerButton snap : {SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_B}) {
    dragon().velocity = {};
    Spawn(kTypeSheep, dragon().position + Vec2{0.0f, 30.0f});
    for (const bool held : {true, false}) {  // grabbed, then eaten
      pad.SetButton(snap, true);
      RunFrames(1);
      pad.SetButton(snap, false);
      RunFrames(1);
      EXPECT_EQ(dragon().GetHeld() != nullptr, held) << "button " << snap;
    }
    RunFor(0.5);  // the meal ends
  }

  const float height = dragon().position.y;
  dragon().aim = 0.5f;
  pad.SetAxis(SDL_CONTROLLER_AXIS_RIGHTY, -1.0f);
  RunFor(0.1);
  EXPECT_NEAR(dragon().aim, 0.7f, 0.02f) << "the stick up";
  pad.SetAxis(SDL_CONTROLLER_AXIS_RIGHTY, 0.0f);
  pad.SetButton(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
  RunFor(0.2);
  EXPECT_NEAR(dragon().aim, 0.3f, 0.02f) << "the right shoulder";
  pad.SetButton(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, false);
  pad.SetButton(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
  RunFor(0.1);
  EXPECT_NEAR(dragon().aim, 0.5f, 0.02f) << "the left shoulder";
  EXPECT_NEAR(dragon().position.y, height, 1.0f) << "aiming does not fly";

  dragon().health -= 10.0f;
  RunFrames(1);
  ASSERT_FALSE(pad.rumbles().empty());
  EXPECT_GT(pad.rumbles().back().lowFrequency, 0);
  EXPECT_LT(pad.rumbles().back().lowFrequency, 0xFFFF) << "a blow is milder than a crash";
}

}  // namespace

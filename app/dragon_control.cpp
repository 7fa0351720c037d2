// The player's keys and pad turned into dragon actions, once per match frame (also while
// paused), followed by the camera and the pad's rumble.

#include <algorithm>
#include <cstdlib>

#include "app/game.h"
#include "platform/dxut.h"
#include "world/creatures/dragon.h"
#include "world/projectiles/projectile.h"

namespace {

constexpr float kThrust = 500.0f;
constexpr float kAimRate = 2.0f;  // aim per second with space held
constexpr float kCeilingBelowTop = 200.0f;
constexpr float kLeftmostX = -128.0f;
constexpr float kRightmostX = 5700.0f;
constexpr float kFullCharge = 2.0f;
constexpr float kRestingScale = 0.75f;
constexpr float kSwellPerCharge = 0.05f;
constexpr float kBreathSpendRate = 2.0f;  // charge spent per second of breath
constexpr float kFireballSpeed = 700.0f;
constexpr float kBreathSpeed = 1000.0f;
constexpr float kGrabRangeSq = 10000.0f;  // 100 pixels
constexpr int kSoundBreath = 133;
constexpr int kSoundFireballA = 136;
constexpr int kSoundFireballB = 137;

constexpr Vec2 kCameraOffset{400.0f, 150.0f};
constexpr float kCameraLowest = 668.0f;  // the view never shows below y 1268
constexpr float kCameraLeftmost = -250.0f;
constexpr float kCameraRightmost = 5050.0f;

// A pad rumbles briefly when the dragon is hurt and long and hard when it crashes.
constexpr float kHitRumble = 0.5f;
constexpr float kHitRumbleSeconds = 0.2f;
constexpr float kCrashRumble = 1.0f;
constexpr float kCrashRumbleSeconds = 0.8f;
constexpr float kCrashedFrame = 13.0f;  // the dragon's cells lying on the ground

bool IsDown(unsigned key) { return DXUTIsKeyDown(static_cast<std::uint8_t>(key)); }

bool IsDown(unsigned key, unsigned alternative) { return IsDown(key) || IsDown(alternative); }

bool IsDown(unsigned key, unsigned alternative, unsigned padButton) {
  return IsDown(key, alternative) || IsDown(padButton);
}

// The player's push along one axis, -1..1: a key or D-pad button pushes fully (the first of
// the two wins, as with the keys alone), otherwise the stick pushes by its tilt.
float KeysOrTilt(bool negative, bool positive, float stickTilt) {
  if (negative) return -1.0f;
  if (positive) return 1.0f;
  return stickTilt;
}

// The first grabbable creature, in list order, within reach of the dragon's centre.
cCreature* FirstWithinReach(const cGame& game, const cDragon& dragon) {
  for (const auto& creature : game.creatures) {
    if (creature && creature->grabbable &&
        (creature->position - dragon.position).LengthSq() < kGrabRangeSq) {
      return creature.get();
    }
  }
  return nullptr;
}

}  // namespace

void cGame::DragonControlStep(float elapsed) {
  if (!dragon) return;
  cDragon& player = *static_cast<cDragon*>(dragon);
  const float dt = elapsed;

  bool fireHeld = IsDown('Z', 'Y', VK_GAMEPAD_A);
  bool fireReleased = fireWasHeld_ && !fireHeld;
  const bool grabHeld = IsDown('X', VK_GAMEPAD_X, VK_GAMEPAD_B);
  bool grabReleased = grabWasHeld_ && !grabHeld;
  if (player.health <= 0.0f) {
    fireHeld = false;
    fireReleased = false;
    grabReleased = false;
  }

  player.Accelerate(0.0f, 0.0f);
  const float across = KeysOrTilt(IsDown(VK_LEFT, 'A', VK_GAMEPAD_DPAD_LEFT),
                                  IsDown(VK_RIGHT, 'D', VK_GAMEPAD_DPAD_RIGHT),
                                  DXUTGetGamepadAxis(DXUTGamepadAxis::kLeftX));
  if (across != 0.0f) player.Accelerate(kThrust * across, 0.0f);
  // Up with the aim key raises `aim`, which turns the fire downwards; down lowers it.
  const bool aiming = IsDown(VK_SPACE);
  const float upDown =
      KeysOrTilt(IsDown(VK_UP, 'W', VK_GAMEPAD_DPAD_UP), IsDown(VK_DOWN, 'S', VK_GAMEPAD_DPAD_DOWN),
                 DXUTGetGamepadAxis(DXUTGamepadAxis::kLeftY));
  if (upDown != 0.0f) {
    player.Accelerate(0.0f, kThrust * upDown);
    if (aiming) player.aim -= kAimRate * dt * upDown;
  }
  // A pad aims without flying: the right stick up or the left shoulder as the aim key with
  // up, the stick down or the right shoulder as the aim key with down.
  const float padAim =
      KeysOrTilt(IsDown(VK_GAMEPAD_LEFT_SHOULDER), IsDown(VK_GAMEPAD_RIGHT_SHOULDER),
                 DXUTGetGamepadAxis(DXUTGamepadAxis::kRightY));
  player.aim -= kAimRate * dt * padAim;

  const float ceiling = 0.5f * player.GetScaledHeight() - kCeilingBelowTop;
  player.position.y = std::max(player.position.y, ceiling);
  player.position.x = Clamp(kLeftmostX, kRightmostX, player.position.x);
  player.aim = Clamp(0.0f, 1.0f, player.aim);

  camera = player.position - kCameraOffset;
  camera.y = std::min(camera.y, kCameraLowest);
  camera.x = Clamp(kCameraLeftmost, kCameraRightmost, camera.x);

  // Held for more than a second, the fire key charges a breath and the dragon swells.
  if (fireHeld) player.charge += dt;
  player.charge = std::min(player.charge, kFullCharge);
  player.scale =
      player.charge > 0.0f ? kRestingScale + kSwellPerCharge * player.charge : kRestingScale;

  const Vec2 mouth = player.position + player.GetMouthOffset();
  if (fireReleased) {
    if (player.GetHeld()) {
      player.Drop();
    } else if (player.charge <= 0.0f) {
      const Vec2 velocity = GetAimDirection() * kFireballSpeed;
      SpawnProjectile(kProjectileFireball, mouth.x, mouth.y, velocity.x, velocity.y);
      player.charge = -1.0f;
      PlaySound((std::rand() & 1) ? kSoundFireballA : kSoundFireballB);
    } else {
      player.breathing = 1;
      PlaySound(kSoundBreath);
    }
  }

  if (grabReleased) {
    player.Snap();
    if (player.GetHeld()) {
      player.Eat();
    } else {
      player.Grab(FirstWithinReach(*this, player));
    }
  }

  // One puff per step until the charge is spent; the step that empties it still breathes.
  if (player.breathing) {
    player.charge -= kBreathSpendRate * dt;
    if (player.charge <= 0.0f) {
      player.breathing = 0;
      player.charge = -1.0f;
    }
    Vec2 direction = GetAimDirection();
    direction.y += static_cast<float>(std::rand() & 3) / 16.0f;
    const Vec2 velocity = direction * kBreathSpeed;
    SpawnProjectile(kProjectileBreath, mouth.x, mouth.y, velocity.x, velocity.y);
  }

  fireWasHeld_ = fireHeld;
  grabWasHeld_ = grabHeld;
  RumbleForBlows(player);
}

void cGame::RumbleForBlows(const cDragon& player) {
  const bool crashed = player.state >= kCreatureDying && player.frame >= kCrashedFrame;
  if (feltDragon_ == &player) {
    if (crashed && !feltCrash_) {
      DXUTRumbleGamepads(kCrashRumble, kCrashRumbleSeconds);
    } else if (player.health < feltHealth_) {
      DXUTRumbleGamepads(kHitRumble, kHitRumbleSeconds);
    }
  }
  feltDragon_ = &player;
  feltHealth_ = player.health;
  feltCrash_ = crashed;
}

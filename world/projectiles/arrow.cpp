#include "world/projectiles/arrow.h"

#include <cstdlib>

#include "app/game.h"
#include "ui/gui.h"
#include "world/creatures/creature.h"

namespace {

constexpr float kGravity = 300.0f;
constexpr float kSwooshAfter = 0.4f;  // seconds of flight
constexpr int kSoundSwooshA = 131;
constexpr int kSoundSwooshB = 132;
constexpr float kDamage = 5.0f;
constexpr float kStreakWidth = 4.0f;
constexpr float kStreakRed = 0.6f;
constexpr float kStreakAlphaStep = 0.1f;  // per trail point, fading towards the tail

}  // namespace

void cArrow::Init(float x, float y, float vx, float vy) {
  cProjectile::Init(x, y, vx, vy);
  trail.fill(position);
}

void cArrow::Update(float dt) {
  cSprite::Update(dt);
  position += velocity * dt;
  velocity.y += kGravity * dt;
  for (int i = kTrailLength - 1; i > 0; --i) trail[i] = trail[i - 1];
  trail[0] = position;

  flightTime += dt;
  if (flightTime > kSwooshAfter && !swooshPlayed) {
    g_game.PlaySound((std::rand() & 1) ? kSoundSwooshA : kSoundSwooshB);
    swooshPlayed = 1;
  }
}

void cArrow::Render(cGUI* gui, float camX, float camY) {
  if (!gui) return;
  const Vec2 camera{camX, camY};
  for (int i = kTrailLength - 1; i > 0; --i) {
    const Colour streak{kStreakRed, 0.0f, 0.0f,
                        static_cast<float>(kTrailLength - i) * kStreakAlphaStep};
    gui->DrawLine(trail[i] - camera, trail[i - 1] - camera, ToArgb(streak), kStreakWidth);
  }
}

int cArrow::Hit(cGame* game, cCreature* creature) {
  if (!game || !creature || creature->GetType() != kTypeDragon) return 0;
  creature->health -= kDamage;
  return 1;
}

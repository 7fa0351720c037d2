#include "world/effects/pfx_fireball.h"

#include <cstdlib>

#include "platform/dxut.h"

namespace {

// A random speed-up of 1, 1.125, ... 2.875.
float RandomSpread() { return static_cast<float>(std::rand() & 15) / 8.0f + 1.0f; }

constexpr ParticleArt kPuff{"./data/art/breath.png", 256, 256, 0, 3, 2, 0.1f};
constexpr float kSpin = 5.0f;  // radians per second

}  // namespace

void cPFX_Fireball::Emit(int count) {
  if (game == nullptr) {
    DXUTOutputDebugString(L"cPFX_Fireball:: Has not been initialized!\n");
    return;
  }
  for (int i = 0; i < count; ++i) {
    cParticle* particle = AddParticle(kPuff);
    if (particle == nullptr) return;
    Vec2 velocity = drift;
    velocity.x *= RandomSpread();
    velocity.y *= RandomSpread();
    particle->velocity = velocity;
  }
}

void cPFX_Fireball::UpdateParticles(float dt) {
  for (auto& particle : particles) {
    particle->position += particle->velocity * dt;
    particle->Update(dt);
    particle->life -= dt;
    particle->rotation += kSpin * dt;
    const float t = particle->life / kParticleLife;
    particle->scale = t * startScale + (1.0f - t) * endScale;
    particle->colour.a = 0.5f * t + 0.5f;
  }
  RemoveSpentParticles();
}

#include "world/effects/pfx_yell.h"

namespace {

constexpr ParticleArt kShoutMark{"./data/art/yell.png", 64, 64, 0, 0, 1, 1.0f};

}  // namespace

void cPFX_Yell::Emit(int count) {
  for (int i = 0; i < count; ++i) {
    if (AddParticle(kShoutMark) == nullptr) return;
  }
}

void cPFX_Yell::UpdateParticles(float dt) {
  for (auto& particle : particles) {
    particle->Update(dt);
    particle->life -= dt;
    const float t = particle->life / kParticleLife;
    particle->scale = 1.0f - 0.7f * t;
    particle->colour.a = 0.5f * t + 0.5f;
  }
  RemoveSpentParticles();
}

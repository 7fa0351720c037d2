#include "world/effects/pfx.h"

#include <algorithm>
#include <new>

#include "app/game.h"

void cPFX::Tick(float dt) {
  if (!active) return;
  accumulator += dt * rate;
  if (accumulator >= 1.0f) {
    const float due = std::min(accumulator, static_cast<float>(kMaxParticles));
    Emit(static_cast<int>(due));
    accumulator = 0.0f;
  }
  UpdateParticles(dt);
}

void cPFX::Render(cGUI* gui, float camX, float camY) {
  if (!active) return;
  for (const auto& particle : particles) particle->Render(gui, camX, camY);
}

cParticle* cPFX::AddParticle(const ParticleArt& art) {
  if (particles.size() >= kMaxParticles) return nullptr;
  std::unique_ptr<cParticle> particle(new (std::nothrow) cParticle);
  if (!particle) return nullptr;
  particle->position = position;
  particle->life = kParticleLife;
  if (game != nullptr) particle->SetTexture(game->LoadTexture(art.sheet), game->gui);
  particle->SetCellSize(art.cellW, art.cellH);
  particle->SetAnimation(art.firstFrame, art.lastFrame, art.columns, art.duration, 0);
  // Cut the first cell now, so the particle never shows its whole sheet.
  particle->cSprite::Update(0.0f);
  particles.push_back(std::move(particle));
  return particles.back().get();
}

void cPFX::RemoveSpentParticles() {
  std::erase_if(particles, [](const auto& particle) { return particle->life <= 0.0f; });
}

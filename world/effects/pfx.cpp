#include "world/effects/pfx.h"

#include <algorithm>
#include <new>
#include <utility>

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

int cPFX::SheetIndex(const ParticleArt& art) {
  if (sheetPath != art.sheet || sheetGui != game->gui) {
    sheetIndex = game->LoadTexture(art.sheet);
    sheetPath = art.sheet;
    sheetGui = game->gui;
  }
  return sheetIndex;
}

cParticle* cPFX::AddParticle(const ParticleArt& art) {
  if (particles.size() >= kMaxParticles) return nullptr;
  std::unique_ptr<cParticle> particle;
  if (spare.empty()) {
    particle.reset(new (std::nothrow) cParticle);
    if (!particle) return nullptr;
    // Room for a full emitter at once, rather than growing step by step.
    if (particles.capacity() < kMaxParticles) particles.reserve(kMaxParticles);
  } else {
    particle = std::move(spare.back());
    spare.pop_back();
    *particle = cParticle();
  }
  particle->position = position;
  particle->life = kParticleLife;
  if (game != nullptr) particle->SetTexture(SheetIndex(art), game->gui);
  particle->SetCellSize(art.cellW, art.cellH);
  particle->SetAnimation(art.firstFrame, art.lastFrame, art.columns, art.duration, 0);
  // Cut the first cell now, so the particle never shows its whole sheet.
  particle->cSprite::Update(0.0f);
  particles.push_back(std::move(particle));
  return particles.back().get();
}

void cPFX::RemoveSpentParticles() {
  // The living close up in order; the spent end up behind them and go to the spares.
  std::size_t living = 0;
  for (std::size_t i = 0; i < particles.size(); ++i) {
    if (particles[i]->life > 0.0f) std::swap(particles[living++], particles[i]);
  }
  if (living == particles.size()) return;
  if (spare.capacity() < kMaxParticles) spare.reserve(kMaxParticles);
  for (std::size_t i = living; i < particles.size(); ++i) spare.push_back(std::move(particles[i]));
  particles.resize(living);
}

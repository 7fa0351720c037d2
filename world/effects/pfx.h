#pragma once
// Particle emitters carried by value by their owners (the fireball's trail, a falling
// zeppelin's smoke, every creature's yell marks). The owner places the emitter, ticks it in
// its own update and draws it in its own render; the emitter owns its particles.

#include <cstddef>
#include <memory>
#include <vector>

#include "world/effects/particle.h"
#include "world/vec2.h"

class cGame;
class cGUI;

// The picture and one-shot animation an emitter gives its particles.
struct ParticleArt {
  const char* sheet;  // loaded through the game's texture cache
  int cellW;
  int cellH;
  int firstFrame;
  int lastFrame;
  int columns;
  float duration;
};

class cPFX {
 public:
  cPFX() = default;
  virtual ~cPFX() = default;
  cPFX(const cPFX&) = delete;
  cPFX& operator=(const cPFX&) = delete;

  // The game whose texture cache gives the particles their picture.
  void SetGame(cGame* owner) { game = owner; }
  // 0 freezes and hides the particles and stops emission; non-zero resumes both.
  void SetActive(int flag) { active = flag; }

  // While active: collects `rate` x dt towards the next particles, emits the whole part once
  // it reaches 1 (the fraction is dropped), then moves and ages every particle.
  virtual void Tick(float dt);
  // While active, draws every particle, oldest first (newer ones lie on top).
  void Render(cGUI* gui, float camX, float camY);

  cGame* game = nullptr;
  int active = 1;
  Vec2 position;    // where new particles appear
  Vec2 drift;       // base velocity of new particles
  float rate = 10.0f;  // particles per second
  std::vector<std::unique_ptr<cParticle>> particles;  // oldest first

  // No emitter holds more particles than this; a very long frame cannot flood it.
  static constexpr std::size_t kMaxParticles = 64;
  // Every particle starts with this much life.
  static constexpr float kParticleLife = 0.4f;

 protected:
  // Moves and ages every particle by dt and deletes those whose life has run out.
  virtual void UpdateParticles(float dt) = 0;
  // Creates up to `count` particles at `position` (fewer when the emitter is full).
  virtual void Emit(int count) = 0;

  // A new particle at `position` with the life of kParticleLife, showing the first cell of
  // its one-shot animation; appended to `particles`. Null when the emitter is full.
  cParticle* AddParticle(const ParticleArt& art);
  // Takes the particles whose life has run out out of `particles`, keeping the order of the
  // rest; their memory is kept for the next particles of this emitter.
  void RemoveSpentParticles();

 private:
  // The cache index of `art`'s sheet, looked up in the game's texture cache once per sheet
  // and GUI rather than once per particle.
  int SheetIndex(const ParticleArt& art);

  // Each emitter collects its own emission: two active emitters never take each other's
  // particles.
  float accumulator = 0.0f;
  // Spent particles, reused by AddParticle: a busy emitter allocates nothing once warm.
  std::vector<std::unique_ptr<cParticle>> spare;
  const char* sheetPath = nullptr;  // the sheet whose index is `sheetIndex`...
  const cGUI* sheetGui = nullptr;   // ...in the cache of this GUI
  int sheetIndex = -1;
};

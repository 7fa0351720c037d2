#include "support/match_world.h"

#include <SDL_mixer.h>

#include <algorithm>

#include "app/defender_posts.h"
#include "audio/test_sounds.h"
#include "platform/dxut.h"
#include "world/projectiles/arrow.h"
#include "world/projectiles/spell.h"

void MatchWorld::SetUp() {
  GameFixture::SetUp();
  RunFrames(1, 100.0);
  game().groundLine = {Vec2(-1000.0f, kGroundY), Vec2(7000.0f, kGroundY)};
  game().state = kStateMatch;
  game().lastArcherSpawn = 1e9;
  game().lastHeroSpawn = 1e9;
  game().lastZeppelinSpawn = 1e9;
  game().lastDefenderRespawn = 1e9;
}

cCreature* MatchWorld::Counter(float x) {
  cCreature* creature = game().SpawnCreature(kTypePlain, x, kGroundY - 100.0f);
  creature->SetCellSize(64, 64);
  creature->SetAnimation(0, 1000, 1, 1000.0f, 0);
  return creature;
}

int MatchWorld::CountOfType(int type) {
  int count = 0;
  for (const auto& creature : game().creatures) count += creature->GetType() == type;
  return count;
}

bool MatchWorld::Listed(const cCreature* wanted) {
  return std::any_of(game().creatures.begin(), game().creatures.end(),
                     [wanted](const auto& creature) { return creature.get() == wanted; });
}

int MatchWorld::NewShots(int kind) const {
  const auto fresh = [](const cProjectile* shot) {
    if (const auto* arrow = dynamic_cast<const cArrow*>(shot))
      return arrow->flightTime <= static_cast<float>(kFrame);
    const auto* spell = dynamic_cast<const cSpell*>(shot);
    return spell != nullptr && spell->charged != 0 && spell->timer > cSpell().timer - 1.5f * kStep;
  };
  const std::vector<cProjectile*> shots = ProjectilesOf(kind);
  return static_cast<int>(std::count_if(shots.begin(), shots.end(), fresh));
}

void MatchWorld::RunFor(double seconds) {
  RunFrames(static_cast<int>(seconds / kFrame + 0.5), kFrame);
}

void MatchWorld::Hear(const std::vector<int>& ids) {
  constexpr double kToneSeconds = 10.0;
  ASSERT_EQ(game().soundSystem.StopAll(), S_OK) << "silences the title music";
  for (const int id : ids) {
    test_sounds::Register(id, test_sounds::SineWav(kToneSeconds));
    ASSERT_EQ(game().soundSystem.AddSampleFromResource(id, 0, 0), S_OK) << id;
  }
  ASSERT_EQ(game().soundSystem.Pause(), S_OK);
}

int MatchWorld::SoundsPlayed() const { return Mix_Playing(-1); }

void DragonMatch::SetUp() {
  MatchWorld::SetUp();
  for (int post = 0; post < kDefenderPostCount; ++post) SetDefenderPostOccupied(post, true);
  game().creatures.clear();
  game().projectiles.clear();
  dragon_ = Spawn<cDragon>(kTypeDragon, {3000.0f, 500.0f});
  ASSERT_NE(dragon_, nullptr);
  game().dragon = dragon_;
  // The previous key states outlive matches (and tests): one step with no key down clears
  // them, and whatever a key released since then launched goes.
  game().DragonControlStep(0.0f);
  dragon_->Update(0.0f);
  game().projectiles.clear();
}

void DragonMatch::Fly(float dt) {
  game().DragonControlStep(dt);
  dragon().Update(dt);
}

void DragonMatch::HoldFor(std::initializer_list<unsigned> keys, int steps, float dt) {
  for (unsigned key : keys) Hold(key, true);
  for (int i = 0; i < steps; ++i) Fly(dt);
  for (unsigned key : keys) Hold(key, false);
  Fly(dt);
}

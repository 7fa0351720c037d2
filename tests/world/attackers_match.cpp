#include "world/attackers_match.h"

#include <SDL_mixer.h>

#include <string>

#include "app/defender_posts.h"
#include "audio/test_sounds.h"
#include "world/projectiles/arrow.h"

void AttackersMatch::SetUp() {
  MatchFixture::SetUp();
  for (int post = 0; post < kDefenderPostCount; ++post) SetDefenderPostOccupied(post, true);
  dragon_ = Spawn<cDragon>(kTypeDragon, Vec2{3000.0f, 500.0f});
  ASSERT_NE(dragon_, nullptr);
  game().dragon = dragon_;
}

void AttackersMatch::RunFor(double seconds) {
  RunFrames(static_cast<int>(seconds / kFrame + 0.5), kFrame);
}

int AttackersMatch::NewArrows() const {
  int count = 0;
  for (const cArrow* arrow : ProjectilesOf<cArrow>(kProjectileArrow)) {
    count += arrow->flightTime <= static_cast<float>(kFrame) ? 1 : 0;
  }
  return count;
}

void AttackersMatch::Hear(std::initializer_list<int> ids) {
  constexpr double kToneSeconds = 10.0;
  ASSERT_EQ(game().soundSystem.StopAll(), S_OK) << "silences the title music";
  for (const int id : ids) {
    test_sounds::Register(id, test_sounds::SineWav(kToneSeconds));
    ASSERT_EQ(game().soundSystem.AddSampleFromResource(id, 0, 0), S_OK) << id;
  }
  ASSERT_EQ(game().soundSystem.Pause(), S_OK);
}

int AttackersMatch::SoundsPlayed() const { return Mix_Playing(-1); }

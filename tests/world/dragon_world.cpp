#include "world/dragon_world.h"

#include "platform/dxut.h"

void DragonWorld::SetUp() {
  GameFixture::SetUp();
  FlattenGround(kGroundY);
  game().creatures.clear();
  game().projectiles.clear();
  dragon_ = static_cast<cDragon*>(game().SpawnCreature(kTypeDragon, 3000.0f, 500.0f));
  ASSERT_NE(dragon_, nullptr);
  game().dragon = dragon_;
  // The previous key states outlive matches (and tests): one step with no key down clears
  // them, and whatever a key released since then launched goes.
  game().DragonControlStep(0.0f);
  dragon_->Update(0.0f);
  game().projectiles.clear();
}

int DragonWorld::CountProjectiles(int kind) const {
  int count = 0;
  for (const auto& projectile : g_game.projectiles) {
    if (projectile && projectile->GetKind() == kind) ++count;
  }
  return count;
}

void DragonWorld::Fly(float dt) {
  game().DragonControlStep(dt);
  dragon().Update(dt);
}

void DragonWorld::HoldFor(std::initializer_list<unsigned> keys, int steps, float dt) {
  for (unsigned key : keys) Hold(key, true);
  for (int i = 0; i < steps; ++i) Fly(dt);
  for (unsigned key : keys) Hold(key, false);
  Fly(dt);
}

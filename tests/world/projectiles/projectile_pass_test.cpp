// Making projectiles, removing them, and the pass that runs them every frame.

#include <cmath>

#include "support/match_world.h"
#include "world/projectiles/breath.h"
#include "world/projectiles/flame.h"
#include "world/projectiles/gold.h"

namespace {

// A missile that hurts only the dragon, as arrows, spells and swords do.
class cDart : public cProjectile {
 public:
  void Update(float dt) override { position += velocity * dt; }
  int Hit(cGame*, cCreature* creature) override {
    if (!creature || creature->GetType() != kTypeDragon) return 0;
    creature->health -= 5.0f;
    return 1;
  }
  int GetKind() const override { return kProjectileArrow; }
};

class ProjectilePassTest : public DragonMatch {
 protected:
  cDart* AddDart(Vec2 at, Vec2 velocity = {}) {
    auto dart = std::make_unique<cDart>();
    dart->Init(at.x, at.y, velocity.x, velocity.y);
    cDart* raw = dart.get();
    game().projectiles.push_back(std::move(dart));
    return raw;
  }
};

TEST_F(ProjectilePassTest, UnknownKindsMakeNothing) {
  for (int kind : {0, 8, -1, 1000}) {
    EXPECT_EQ(Shoot(kind, {100.0f, 100.0f}), nullptr) << "kind " << kind;
  }
  EXPECT_TRUE(game().projectiles.empty());
}

TEST_F(ProjectilePassTest, RemovingAnUnlistedProjectileFailsAndChangesNothing) {
  Shoot(kProjectileGold, {10.0f, 10.0f});
  cDart stranger;
  EXPECT_TRUE(FAILED(game().RemoveProjectile(&stranger)));
  EXPECT_TRUE(FAILED(game().RemoveProjectile(nullptr)));
  EXPECT_EQ(game().projectiles.size(), 1u);
  EXPECT_TRUE(SUCCEEDED(game().RemoveProjectile(game().projectiles.front().get())));
  EXPECT_TRUE(game().projectiles.empty());
}

// A flame stands 100 above the point it was asked for; the next may not start within 100 of it.
TEST_F(ProjectilePassTest, FlamesKeepTheirDistance) {
  auto* first = Shoot<cFlame>(kProjectileFlame, {1000.0f, kGroundY});
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->position, (Vec2{1000.0f, kGroundY - 100.0f}));
  EXPECT_EQ(Shoot(kProjectileFlame, {1000.0f, kGroundY - 10.0f}), nullptr) << "8100 away";
  EXPECT_EQ(Shoot(kProjectileFlame, {1050.0f, kGroundY - 150.0f}), nullptr);
  EXPECT_NE(Shoot(kProjectileFlame, {1000.0f, kGroundY}), nullptr) << "exactly 10000 away";
  EXPECT_EQ(CountProjectiles(kProjectileFlame), 2);
}

TEST_F(ProjectilePassTest, ANewFlameHasRunItsFirstTenthAndStandsUpright) {
  auto* flame = Shoot<cFlame>(kProjectileFlame, {1000.0f, kGroundY});
  ASSERT_NE(flame, nullptr);
  EXPECT_FLOAT_EQ(flame->life, 3.9f);
  EXPECT_FLOAT_EQ(flame->colour.a, 0.975f);
  EXPECT_NEAR(flame->rotation, 0.0f, 1e-5f);
  EXPECT_EQ(flame->GetScaledWidth(), 256.0f);
  EXPECT_EQ(flame->velocity, Vec2{});
  for (int i = 0; i < 120; ++i) game().UpdateProjectiles(kStep);
  EXPECT_NEAR(flame->colour.a, 0.475f, 1e-4f);
}

TEST_F(ProjectilePassTest, AFlameLiesAlongTheSlope) {
  // Ground falling by one pixel every two to the right.
  game().groundLine = {Vec2(-1000.0f, 0.0f), Vec2(7000.0f, 4000.0f)};
  auto* flame = Shoot<cFlame>(kProjectileFlame, {1000.0f, game().GroundHeightAt(1000.0f)});
  ASSERT_NE(flame, nullptr);
  EXPECT_NEAR(flame->rotation, std::atan(0.5f), 1e-5f);
}

TEST_F(ProjectilePassTest, AFlameBurnsOutAfterFourSeconds) {
  Shoot(kProjectileFlame, {1000.0f, kGroundY});
  for (int i = 0; i < 233; ++i) game().UpdateProjectiles(kStep);
  EXPECT_EQ(CountProjectiles(kProjectileFlame), 1);
  for (int i = 0; i < 2; ++i) game().UpdateProjectiles(kStep);
  EXPECT_EQ(CountProjectiles(kProjectileFlame), 0);
}

TEST_F(ProjectilePassTest, TwoAdjacentFinishedProjectilesLeaveOneFrameApart) {
  auto* a = Shoot<cFlame>(kProjectileFlame, {1000.0f, kGroundY});
  auto* b = Shoot<cFlame>(kProjectileFlame, {2000.0f, kGroundY});
  Shoot<cFlame>(kProjectileFlame, {3000.0f, kGroundY});
  a->life = 0.001f;
  b->life = 0.001f;
  game().UpdateProjectiles(kStep);
  ASSERT_EQ(game().projectiles.size(), 2u);
  EXPECT_EQ(game().projectiles.front().get(), b);
  game().UpdateProjectiles(kStep);
  EXPECT_EQ(game().projectiles.size(), 1u);
}

TEST_F(ProjectilePassTest, OnlyMissilesTintTheDragon) {
  AddDart(dragon().position);
  game().UpdateProjectiles(kStep);
  EXPECT_TRUE(game().projectiles.empty());
  EXPECT_EQ(dragon().health, 95.0f);
  EXPECT_EQ(ToArgb(dragon().colour), 0xffff0000u);

  dragon().colour = Colour{};
  Shoot(kProjectileGold, dragon().position);
  Shoot(kProjectileFlame, dragon().position + Vec2{0.0f, 100.0f});
  game().UpdateProjectiles(kStep);
  game().UpdateProjectiles(kStep);  // the flame moved up behind the coin: its turn comes now
  EXPECT_TRUE(game().projectiles.empty());
  EXPECT_EQ(game().gold, 10u);
  EXPECT_EQ(dragon().state, kCreatureBurning) << "the flame burnt it";
  EXPECT_EQ(ToArgb(dragon().colour), 0xffffffffu);
}

TEST_F(ProjectilePassTest, AMissileHitsOnlyWithinTheCreaturesRadius) {
  // The dragon's cell is 256 wide: radius 64.
  AddDart(dragon().position + Vec2{65.0f, 0.0f});
  game().UpdateProjectiles(kStep);
  EXPECT_EQ(game().projectiles.size(), 1u);
  game().projectiles.clear();
  AddDart(dragon().position + Vec2{0.0f, 63.0f});
  game().UpdateProjectiles(kStep);
  EXPECT_TRUE(game().projectiles.empty());
}

TEST_F(ProjectilePassTest, MissilesEndTenPixelsBelowTheGround) {
  AddDart({500.0f, kGroundY + 10.0f});
  game().UpdateProjectiles(kStep);
  EXPECT_EQ(game().projectiles.size(), 1u);
  game().projectiles.front()->position.y = kGroundY + 10.5f;
  game().UpdateProjectiles(kStep);
  EXPECT_TRUE(game().projectiles.empty());
}

// Fireballs shot above the horizon and puffs that curve upwards never come back: once far
// outside anything that can be seen or hit, they go, so a long match does not pile them up.
TEST_F(ProjectilePassTest, ProjectilesThatLeaveTheWorldForGoodAreRemoved) {
  Shoot(kProjectileBreath, {3000.0f, 500.0f}, {1000.0f, -100.0f});
  Shoot(kProjectileFireball, {3000.0f, 500.0f}, {-700.0f, -50.0f});
  Shoot(kProjectileFireball, {3000.0f, 500.0f}, {0.0f, -700.0f});
  for (int i = 0; i < 60 * 10 && !game().projectiles.empty(); ++i) {
    game().UpdateProjectiles(kStep);
  }
  EXPECT_TRUE(game().projectiles.empty());
}

TEST_F(ProjectilePassTest, ProjectilesOutsideButComingBackStay) {
  AddDart({-1500.0f, -100.0f}, {300.0f, 0.0f});
  AddDart({7100.0f, -100.0f}, {-300.0f, 0.0f});
  AddDart({3000.0f, -2100.0f}, {0.0f, 300.0f});
  game().UpdateProjectiles(kStep);
  EXPECT_EQ(game().projectiles.size(), 3u);
  AddDart({-1500.0f, -100.0f}, {-1.0f, 0.0f});
  AddDart({7100.0f, -100.0f}, {1.0f, 0.0f});
  AddDart({3000.0f, -2100.0f}, {0.0f, -1.0f});
  game().UpdateProjectiles(kStep);
  game().UpdateProjectiles(kStep);
  EXPECT_EQ(game().projectiles.size(), 3u);
}

TEST_F(ProjectilePassTest, CoinsAndFlamesLiveOnHighUpAndFarOut) {
  Shoot(kProjectileGold, {3000.0f, -3000.0f});
  Shoot(kProjectileFlame, {-3000.0f, 0.0f});
  game().UpdateProjectiles(kStep);
  EXPECT_EQ(game().projectiles.size(), 2u);
}

}  // namespace

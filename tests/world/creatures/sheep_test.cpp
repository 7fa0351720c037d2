// Sheep: standing and flying cells, the princess crying for help off the ground, the crushing
// landing of a dropped sheep, and fire that does not touch them.

#include "world/creatures/sheep.h"

#include <gtest/gtest.h>

#include "support/match_world.h"

namespace {

constexpr float kStanding = kGroundY - 32.0f;  // feet a quarter of 128 below the centre

class SheepTest : public DragonMatch {
 protected:
  cSheep* SheepAt(Vec2 at) { return Spawn<cSheep>(kTypeSheep, at); }
  cSheep* PrincessAt(Vec2 at) {
    cSheep* princess = SheepAt(at);
    princess->weight = 100.0f;
    return princess;
  }
  static int Cell(const cCreature* creature) { return static_cast<int>(creature->frame); }
};

TEST_F(SheepTest, StandsOnCellZeroAndShowsCellOneInTheAir) {
  auto* sheep = SheepAt({1000.0f, kStanding});
  RunFor(0.1f);
  EXPECT_EQ(Cell(sheep), 0);
  EXPECT_EQ(sheep->sourceRect, (Rect{0, 0, 64, 128}));

  sheep->Grab();
  RunFor(0.1f);
  EXPECT_EQ(Cell(sheep), 1);
  EXPECT_EQ(sheep->sourceRect, (Rect{64, 0, 128, 128}));
  EXPECT_EQ(sheep->position, (Vec2{1000.0f, kStanding})) << "the dragon moves a held sheep";

  sheep->Knock({100.0f, -200.0f});
  RunFrames(1);
  EXPECT_EQ(Cell(sheep), 1);
  EXPECT_GT(sheep->position.x, 1000.0f);
  EXPECT_LT(sheep->rotation, 0.0f) << "tumbling the way it flies";
}

TEST_F(SheepTest, ThePrincessCriesForHelpOnlyWhileOffTheGround) {
  auto* princess = PrincessAt({2950.0f, 560.0f});
  auto* sheep = SheepAt({3050.0f, 560.0f});
  RunFrames(1);
  EXPECT_EQ(princess->yell.active, 0);

  dragon().Grab(princess);
  RunFor(0.5f);
  EXPECT_EQ(princess->yell.active, 1);
  EXPECT_FALSE(princess->yell.particles.empty());

  dragon().Drop();
  RunFrames(1);
  EXPECT_EQ(princess->state, kCreatureThrown);
  EXPECT_EQ(princess->yell.active, 1) << "falling";

  princess->state = kCreatureIdle;  // set down on her feet, unhurt
  princess->health = 1.0f;
  RunFrames(1);
  EXPECT_EQ(princess->yell.active, 0);

  dragon().Grab(sheep);
  RunFor(0.5f);
  EXPECT_EQ(sheep->yell.active, 0) << "an ordinary sheep is carried off quietly";
}

TEST_F(SheepTest, ADroppedSheepCrushesWhatItLandsOnAndIsGone) {
  auto* sheep = SheepAt({1000.0f, kStanding});
  RunFrames(1);
  // Lands at its next update at (1000, 970.2).
  sheep->position.y = 968.5f;
  sheep->Throw({0.0f, 100.0f});
  sheep->health = 0.0f;
  cCreature* within = Spawn<cCreature>(kTypeArcher, {1085.0f, 970.0f});  // 85 away: inside 90.5
  cCreature* beyond = Spawn<cCreature>(kTypeArcher, {905.0f, 970.0f});   // 95 away
  auto* neighbour = SheepAt({1040.0f, 970.0f});

  sheep->Update(kStep);
  EXPECT_EQ(sheep->state, kCreatureIdle);
  EXPECT_EQ(sheep->position.y, kStanding);
  EXPECT_EQ(within->health, 25.0f - 50.0f);
  EXPECT_EQ(within->state, kCreatureKnocked);
  EXPECT_EQ(beyond->health, 25.0f);
  EXPECT_EQ(neighbour->health, 1.0f) << "sheep are never hurt by a blast";
  EXPECT_EQ(dragon().health, 100.0f);

  RunFrames(1);
  EXPECT_FALSE(Listed(sheep));
  EXPECT_TRUE(Coins().empty()) << "a dropped sheep leaves no coin";
}

TEST_F(SheepTest, AKnockedSheepLandsQuietly) {
  auto* sheep = SheepAt({1000.0f, kStanding});
  RunFrames(1);
  sheep->position.y = 968.5f;
  sheep->Knock({0.0f, 100.0f});
  cCreature* archer = Spawn<cCreature>(kTypeArcher, {1050.0f, 970.0f});
  sheep->Update(kStep);
  EXPECT_EQ(sheep->state, kCreatureIdle);
  EXPECT_EQ(archer->health, 25.0f);
}

TEST_F(SheepTest, FireDoesNotTouchASheep) {
  auto* sheep = SheepAt({1000.0f, kStanding});
  sheep->target = {5880.0f, 0.0f};
  sheep->Burn();
  RunFor(1.0f);
  EXPECT_EQ(sheep->state, kCreatureBurning);
  EXPECT_EQ(sheep->health, 1.0f);
  EXPECT_EQ(sheep->position, (Vec2{1000.0f, kStanding}));
  EXPECT_EQ(Cell(sheep), 0);
}

}  // namespace

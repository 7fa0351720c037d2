#include "world/creatures/creature.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/defender_posts.h"
#include "app/game.h"
#include "world/creatures/archer.h"
#include "world/creatures/defender.h"
#include "world/creatures/hero.h"
#include "world/creatures/sheep.h"
#include "world/creatures/wizard.h"
#include "world/creatures/zeppelin.h"

namespace {

TEST(Creature, AThrowAfterAKnockWins) {
  cCreature creature;
  creature.Knock(Vec2{1.0f, -1.0f});
  EXPECT_EQ(creature.state, kCreatureKnocked);
  creature.Throw(Vec2{3.0f, 4.0f});
  EXPECT_EQ(creature.state, kCreatureThrown);
  EXPECT_EQ(creature.target, (Vec2{3.0f, 4.0f}));
  creature.Grab();
  EXPECT_EQ(creature.state, kCreatureHeld);
}

TEST(Creature, TheYellFollowsTheCreatureAFrameBehind) {
  cCreature creature;
  creature.yell.SetActive(1);
  creature.position = Vec2{100.0f, 0.0f};
  creature.Update(0.0f);
  creature.position = Vec2{200.0f, 0.0f};
  creature.Update(0.1f);  // 1.5 marks due: the first appears where the creature was
  ASSERT_EQ(creature.yell.particles.size(), 1u);
  EXPECT_EQ(creature.yell.particles[0]->position, (Vec2{100.0f, 0.0f}));
  EXPECT_EQ(creature.yell.position, (Vec2{200.0f, 0.0f}));
}

struct KindCase {
  std::unique_ptr<cCreature> creature;
  int type;
  float health;
  int grabbable;
};

// A creature that shows its hit tint fading.
class TintedCreature : public cCreature {
 public:
  void Update(float dt) override { FadeTint(dt); }
};

TEST(CreatureKinds, AHitTintFadesBackToWhiteWithoutOvershooting) {
  TintedCreature creature;
  creature.colour = Colour{1.0f, 0.0f, 0.0f, 1.0f};
  creature.Update(0.125f);
  EXPECT_FLOAT_EQ(creature.colour.g, 0.5f);
  creature.Update(3.0f);  // a long stall
  EXPECT_FLOAT_EQ(creature.colour.g, 1.0f);
  EXPECT_FLOAT_EQ(creature.colour.b, 1.0f);
}

TEST(Defender, StandsBehindItsParapetAndFreesItsPostWhenDestroyed) {
  SetDefenderPostOccupied(3, true);
  {
    cDefender defender;
    EXPECT_FLOAT_EQ(defender.health, 50.0f);
    EXPECT_EQ(defender.grabbable, 0);
    EXPECT_EQ(defender.GetType(), kTypeDefender);
    defender.post = 3;
  }
  EXPECT_FALSE(DefenderPostOccupied(3));
  SetDefenderPostOccupied(3, true);
  { cDefender stray; stray.post = 7; }
  { cDefender stray; stray.post = -1; }
  EXPECT_TRUE(DefenderPostOccupied(3));
}

}  // namespace

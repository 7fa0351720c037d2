// Heroes: the taunt with the match music ducked, guard and leaps with a fan of swords, knocks
// and burns shrugged off, and the H of coins they leave.

#include "world/creatures/hero.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/dxut.h"
#include "tests/audio/test_sounds.h"
#include "support/match_world.h"
#include "world/projectiles/sword.h"

namespace {

constexpr float kStanding = kGroundY - 32.0f;  // feet a quarter of 128 below the centre
constexpr int kMatchMusic = 128;

class HeroTest : public DragonMatch {
 protected:
  void SetUp() override {
    DragonMatch::SetUp();
    cHero::tauntCounter = 0;
  }

  // A hero on the ground at x that has just taunted, so it gets straight to business.
  cHero* HeroAt(float x) {
    auto* hero = Spawn<cHero>(kTypeHero, {x, kGroundY});
    hero->lastTaunt = DXUTGetTime();
    return hero;
  }
  // Within reach: the dragon hovers low, 250 to the right of the hero.
  cHero* HeroBeforeTheDragon(float dx = -250.0f) {
    dragon().position = {3000.0f, 900.0f};
    return HeroAt(3000.0f + dx);
  }

  std::vector<cSword*> Swords() const { return ProjectilesOf<cSword>(kProjectileSword); }
  static int Cell(const cCreature* creature) { return static_cast<int>(creature->frame); }

  // Seconds of game time until `done` holds; negative if it does not within `limit`.
  template <class Predicate>
  double SecondsUntil(Predicate done, double limit) {
    const double start = DXUTGetTime();
    if (!RunUntil(done, static_cast<int>(limit / kFrame))) return -1.0;
    return DXUTGetTime() - start;
  }

  // The voices 138..140 and the sword throw can be heard one play at a time; the match
  // music loops on the channel the game keeps for it.
  void HearTheBattle(std::initializer_list<int> ids) {
    Hear(ids);
    test_sounds::Register(kMatchMusic, test_sounds::SineWav(0.5));
    ASSERT_EQ(game().soundSystem.AddSampleFromResource(kMatchMusic, 1, 0), S_OK);
    game().musicChannel = game().PlaySound(kMatchMusic);
    ASSERT_EQ(MusicVolume(), 100);
  }
  int MusicVolume() const { return g_game.soundSystem.GetChannelVolume(g_game.musicChannel); }
};

TEST_F(HeroTest, ANewHeroTauntsAtOnceWithTheMusicDuckedUntilItEnds) {
  HearTheBattle({138});
  auto* hero = Spawn<cHero>(kTypeHero, {1000.0f, kGroundY});
  RunFrames(1);
  EXPECT_EQ(hero->taunting, 1);
  EXPECT_EQ(MusicVolume(), 20);
  EXPECT_EQ(SoundsPlayed(), 2) << "the music and voice 138";
  EXPECT_EQ(hero->position.x, 1000.0f) << "a taunting hero stands still";

  const double start = DXUTGetTime();
  EXPECT_NEAR(SecondsUntil([&] { return hero->taunting == 0; }, 5.0), 2.7, 0.05);
  EXPECT_EQ(MusicVolume(), 100);
  EXPECT_GT(hero->lastTaunt, start);
  EXPECT_EQ(SoundsPlayed(), 2) << "one voice per taunt";

  // Then it marches on the dragon.
  RunFor(0.5);
  EXPECT_GT(hero->position.x, 1050.0f);
}

TEST_F(HeroTest, TheNextHerosTauntTakesTheNextVoice) {
  HearTheBattle({139});
  Spawn<cHero>(kTypeHero, {1000.0f, kGroundY});
  RunFrames(1);
  EXPECT_EQ(SoundsPlayed(), 1) << "only the music: the first taunt was voice 138";
  Spawn<cHero>(kTypeHero, {500.0f, kGroundY});
  RunFrames(1);
  EXPECT_EQ(SoundsPlayed(), 2) << "voice 139";
}

TEST_F(HeroTest, TauntVoicesGoRoundAndAStrayCounterStartsAgain) {
  EXPECT_EQ(cHero::NextTauntVoice(), 138);
  EXPECT_EQ(cHero::NextTauntVoice(), 139);
  EXPECT_EQ(cHero::NextTauntVoice(), 140);
  EXPECT_EQ(cHero::NextTauntVoice(), 138);
  cHero::tauntCounter = 7;
  EXPECT_EQ(cHero::NextTauntVoice(), 138);
  cHero::tauntCounter = -2;
  EXPECT_EQ(cHero::NextTauntVoice(), 138);
}

TEST_F(HeroTest, AHeroRemovedInMidTauntLeavesTheMusicAtFullVolume) {
  HearTheBattle({});
  auto* hero = Spawn<cHero>(kTypeHero, {1000.0f, kGroundY});
  RunFrames(1);
  ASSERT_EQ(MusicVolume(), 20);
  game().RemoveCreature(hero);
  EXPECT_EQ(MusicVolume(), 100);
}

TEST_F(HeroTest, MarchesOnTheDragonEverySecondUpdate) {
  dragon().position = {3000.0f, 900.0f};
  auto* hero = HeroAt(1000.0f);
  RunFor(1.0);
  EXPECT_EQ(hero->flipX, 0);
  EXPECT_NEAR(hero->position.x, 1000.0f + 450.0f * 0.5f, 3.0f);
  EXPECT_NEAR(hero->position.y, kStanding, 1e-3f);
}

TEST_F(HeroTest, StandsGuardWithinReachAndLeapsEveryFourSeconds) {
  auto* hero = HeroBeforeTheDragon();
  RunFrames(1);
  EXPECT_EQ(hero->state, kCreatureAttacking);
  RunFrames(1);
  const double firstLeap = DXUTGetTime();
  EXPECT_EQ(hero->jumping, 1);
  EXPECT_EQ(hero->target, (Vec2{112.5f, -337.5f}));
  EXPECT_EQ(hero->lastAttack, firstLeap);

  ASSERT_GT(SecondsUntil([&] { return hero->jumping == 0; }, 3.0), 0.0);
  RunFor(0.1);
  EXPECT_EQ(hero->state, kCreatureAttacking);
  EXPECT_EQ(Cell(hero), 6) << "the guard stance";
  ASSERT_GT(SecondsUntil([&] { return hero->jumping == 1; }, 5.0), 0.0);
  EXPECT_NEAR(DXUTGetTime() - firstLeap, 4.0, 0.02);
}

TEST_F(HeroTest, UnderTheDragonItStandsGuardHoweverHighTheDragonFlies) {
  dragon().position = {3000.0f, 200.0f};
  auto* under = HeroAt(2850.0f);  // 150 to the side
  auto* aside = HeroAt(2750.0f);  // 250 to the side, far below
  RunFrames(1);
  EXPECT_EQ(under->state, kCreatureAttacking);
  EXPECT_EQ(aside->state, kCreatureWalking);
}

TEST_F(HeroTest, ThrowsAFanOfFiveSwordsAtTheTopOfTheLeap) {
  HearTheBattle({143});
  auto* hero = HeroBeforeTheDragon();
  RunFrames(2);  // decides, takes off
  ASSERT_EQ(hero->jumping, 1);
  EXPECT_NEAR(SecondsUntil([&] { return !Swords().empty(); }, 2.0), 0.84, 0.02);
  EXPECT_GE(hero->target.y, -1.0f);
  EXPECT_EQ(SoundsPlayed(), 2) << "the music and one sword throw";

  const std::vector<cSword*> swords = Swords();
  ASSERT_EQ(swords.size(), 5u);
  const float degrees[] = {-63.0f, -37.8f, -12.6f, 12.6f, 37.8f};
  for (std::size_t i = 0; i < swords.size(); ++i) {
    const float angle = degrees[i] * 3.1415927f / 180.0f;
    EXPECT_NEAR(swords[i]->velocity.x, 850.0f * std::cos(angle), 0.05f) << i;
    EXPECT_NEAR(swords[i]->velocity.y, 850.0f * std::sin(angle), 0.05f) << i;
    EXPECT_NEAR(swords[i]->rotation, angle, 1e-4f) << i;
    EXPECT_EQ(swords[i]->flipX, 0);
    EXPECT_EQ(swords[i]->sourceRect, (Rect{0, 0, 64, 64}));
  }

  // Once per leap: none more on the way down (the dragon moves off, so none hits it).
  dragon().position = {5600.0f, 300.0f};
  ASSERT_GT(SecondsUntil([&] { return hero->jumping == 0; }, 2.0), 0.0);
  EXPECT_EQ(Swords().size(), 5u);
  EXPECT_EQ(SoundsPlayed(), 2);
}

// Leaps within the field keep their horizontal speed whichever way they go; only a leap that
// carries the hero beyond the field's ends is slowed down.
TEST_F(HeroTest, AHeroFacingLeftLeapsAtFullSpeedAndThrowsTheFanMirrored) {
  auto* hero = HeroBeforeTheDragon(250.0f);
  RunFrames(2);
  EXPECT_EQ(hero->flipX, 1);
  EXPECT_EQ(hero->target, (Vec2{-112.5f, -337.5f}));
  const float startX = hero->position.x;
  RunFor(0.5);
  EXPECT_EQ(hero->target.x, -112.5f);
  EXPECT_NEAR(hero->position.x, startX - 112.5f * 0.5f, 2.0f);
  ASSERT_GT(SecondsUntil([&] { return !Swords().empty(); }, 2.0), 0.0);
  const std::vector<cSword*> swords = Swords();
  ASSERT_EQ(swords.size(), 5u);
  // From 63 degrees below the leftward horizontal to 37.8 above it.
  EXPECT_LT(swords.front()->velocity.x, 0.0f);
  EXPECT_GT(swords.front()->velocity.y, 0.0f);
  EXPECT_LT(swords.back()->velocity.x, 0.0f);
  EXPECT_LT(swords.back()->velocity.y, 0.0f);
  for (const cSword* sword : swords) EXPECT_EQ(sword->flipX, 1);
}

TEST_F(HeroTest, LeapsCarryingAHeroBeyondTheFieldsEndsAreSlowed) {
  struct Case {
    float x;
    float vx;
    bool slowed;
  };
  for (const Case c :
       {Case{5300.0f, 112.5f, true}, Case{5300.0f, -112.5f, false}, Case{500.0f, -112.5f, true},
        Case{500.0f, 112.5f, false}, Case{3000.0f, 112.5f, false}}) {
    auto* hero = HeroAt(c.x);
    hero->jumping = 1;
    hero->position.y = 500.0f;
    hero->target = {c.vx, -300.0f};
    hero->Update(kStep);
    const float expected = c.slowed ? c.vx * 0.9f * kStep : c.vx;
    EXPECT_FLOAT_EQ(hero->target.x, expected) << "x " << c.x << " vx " << c.vx;
    game().RemoveCreature(hero);
  }
}

TEST_F(HeroTest, AtTheLeftEndItLeapsBackIntoTheField) {
  dragon().position = {-50.0f, 900.0f};
  auto* hero = HeroAt(-100.0f);
  RunFrames(2);
  ASSERT_EQ(hero->jumping, 1);
  EXPECT_FLOAT_EQ(hero->target.x, 787.5f);
}

TEST_F(HeroTest, KnocksAndBurnsCostHealthButNeitherFlingNorBurnIt) {
  auto* hero = HeroBeforeTheDragon();
  RunFrames(1);
  hero->health = 300.0f;
  hero->Knock({-500.0f, -500.0f});
  const Vec2 before = hero->position;
  RunFrames(1);
  EXPECT_EQ(hero->state, kCreatureAttacking);
  EXPECT_NEAR(hero->position.x, before.x, 1e-3f);
  EXPECT_EQ(hero->health, 300.0f);

  hero->target = {5880.0f, 0.0f};  // a stale walk target, as a flame finds it
  hero->Burn();
  RunFrames(1);
  EXPECT_EQ(hero->state, kCreatureAttacking);
  EXPECT_EQ(hero->health, 300.0f);
}

TEST_F(HeroTest, ABlockedFireballShowsTheRecoilThenTheGuardAgain) {
  auto* hero = HeroBeforeTheDragon();
  hero->lastAttack = DXUTGetTime();  // no leap for a while
  RunFor(0.1);
  ASSERT_EQ(Cell(hero), 6);
  game().SpawnProjectile(kProjectileFireball, hero->position.x, hero->position.y, 0.0f, 0.0f);
  RunFrames(1);
  EXPECT_EQ(hero->health, 397.5f);
  EXPECT_EQ(Cell(hero), 10) << "recoiling";
  RunFor(0.1);
  EXPECT_EQ(Cell(hero), 6) << "back on guard once the block time is over";

  dragon().health = 0.0f;  // standing over the fallen dragon beats the block pose
  hero->blockTime = 1.0f;
  hero->Update(kStep);
  hero->Update(kStep);
  EXPECT_EQ(Cell(hero), 7);
}

TEST_F(HeroTest, AFallenHeroLeavesAnHOfBigCoins) {
  auto* hero = HeroAt(1000.0f);
  hero->health = -5.0f;
  hero->Knock({-50.0f, -100.0f});  // as the killing fireball does
  RunFrames(1);
  EXPECT_EQ(hero->state, kCreatureDying);
  EXPECT_NEAR(SecondsUntil([&] { return !Listed(hero); }, 3.0), 1.8, 0.05);

  const std::vector<cGold*> coins = Coins();
  ASSERT_EQ(coins.size(), 7u);
  const Vec2 letterH[] = {{-1, 0}, {-1, -1}, {-1, -2}, {0, -1}, {1, 0}, {1, -1}, {1, -2}};
  for (std::size_t i = 0; i < coins.size(); ++i) {
    EXPECT_EQ(coins[i]->amount, 50);
    EXPECT_EQ(coins[i]->scale, 0.6f);
    const Vec2 expected = Vec2{1000.0f, kStanding} + letterH[i] * 40.0f;
    EXPECT_NEAR(coins[i]->position.x, expected.x, 1e-3f) << i;
    EXPECT_NEAR(coins[i]->position.y, expected.y, 1e-3f) << i;
  }
}

TEST_F(HeroTest, WithoutADragonOnlyTheCommonUpdateRuns) {
  auto* hero = HeroAt(1000.0f);
  game().dragon = nullptr;
  hero->Update(kStep);
  EXPECT_EQ(hero->state, kCreatureIdle);
  EXPECT_EQ(hero->taunting, 0);
  EXPECT_EQ(hero->position, (Vec2{1000.0f, kGroundY}));
}

}  // namespace

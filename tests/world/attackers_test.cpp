// The attackers and the village as the player meets them: when each kind shoots, casts, leaps
// or drops archers, what each leaves when it falls, and how fire, knocks and drops treat it.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <span>

#include "app/defender_posts.h"
#include "app/world_setup.h"
#include "audio/test_sounds.h"
#include "platform/dxut.h"
#include "support/match_world.h"
#include "world/creatures/archer.h"
#include "world/creatures/defender.h"
#include "world/creatures/hero.h"
#include "world/creatures/sheep.h"
#include "world/creatures/wizard.h"
#include "world/creatures/zeppelin.h"
#include "world/projectiles/spell.h"
#include "world/projectiles/sword.h"

namespace {

constexpr float kArcherY = kGroundY - 12.0f;  // 48 high: feet 12 below the centre
constexpr float kWizardY = kGroundY - 16.0f;  // 64 high
constexpr float kTallY = kGroundY - 32.0f;    // heroes and sheep, 128 high
constexpr Vec2 kFarAway{5600.0f, 300.0f};     // where the dragon is out of everyone's way

class Attackers : public DragonMatch {
 protected:
  // Seconds of game time until `done` holds; negative if it does not within `limit`.
  template <class Predicate>
  double SecondsUntil(Predicate done, double limit) {
    const double start = DXUTGetTime();
    if (!RunUntil(done, static_cast<int>(limit / kFrame))) return -1.0;
    return DXUTGetTime() - start;
  }
  // Arrows loosed over `frames` frames.
  int ArrowsOver(int frames) {
    int loosed = 0;
    for (int i = 0; i < frames; ++i) {
      RunFrames(1);
      loosed += NewArrows();
    }
    return loosed;
  }
  // Each coin's offset from the first, and its amount, against the letter it should spell.
  void ExpectLetter(std::span<const Vec2> letter, Vec2 origin, int amount) {
    const std::vector<cGold*> coins = Coins();
    ASSERT_EQ(coins.size(), letter.size());
    for (std::size_t i = 0; i < coins.size(); ++i) {
      EXPECT_EQ(coins[i]->amount, amount) << i;
      EXPECT_NEAR(coins[i]->position.x, origin.x + letter[i].x, 1e-3f) << i;
      EXPECT_NEAR(coins[i]->position.y, origin.y + letter[i].y, 1e-3f) << i;
    }
  }
  static int Cell(const cCreature* creature) { return static_cast<int>(creature->frame); }

  // Within reach: the dragon hovers low, 250 to the right of a hero on the ground that has
  // just taunted, so it gets straight to business.
  cHero* HeroBeforeTheDragon() {
    dragon().position = {3000.0f, 900.0f};
    auto* hero = Spawn<cHero>(kTypeHero, {2750.0f, kGroundY});
    hero->lastTaunt = DXUTGetTime();
    return hero;
  }
  // The voices and the sword throw are heard one play at a time; the match music loops on
  // the channel the game keeps for it.
  void HearTheBattle(int id) {
    constexpr int kMatchMusic = 128;
    Hear({id});
    test_sounds::Register(kMatchMusic, test_sounds::SineWav(0.5));
    ASSERT_EQ(game().soundSystem.AddSampleFromResource(kMatchMusic, 1, 0), S_OK);
    game().musicChannel = game().PlaySound(kMatchMusic);
  }
  int MusicVolume() const { return g_game.soundSystem.GetChannelVolume(g_game.musicChannel); }
  // A zeppelin hovering where it is, with no archers to drop.
  cZeppelin* HoveringZeppelin(Vec2 at) {
    auto* zeppelin = Spawn<cZeppelin>(kTypeZeppelin, at);
    zeppelin->target = at;
    zeppelin->lastDrop = 1e9;
    return zeppelin;
  }
};

TEST_F(Attackers, AnArcherShootsFromExactly400AwayEveryThreeSecondsWithABowSound) {
  auto* atRange = Spawn<cArcher>(kTypeArcher, {2600.0f, 500.0f});
  auto* beyond = Spawn<cArcher>(kTypeArcher, {3000.0f, 500.0f - 400.5f});
  atRange->Update(kStep);
  beyond->Update(kStep);
  EXPECT_EQ(atRange->state, kCreatureAttacking);
  EXPECT_EQ(beyond->state, kCreatureWalking);
  game().creatures.resize(1);

  Hear({129, 130});
  dragon().position = {5300.0f, 900.0f};
  Spawn<cArcher>(kTypeArcher, {5000.0f, kArcherY});
  EXPECT_EQ(ArrowsOver(174), 1) << "at once";
  EXPECT_EQ(ArrowsOver(246), 2) << "after 3 s and after 6 s";
  EXPECT_EQ(SoundsPlayed(), 3) << "one bow sound per arrow";
}

// Each shot plays one of the two bow sounds at random: over a volley both must be heard, from
// the archers and from the zeppelins' crews alike. One sound is loaded per run, so only its
// plays count.
class BowSounds : public Attackers, public testing::WithParamInterface<int> {};

TEST_P(BowSounds, ArchersAndZeppelinCrewsBothPlayIt) {
  Hear({GetParam()});
  std::srand(1);
  dragon().position = {2300.0f, 900.0f};
  const auto heardInAVolley = [this](auto* shooter) {
    const int before = SoundsPlayed();
    for (int frame = 0; frame < 8; ++frame) {
      shooter->lastShot = -10.0;
      RunFrames(1);
    }
    game().RemoveCreature(shooter);
    return SoundsPlayed() - before;
  };
  EXPECT_GT(heardInAVolley(Spawn<cArcher>(kTypeArcher, {2000.0f, kArcherY})), 0) << "archers";
  EXPECT_GT(heardInAVolley(HoveringZeppelin({2000.0f, 700.0f})), 0) << "a zeppelin's crew";
}

INSTANTIATE_TEST_SUITE_P(EachBow, BowSounds, testing::Values(129, 130));

TEST_F(Attackers, AThrownArcherOrADroppedSheepCrushesWhatItLandsOn) {
  dragon().position = {2300.0f, 900.0f};  // keeps the bystanders shooting, not walking
  Spawn(kTypeArcher, {1950.0f, kArcherY});
  Spawn(kTypeArcher, {2050.0f, kArcherY});
  auto* thrown = Spawn<cArcher>(kTypeArcher, {2000.0f, kArcherY - 20.0f});
  thrown->Throw({});
  thrown->health = 0.0f;  // dropped by the dragon
  ASSERT_TRUE(RunUntil([&] { return thrown->state != kCreatureThrown; }, 60));
  EXPECT_EQ(Coins().size(), 3u) << "itself and the two crushed beside it";

  // A dropped sheep crushes what lies within 90 of its landing and is gone, leaving no coin.
  game().creatures.resize(1);
  game().projectiles.clear();
  auto* sheep = Spawn<cSheep>(kTypeSheep, {1000.0f, kTallY});
  RunFrames(1);
  sheep->position.y = 968.5f;  // lands at its next update
  sheep->Throw({0.0f, 100.0f});
  sheep->health = 0.0f;
  cCreature* within = Spawn(kTypeArcher, {1085.0f, 970.0f});
  cCreature* beyond = Spawn(kTypeArcher, {905.0f, 970.0f});
  sheep->Update(kStep);
  EXPECT_EQ(within->health, -25.0f);
  EXPECT_EQ(beyond->health, 25.0f);
  RunFrames(1);
  EXPECT_FALSE(Listed(sheep));
  EXPECT_TRUE(Coins().empty());
}

TEST_F(Attackers, BurningKillsFootSoldiersInTwoThirdsOfASecondForOneAndTwoCoinsWhereTheyStand) {
  auto* archer = Spawn<cArcher>(kTypeArcher, {1000.0f, kArcherY});
  auto* wizard = Spawn<cWizard>(kTypeWizard, {2000.0f, kWizardY});
  for (cCreature* soldier : {static_cast<cCreature*>(archer), static_cast<cCreature*>(wizard)}) {
    soldier->Knock({40.0f, -200.0f});  // as the breath does
    soldier->Burn();
  }
  RunFrames(38);  // 0.63 s
  ASSERT_TRUE(Listed(archer) && Listed(wizard));
  RunFrames(4);  // 0.7 s
  EXPECT_FALSE(Listed(archer) || Listed(wizard));
  EXPECT_EQ(Coins().size(), 3u);

  // A flame's touch gives no velocity, and `target` still holds the walk target high above
  // the lair: a walker set burning by a flame burns where it stands.
  auto* walker = Spawn<cArcher>(kTypeArcher, {3000.0f, kArcherY});
  RunFrames(2);
  ASSERT_EQ(walker->target, (Vec2{5880.0f, 0.0f}));
  const Vec2 where = walker->position;
  walker->Burn();
  RunFrames(10);
  EXPECT_EQ(walker->position, where);
}

TEST_F(Attackers, AWizardCastsASpellStraightUpEvery4_5s) {
  Hear({141});
  Spawn<cWizard>(kTypeWizard, {2700.0f, kWizardY});
  dragon().position = {3000.0f, 900.0f};
  RunFrames(2);  // decides, then casts at once: the clock is long past 4.5 s
  const std::vector<cSpell*> spells = ProjectilesOf<cSpell>(kProjectileSpell);
  ASSERT_EQ(spells.size(), 1u);
  EXPECT_NEAR(spells[0]->velocity.y, -600.0f + 300.0f * kStep, 1e-3f) << "straight up";
  RunFrames(269);
  EXPECT_EQ(SoundsPlayed(), 1) << "4.5 s after the first cast: no second one yet";
  RunFrames(2);
  EXPECT_EQ(SoundsPlayed(), 2);
}

TEST_F(Attackers, EachNewHeroTauntsAtOnceWithTheMusicDuckedUntilItEndsOrTheHeroIsGone) {
  cHero::tauntCounter = 0;
  HearTheBattle(138);
  auto* hero = Spawn<cHero>(kTypeHero, {1000.0f, kGroundY});
  RunFrames(1);
  EXPECT_EQ(hero->taunting, 1);
  EXPECT_EQ(MusicVolume(), 20);
  EXPECT_EQ(SoundsPlayed(), 2) << "the music and voice 138";
  EXPECT_NEAR(SecondsUntil([&] { return hero->taunting == 0; }, 5.0), 2.7, 0.05);
  EXPECT_EQ(MusicVolume(), 100);

  auto* second = Spawn<cHero>(kTypeHero, {500.0f, kGroundY});
  RunFrames(1);
  ASSERT_EQ(MusicVolume(), 20);
  game().RemoveCreature(second);
  EXPECT_EQ(MusicVolume(), 100);
}

TEST_F(Attackers, WithinReachAHeroLeapsAndThrowsFiveSwordsAtTheTopOfTheArc) {
  HearTheBattle(143);
  auto* hero = HeroBeforeTheDragon();
  const auto swords = [this] { return ProjectilesOf<cSword>(kProjectileSword); };
  RunFrames(2);
  EXPECT_EQ(hero->jumping, 1);
  EXPECT_NEAR(SecondsUntil([&] { return !swords().empty(); }, 2.0), 0.84, 0.02);
  EXPECT_EQ(SoundsPlayed(), 2) << "the music and one sword throw";
  ASSERT_EQ(swords().size(), 5u);
  // A fan from 63 degrees below the horizontal to 37.8 above it.
  const Vec2 low = swords().front()->velocity;
  const Vec2 high = swords().back()->velocity;
  EXPECT_NEAR(std::atan2(low.y, low.x), -1.0996f, 1e-3f);
  EXPECT_NEAR(std::atan2(high.y, high.x), 0.6597f, 1e-3f);
}

TEST_F(Attackers, KnocksAndBurnsCostAHeroNothingOnGuardItBlocksFireballsThenFallsToAnH) {
  auto* hero = HeroBeforeTheDragon();
  hero->lastAttack = DXUTGetTime();  // no leap for a while
  RunFor(0.1);
  hero->Knock({-500.0f, -500.0f});
  RunFrames(1);
  hero->target = {5880.0f, 0.0f};  // a stale walk target, as a flame finds it
  hero->Burn();
  RunFrames(1);
  EXPECT_NEAR(hero->position.x, 2750.0f, 1e-3f) << "burns where it stands";
  EXPECT_EQ(hero->health, 400.0f);

  RunFor(0.1);
  ASSERT_EQ(Cell(hero), 6);
  Shoot(kProjectileFireball, hero->position);
  RunFrames(1);
  EXPECT_EQ(hero->health, 397.5f);
  EXPECT_EQ(Cell(hero), 10) << "recoiling";
  RunFor(0.1);
  EXPECT_EQ(Cell(hero), 6) << "on guard again";

  const Vec2 feet{hero->position.x, kTallY};
  dragon().position = kFarAway;  // too far to draw the coins in
  hero->health = -5.0f;
  hero->Knock({-50.0f, -100.0f});  // as the killing fireball does
  RunFrames(1);
  EXPECT_NEAR(SecondsUntil([&] { return !Listed(hero); }, 3.0), 1.8, 0.05);
  const Vec2 letterH[] = {{-40, 0}, {-40, -40}, {-40, -80}, {0, -40},
                          {40, 0},  {40, -40},  {40, -80}};
  ExpectLetter(letterH, feet, 50);
}

TEST_F(Attackers, AZeppelinShootsWithBowSoundsAndKnockedFallsTrailingSmokeToCrashWithABlast) {
  Hear({129, 130, 144});
  dragon().position = {2200.0f, 600.0f};
  auto* zeppelin = HoveringZeppelin({2000.0f, 700.0f});
  cCreature* under = Spawn(kTypeArcher, {2000.0f, kGroundY});
  under->Grab();  // nobody holds it, so it stays where it is
  EXPECT_EQ(ArrowsOver(120), 4) << "twice a second";
  EXPECT_EQ(SoundsPlayed(), 4) << "each arrow with an archer's bow sound";

  dragon().position = kFarAway;
  zeppelin->Knock({});
  RunFrames(6);
  EXPECT_FALSE(zeppelin->smoke.particles.empty()) << "trailing smoke";
  ASSERT_TRUE(RunUntil([&] { return zeppelin->health <= 0.0f; }, 300));
  EXPECT_EQ(game().shake, 40.0f);
  EXPECT_EQ(SoundsPlayed(), 5) << "the bang";
  // The blast kills the archer under it; one small coin each for it and the zeppelin, then
  // three big coins from the wreck.
  ASSERT_EQ(Coins().size(), 2u);
  ASSERT_TRUE(RunUntil([&] { return !Listed(zeppelin); }, 60));
  EXPECT_EQ(Coins().size(), 5u);
}

TEST_F(Attackers, ADefenderFadesInUnhurtShootsSilentlyWithin600AndFallsLeavingADOfCoins) {
  constexpr int kPost = 3;  // on the village ground, (-91, 890)
  Hear({129, 130});
  cDefender* defender = SpawnDefenderAtPost(game(), kPost);
  ASSERT_NE(defender, nullptr);
  dragon().position = defender->position + Vec2{590.0f, 0.0f};
  RunFor(0.5);
  EXPECT_NEAR(defender->colour.a, 0.5f, 0.01f) << "half opaque half a second in";
  Shoot(kProjectileFireball, defender->position);
  RunFrames(2);
  EXPECT_FLOAT_EQ(defender->health, 50.0f) << "unhurt while it fades in";
  EXPECT_EQ(ArrowsOver(28), 0) << "nor does it shoot";

  EXPECT_EQ(ArrowsOver(246), 3);
  EXPECT_EQ(SoundsPlayed(), 0);
  dragon().position = defender->position + Vec2{610.0f, 0.0f};
  EXPECT_EQ(ArrowsOver(180), 0);

  // Killed, it leaves a D of ten big coins and its post is filled again.
  defender->health = 0.0f;  // as a killing fireball leaves it
  defender->Knock({-50.0f, -100.0f});
  ASSERT_TRUE(RunUntil([&] { return !Listed(defender); }, 240));
  const Vec2 letterD[] = {{0, 0},     {0, -25},  {0, -50},  {0, -75},  {0, -100},
                          {25, -100}, {50, -75}, {50, -50}, {50, -25}, {25, 0}};
  ASSERT_FALSE(Coins().empty());
  ExpectLetter(letterD, Coins()[0]->position, 50);

  game().lastDefenderRespawn = DXUTGetTime() - 9.5;
  RunFor(0.6);
  ASSERT_EQ(CountOfType(kTypeDefender), 1);
  EXPECT_EQ(game().creatures.back()->position, DefenderPostPosition(kPost));
}

// A hero past either end of the field leaps back into it, even towards a dragon beyond it.
TEST_F(Attackers, AHeroPastAnEndOfTheFieldLeapsBackIntoIt) {
  for (const float x : {5400.0f, -100.0f}) {
    dragon().position = {x + (x > 0.0f ? 250.0f : -250.0f), 900.0f};
    auto* hero = Spawn<cHero>(kTypeHero, {x, kGroundY});
    hero->lastTaunt = DXUTGetTime();
    RunFrames(2);
    ASSERT_EQ(hero->jumping, 1) << x;
    const bool leapsLeft = hero->target.x < 0.0f;
    EXPECT_EQ(leapsLeft, x > 0.0f) << "leaps from " << x;
    game().RemoveCreature(hero);
  }
}

}  // namespace

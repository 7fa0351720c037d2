// The attackers and the village as the player meets them: how each shoots, aims, walks and
// leaps, what each leaves when it falls, and how fire, knocks and drops treat it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "app/defender_posts.h"
#include "app/world_setup.h"
#include "audio/test_sounds.h"
#include "platform/dxut.h"
#include "platform/sdl_device.h"
#include "support/match_world.h"
#include "support/picture.h"
#include "ui/gui.h"
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
  // The frames, counted from 1, in which shots of `kind` left over the next `frames` frames.
  std::vector<int> ShotsOver(int frames, int kind = kProjectileArrow) {
    std::vector<int> shots;
    for (int i = 1; i <= frames; ++i) {
      RunFrames(1);
      for (int n = NewShots(kind); n > 0; --n) shots.push_back(i);
    }
    return shots;
  }
  int ArrowsOver(int frames) { return static_cast<int>(ShotsOver(frames).size()); }
  // True when `count` coins of `amount` each lie on the field.
  bool CoinsAre(std::size_t count, int amount) const {
    const std::vector<cGold*> coins = Coins();
    return coins.size() == count && std::all_of(coins.begin(), coins.end(),
                                                [amount](auto* c) { return c->amount == amount; });
  }
  static int Cell(const cCreature* creature) { return static_cast<int>(creature->frame); }
  // The cell of a four-column sheet of 64-pixel cells that `creature` shows.
  static int SheetCell(const cCreature* creature) {
    return creature->sourceRect.top / 64 * 4 + creature->sourceRect.left / 64;
  }

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

// Every shooter shoots at once once the dragon is in range, then at its own interval, each
// shot with its sound (the village's defenders shoot silently); with the dragon just beyond
// its range, a shooter on foot or at its post holds its fire.
TEST_F(Attackers, EachShooterShootsAtItsIntervalWithItsSoundOnlyWithinItsRange) {
  const struct {
    int type;
    float y;        // where it stands, at x 2000
    Vec2 toDragon;  // the way to the dragon; for those that hold their fire, as long as the range
    bool holdsFire;
    double interval;
    int kind;
    std::vector<int> sounds;  // one of them per shot; none for a silent shooter
  } shooters[] = {
      {kTypeArcher, kArcherY, {240.0f, -320.0f}, true, 3.0, kProjectileArrow, {129, 130}},
      {kTypeWizard, kWizardY, {320.0f, -240.0f}, true, 4.5, kProjectileSpell, {141}},
      {kTypeZeppelin, 700.0f, {200.0f, -100.0f}, false, 0.5, kProjectileArrow, {129, 130}},
      {kTypeDefender, 890.0f, {600.0f, 0.0f}, true, 2.0, kProjectileArrow, {}}};
  for (const auto& s : shooters) {
    SCOPED_TRACE(testing::Message() << "type " << s.type);
    const Vec2 at{2000.0f, s.y};
    game().creatures.resize(1);
    game().projectiles.clear();
    Hear(s.sounds.empty() ? std::vector<int>{129, 130} : s.sounds);
    dragon().position = kFarAway;
    cCreature* shooter = s.type == kTypeZeppelin ? HoveringZeppelin(at) : Spawn(s.type, at);
    RunFor(1.1);  // a defender fades in first
    if (s.holdsFire) {
      dragon().position = shooter->position + s.toDragon * 1.002f;
      EXPECT_TRUE(ShotsOver(3, s.kind).empty()) << "the dragon beyond range";
    }

    dragon().position = shooter->position + s.toDragon * 0.998f;
    const int frames = static_cast<int>(2.5 * s.interval / kFrame);
    const std::vector<int> shots = ShotsOver(frames, s.kind);
    ASSERT_EQ(shots.size(), 3u);
    EXPECT_LE(shots[0], 2) << "at once";
    for (std::size_t i = 1; i < shots.size(); ++i) {
      EXPECT_NEAR((shots[i] - shots[i - 1]) * kFrame, s.interval, 1.5 * kFrame) << i;
    }
    EXPECT_EQ(SoundsPlayed(), s.sounds.empty() ? 0 : 3);
    game().RemoveCreature(shooter);
  }
}

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
  EXPECT_LT(std::abs(walker->rotation), 2.0f) << "turning slowly as it burns";
}

// The spell flies straight up. Deciding, a wizard walks on from under a dragon overhead, even
// within its range; walking, it stops under the dragon to cast at it.
TEST_F(Attackers, AWizardCastsStraightUpAndWalksOnFromUnderTheDragonOnlyWhenDeciding) {
  auto* wizard = Spawn<cWizard>(kTypeWizard, {2000.0f, kWizardY});
  dragon().position = wizard->position + Vec2{30.0f, -200.0f};
  wizard->Update(kStep);
  EXPECT_EQ(wizard->state, kCreatureWalking) << "within 400, but overhead";
  wizard->Update(kStep);
  EXPECT_EQ(wizard->state, kCreatureAttacking) << "walking, it stops under the dragon";
  wizard->Update(kStep);
  const std::vector<cSpell*> spells = ProjectilesOf<cSpell>(kProjectileSpell);
  ASSERT_EQ(spells.size(), 1u);
  EXPECT_EQ(spells[0]->velocity.x, 0.0f);
  EXPECT_LT(spells[0]->velocity.y, -500.0f) << "straight up";
}

// Archers aim level at a dragon about their height and steeply at one above them; past the
// line before the lair they no longer stop to shoot but walk on into it.
TEST_F(Attackers, AnArcherAimsLevelOrSteeplyAndPastTheLairLineOnlyWalksOn) {
  auto* archer = Spawn<cArcher>(kTypeArcher, {2900.0f, kArcherY});
  dragon().position = {3200.0f, 950.0f};
  RunFrames(3);
  EXPECT_EQ(SheetCell(archer), 8) << "aiming level";
  dragon().position = {3000.0f, 700.0f};
  RunFrames(2);
  EXPECT_EQ(SheetCell(archer), 9) << "aiming steeply";

  auto* pastTheLine = Spawn<cArcher>(kTypeArcher, {5100.0f, kArcherY});
  dragon().position = pastTheLine->position + Vec2{-100.0f, -100.0f};
  const float startX = pastTheLine->position.x;
  EXPECT_EQ(ArrowsOver(60), 0) << "past the line";
  EXPECT_GT(pastTheLine->position.x, startX + 50.0f) << "walks on towards the lair";
}

// The princess cries for help while she is off the ground, an ordinary sheep never does.
TEST_F(Attackers, OnlyThePrincessCriesForHelpAndOnlyOffTheGround) {
  auto* princess = Spawn<cSheep>(kTypeSheep, {2950.0f, 560.0f});
  princess->weight = 100.0f;  // as the match sets her up
  auto* sheep = Spawn<cSheep>(kTypeSheep, {3050.0f, kTallY});
  dragon().Grab(princess);
  RunFor(0.5);
  EXPECT_EQ(princess->yell.active, 1);
  dragon().Drop();
  princess->state = kCreatureIdle;  // set down on her feet, unhurt
  princess->health = 1.0f;
  RunFrames(1);
  EXPECT_EQ(princess->yell.active, 0);

  dragon().Grab(sheep);
  RunFor(0.5);
  EXPECT_EQ(sheep->yell.active, 0) << "an ordinary sheep is carried off quietly";
}

// A foot soldier comes out of the village gate, walks the whole field while the dragon is away
// and, reaching the lair alive, takes gold from it: the gold counter flashes and it is gone.
TEST_F(Attackers, AFootSoldierWalksFromTheGateToTheLairAndStealsGold) {
  dragon().position = {9000.0f, 300.0f};  // out of everyone's reach
  game().gold = 500;
  std::srand(2);  // the gate lets out archers and wizards, mostly archers
  game().lastArcherSpawn = DXUTGetTime() - 100.0;
  RunFrames(1);
  game().lastArcherSpawn = 1e9;
  ASSERT_EQ(game().creatures.size(), 2u) << "one soldier out of the gate";
  const cCreature* soldier = game().creatures.back().get();
  EXPECT_LT(soldier->position.x, 200.0f);
  DXUTPause(false, true);  // only the world moves: the walk is long
  const bool arrived = RunUntil([&] { return !Listed(soldier); }, 90 * 60);
  DXUTPause(false, false);
  ASSERT_TRUE(arrived) << "it never reached the lair";
  EXPECT_LT(game().gold, 500u);
  EXPECT_GT(game().goldLossTimer, 0.0f);
  EXPECT_TRUE(Coins().empty()) << "it did not die on the way";
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

TEST_F(Attackers, AHeroLeapsAtTheDragonThrowingFiveSwordsAndBackIntoTheField) {
  HearTheBattle(143);
  auto* hero = HeroBeforeTheDragon();
  const auto swords = [this] { return ProjectilesOf<cSword>(kProjectileSword); };
  RunFrames(2);
  EXPECT_EQ(hero->jumping, 1);
  EXPECT_NEAR(SecondsUntil([&] { return !swords().empty(); }, 2.0), 0.84, 0.02);
  EXPECT_EQ(SoundsPlayed(), 2) << "the music and one sword throw";
  ASSERT_EQ(swords().size(), 5u);
  EXPECT_TRUE(swords().front()->velocity.y < 0.0f && swords().back()->velocity.y > 0.0f &&
              swords()[2]->velocity.x > 0.0f)
      << "a fan at the dragon";

  // Past either end of the field a hero leaps back into it, even towards a dragon beyond it.
  for (const float x : {5400.0f, -100.0f}) {
    dragon().position = {x + (x > 0.0f ? 250.0f : -250.0f), 900.0f};
    auto* beyond = Spawn<cHero>(kTypeHero, {x, kGroundY});
    beyond->lastTaunt = DXUTGetTime();
    RunFrames(2);
    ASSERT_EQ(beyond->jumping, 1) << x;
    EXPECT_EQ(beyond->target.x<0.0f, x> 0.0f) << "leaps back from " << x;
  }
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

  dragon().position = kFarAway;  // too far to draw the coins in
  hero->health = -5.0f;
  hero->Knock({-50.0f, -100.0f});  // as the killing fireball does
  RunFrames(1);
  EXPECT_NEAR(SecondsUntil([&] { return !Listed(hero); }, 3.0), 1.8, 0.05);
  EXPECT_TRUE(CoinsAre(7, 50)) << "an H of big coins";
}

TEST_F(Attackers, ADefenderFadesInUnhurtAndFallsLeavingADOfCoinsAndItsPostFilledAgain) {
  constexpr int kPost = 3;  // on the village ground, (-91, 890)
  cDefender* defender = SpawnDefenderAtPost(game(), kPost);
  ASSERT_NE(defender, nullptr);
  dragon().position = defender->position + Vec2{590.0f, 0.0f};
  RunFor(0.5);
  EXPECT_NEAR(defender->colour.a, 0.5f, 0.01f) << "half opaque half a second in";
  Shoot(kProjectileFireball, defender->position);
  RunFrames(2);
  EXPECT_FLOAT_EQ(defender->health, 50.0f) << "unhurt while it fades in";
  EXPECT_EQ(ArrowsOver(28), 0) << "nor does it shoot";

  // Killed, it leaves a D of ten big coins and its post is filled again.
  defender->health = 0.0f;  // as a killing fireball leaves it
  defender->Knock({-50.0f, -100.0f});
  ASSERT_TRUE(RunUntil([&] { return !Listed(defender); }, 240));
  EXPECT_TRUE(CoinsAre(10, 50)) << "a D of big coins";

  game().lastDefenderRespawn = DXUTGetTime() - 9.5;
  RunFor(0.6);
  ASSERT_EQ(CountOfType(kTypeDefender), 1);
  EXPECT_EQ(game().creatures.back()->position, DefenderPostPosition(kPost));
}

}  // namespace

// The game played the same way every time: the menus, the slides, the hall of fame, the
// credits and a nightmare match flown by a fixed script with a fixed random seed on the manual
// clock, until the dragon dies and signs the hall of fame. Twice a second the test writes a
// line of what the player has before them (the state, the world's every creature and
// projectile, the gold, the dragon) and a digest of the frames drawn since the line before,
// and compares the lines with the recording in tests/golden/. Any change to how the game
// plays or looks shows as the first line that differs.
//
// When a change is meant, play the game to see it, then record again:
//   DRAKMOOR_RECORD_PLAY=1 ./tests/drakmoor_tests --gtest_filter='RecordedPlay.*'

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "app/game.h"
#include "platform/dxut.h"
#include "platform/sdl_device.h"
#include "platform/virtual_keys.h"
#include "support/game_fixture.h"
#include "support/picture.h"
#include "world/creatures/creature.h"
#include "world/creatures/dragon.h"
#include "world/creatures/hero.h"
#include "world/projectiles/projectile.h"

namespace {

constexpr int kFramesPerLine = 30;
// Every fourth frame is drawn and goes into the digest; the others only move. A fault that
// changes the picture shows in more frames than that.
constexpr int kFramesPerDigest = 4;

// FNV-1a, 64 bits.
class Digest {
 public:
  void Add(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) value_ = (value_ ^ bytes[i]) * 0x100000001b3ull;
  }
  void Add(const std::string& text) { Add(text.data(), text.size()); }
  std::uint64_t value() const { return value_; }

 private:
  std::uint64_t value_ = 0xcbf29ce484222325ull;
};

std::string Format(const char* format, auto... values) {
  char line[256];
  std::snprintf(line, sizeof line, format, values...);
  return line;
}

// How a creature or projectile stands, to a hundredth of a pixel.
std::string Pose(const cSprite& sprite) {
  const Rect& cell = sprite.sourceRect;
  return Format("%.2f,%.2f r%.2f s%.2f f%d a%.2f c%d,%d,%d,%d t%d;", sprite.position.x,
                sprite.position.y, sprite.rotation, sprite.scale, sprite.flipX, sprite.colour.a,
                cell.left, cell.top, cell.right, cell.bottom, sprite.texture);
}

class RecordedPlay : public GameFixture {
 protected:
  void SetUp() override {
    std::srand(1);
    cHero::tauntCounter = 0;  // as at program start
    GameFixture::SetUp();
    // What is heard and each loading step go into the next line; a loading step finds the
    // back buffer holding the step before it.
    listening_ = this;
    g_game.soundObserver = [](int id) { listening_->heard_ += Format(" %d", id); };
    g_game.progressObserver = [](float progress, int) {
      listening_->heard_ += Format(" load %.2f", progress);
      listening_->AddFrame();
    };
  }
  void TearDown() override {
    GameFixture::TearDown();
    listening_ = nullptr;
  }

  void AddFrame() {
    const Screenshot shot(DXUTGetD3DDevice()->renderer);
    frames_.Add(shot.Pixels().data(), shot.Pixels().size() * sizeof(std::uint32_t));
  }

  // One frame of `seconds` with `keys` held down through it (pressed before it, let go after).
  void Frame(std::initializer_list<unsigned> keys = {}, double seconds = 1.0 / 60.0) {
    for (const unsigned key : keys) Press(key);
    const bool drawn = ++frame_ % kFramesPerDigest == 0;
    DXUTPause(false, !drawn);
    RunFrames(1, seconds);
    DXUTPause(false, false);
    for (const unsigned key : keys) Release(key);
    if (drawn) AddFrame();
    if (frame_ % kFramesPerLine == 0) WriteLine();
  }
  void Hold(std::initializer_list<unsigned> keys, int frames) {
    for (const unsigned key : keys) Press(key);
    for (int i = 0; i < frames; ++i) Frame();
    for (const unsigned key : keys) Release(key);
  }
  void Wait(int frames) { Hold({}, frames); }
  void Tap(unsigned key) { Frame({key}); }
  // Down from the top of the menu to `item`, then Enter.
  void PickMenuItem(int item) {
    for (int i = 0; i < item; ++i) Tap(VK_DOWN);
    Tap(VK_RETURN);
  }

  void WriteLine() {
    Digest world;
    std::map<int, int> creatures;
    std::map<int, int> projectiles;
    for (const auto& creature : g_game.creatures) {
      ++creatures[creature->GetType()];
      world.Add(
          Format("%d/%d h%.2f ", creature->GetType(), creature->GetState(), creature->health) +
          Pose(*creature));
    }
    for (const auto& projectile : g_game.projectiles) {
      ++projectiles[projectile->GetKind()];
      world.Add(Format("%d v%.2f,%.2f ", projectile->GetKind(), projectile->velocity.x,
                       projectile->velocity.y) +
                Pose(*projectile));
    }
    std::string line = Format(
        "%5.1f s state %d screen %d menu %d paused %d gold %u time %.2f world %016llx "
        "frames %016llx",
        DXUTGetTime(), g_game.state, g_game.screen, g_game.menuSelection, g_game.paused,
        g_game.gold, g_game.matchTime, static_cast<unsigned long long>(world.value()),
        static_cast<unsigned long long>(frames_.value()));
    if (const auto* dragon = static_cast<const cDragon*>(g_game.GetDragon())) {
      line += Format(" dragon %.2f,%.2f health %.2f aim %.2f", dragon->position.x,
                     dragon->position.y, dragon->health, dragon->aim);
    }
    // How many of each kind, as "kind:count".
    for (const auto& [kinds, name] :
         {std::pair{&creatures, " creatures"}, {&projectiles, " shots"}}) {
      if (!kinds->empty()) line += name;
      for (const auto& [kind, count] : *kinds) line += Format(" %d:%d", kind, count);
    }
    line += Format(" volume %.2f%s", g_game.soundSystem.MasterVolume(),
                   g_game.soundSystem.Muted() ? " muted" : "");
    if (g_game.musicChannel != 0)
      line += Format(" music %d", g_game.soundSystem.GetChannelVolume(g_game.musicChannel));
    if (!heard_.empty()) line += " heard" + heard_;
    heard_.clear();
    lines_.push_back(line);
  }

  // A creature of `type` walks or flies in `ahead` pixels in front of the dragon, on the
  // ground or `above` it.
  cCreature* Bring(int type, float ahead, float above = 0.0f) {
    const float x = g_game.GetDragon()->position.x - ahead;
    return g_game.SpawnCreature(type, x, g_game.GroundHeightAt(x) - above);
  }
  // A creature of `type` right in the dragon's jaws, snapped up.
  void Snap(int type) {
    if (cCreature* caught = Bring(type, 0.0f)) caught->position = g_game.GetDragon()->position;
    Tap('X');
  }

  // The fixed flight: out of the lair, every move the dragon has against every kind of
  // attacker, then to and fro over the field firing until it falls.
  void FlyTheMatch() {
    // A zeppelin on its station over the field, dropping archers while the dragon is far.
    cCreature* stationed = Bring(kTypeZeppelin, 1500.0f, 80.0f);
    Hold({VK_LEFT}, 90);
    Hold({VK_UP, 'D'}, 20);
    Hold({'A'}, 6);
    Bring(kTypeHero, 300.0f);
    Bring(kTypeWizard, 500.0f);
    Bring(kTypeZeppelin, 700.0f, 500.0f);
    for (int shot = 0; shot < 3; ++shot) {
      Hold({'Z'}, 12);
      Wait(18);
    }
    // A zeppelin in the line of fire: a fireball spills its archers.
    const cCreature& dragon = *g_game.GetDragon();
    const Vec2 inLine =
        dragon.position + dragon.GetMouthOffset() + g_game.GetAimDirection() * 160.0f;
    g_game.SpawnCreature(kTypeZeppelin, inLine.x, inLine.y);
    Hold({'Z'}, 12);
    Wait(30);
    Hold({'Z'}, 150);      // a long breath
    Hold({VK_SPACE}, 30);  // the aiming mark
    Hold({VK_DOWN, VK_LEFT}, 50);
    Snap(kTypeSheep);
    Hold({VK_UP, VK_LEFT}, 40);
    Hold({'Z'}, 6);  // throws it, bleating, onto the attackers
    Hold({VK_DOWN}, 30);
    Snap(kTypeArcher);
    Hold({VK_UP}, 20);
    Hold({'Z'}, 6);  // throws an archer too
    Snap(kTypeArcher);
    Wait(10);
    Tap('X');                             // and eats the next
    stationed->Knock({150.0f, -100.0f});  // the zeppelin falls, crashes and sinks
    Tap(VK_ESCAPE);
    Wait(20);
    Tap(VK_ESCAPE);
    for (int pass = 0; pass < 2 && g_game.state == kStateMatch; ++pass) {
      Hold({pass % 2 ? VK_RIGHT : VK_LEFT}, 40);
      Hold({'Z'}, 10);
      Hold({VK_DOWN}, 15);
      Hold({'Z'}, 10);
      Hold({VK_UP}, 15);
    }
    // The attackers finish a wounded dragon, which flings away the wizard in its grip.
    if (g_game.state == kStateMatch) Snap(kTypeWizard);
    if (g_game.state == kStateMatch)
      g_game.GetDragon()->health = std::min(g_game.GetDragon()->health, 5.0f);
    for (int i = 0; i < 60 * 30 && g_game.state == kStateMatch; ++i) Frame();
  }

  static inline RecordedPlay* listening_ = nullptr;
  std::string heard_;
  int frame_ = 0;
  Digest frames_;
  std::vector<std::string> lines_;
};

TEST_F(RecordedPlay, MenusAndANightmareMatchPlayAsRecorded) {
  Wait(20);
  TypeText("-");  // the volume, a step down
  Wait(20);
  // How to play, turned through with Space, back to the title.
  PickMenuItem(1);
  for (int slide = 0; slide < 3; ++slide) {
    Wait(20);
    Tap(VK_SPACE);
  }
  Wait(10);
  // The hall of fame and back, then the credits for a while.
  PickMenuItem(2);
  Wait(30);
  Tap(VK_RETURN);
  // The credits run to their end by themselves, seen four times a second.
  PickMenuItem(3);
  for (int i = 0; i < 200 && g_game.screen == kScreenCredits; ++i) Frame({}, 0.25);
  ASSERT_EQ(g_game.screen, kScreenTitle);
  // Up to nightmare and past it, down to easy, and up to nightmare for the match.
  for (const unsigned key : {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_LEFT, VK_LEFT, VK_LEFT}) {
    Tap(key);
    Wait(3);
  }
  Tap(VK_RIGHT);
  Tap(VK_RIGHT);
  PickMenuItem(0);
  for (int i = 0; i < 60 && g_game.state != kStateMatch; ++i) Frame();
  ASSERT_EQ(g_game.state, kStateMatch);
  ASSERT_EQ(g_game.settings.difficulty, 3);
  FlyTheMatch();
  ASSERT_EQ(g_game.screen, kScreenHallOfFame) << "the dragon fell";
  for (const char letter : std::string("ember")) {
    const auto key = static_cast<unsigned>(letter - 'a' + 'A');
    Press(key);
    TypeText(std::string(1, letter));
    Frame();
    Release(key);
    Wait(5);
  }
  Tap(VK_RETURN);
  Wait(30);
  Tap(VK_RETURN);
  Wait(10);

  const std::string recording = std::string(DRAKMOOR_GOLDEN_DIR) + "/recorded_play.txt";
  if (std::getenv("DRAKMOOR_RECORD_PLAY") != nullptr) {
    std::ofstream out(recording);
    for (const auto& line : lines_) out << line << '\n';
    GTEST_SKIP() << "recorded " << lines_.size() << " lines into " << recording;
  }
  std::ifstream in(recording);
  ASSERT_TRUE(in) << "no recording at " << recording;
  std::vector<std::string> recorded;
  for (std::string line; std::getline(in, line);) recorded.push_back(line);
  for (std::size_t i = 0; i < std::max(recorded.size(), lines_.size()); ++i) {
    const std::string want = i < recorded.size() ? recorded[i] : "(the recording ends)";
    const std::string got = i < lines_.size() ? lines_[i] : "(the play ends)";
    ASSERT_EQ(got, want) << "the play differs from the recording first at line " << i + 1;
  }
}

}  // namespace

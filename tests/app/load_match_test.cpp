// Loading a match: its progress, bad maps, the creature factory, a game without a sound device.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "support/game_fixture.h"
#include "ui/gui.h"
#include "world/creatures/creature.h"
#include "world/projectiles/projectile.h"

namespace {

using LoadMatch = GameFixture;

// Every step of a load as the loading screen shows it.
std::vector<std::pair<float, int>> g_progressSeen;

// A missing map sends the player back to the title with one line about it, however often they
// try; a damaged one still loads with the ground it holds, and a good one with a progress that
// never falls and is full only in the match, its clouds in the sky and its sounds ready.
TEST_F(LoadMatch, AMissingMapGoesBackToTheTitleAndOthersLoadWithProgressThatNeverFalls) {
  std::filesystem::remove("data/map.hm");
  testing::internal::CaptureStderr();
  StartMatch();
  StartMatch();
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
  EXPECT_NE(told.find("map.hm"), std::string::npos) << told;
  EXPECT_EQ(game().state, kStateEnterTitle);
  EXPECT_TRUE(game().creatures.empty());
  EXPECT_LT(game().loadProgress, 0.1f) << "it failed before the terrain step";
  RunFrames(1);
  EXPECT_EQ((std::pair{game().state, game().screen}),
            (std::pair{int{kStateScreens}, int{kScreenTitle}}));

  // Whatever plays on the title stops when a match loads.
  const std::uint32_t titleTune = game().soundSystem.Play(L"127");
  EXPECT_NE(titleTune, 0u);
  const std::pair<const char*, std::size_t> maps[] = {
      {"0", 0}, {"40 0 1000 100 1000 garbage", 2}, {"3\n-400 900\n3000 1000\n6000 800\n", 3}};
  for (const auto& [text, points] : maps) {
    std::filesystem::remove("data/map.hm");
    std::ofstream("data/map.hm") << text;
    g_progressSeen.clear();
    game().progressObserver = [](float progress, int state) {
      g_progressSeen.emplace_back(progress, state);
    };
    StartMatch(3);
    ASSERT_EQ(game().state, kStateMatch) << text;
    EXPECT_EQ(game().groundLine.size(), points) << text;
    RunFrames(5);
  }
  EXPECT_FLOAT_EQ(g_progressSeen.front().first, 0.0f);
  for (std::size_t i = 1; i < g_progressSeen.size(); ++i) {
    EXPECT_GE(g_progressSeen[i].first, g_progressSeen[i - 1].first) << "step " << i;
    EXPECT_LT(g_progressSeen[i - 1].first, 1.0f) << "step " << i - 1;
  }
  EXPECT_GE(g_progressSeen.size(), 25u);
  EXPECT_EQ(g_progressSeen.back(), (std::pair{1.0f, int{kStateMatch}}));
  EXPECT_EQ(game().soundSystem.GetChannelVolume(titleTune), -1);
  for (const cScreenElement& cloud : game().clouds) EXPECT_GT(cloud.sourceRect.Width(), 0);
  for (int id = 128; id <= 144; ++id)  // the match's music and every sound it plays
    EXPECT_NE(game().soundSystem.FindSample(std::to_wstring(id)), 0u) << id;
}

// Every creature type id gives its kind, drawn from its picture and showing one cell of its
// sheet (never the whole sheet) before its first update, as projectiles do; other ids nothing.
TEST_F(LoadMatch, EveryTypeIdAndKindGivesItsOwnShowingOneCellOfItsPicture) {
  const auto showsOneCell = [this](const cScreenElement* element, bool drawnFromAPicture) {
    ASSERT_NE(element, nullptr);
    const DXUTTextureNode* sheet = gui().GetResourceManager()->GetTextureNode(element->texture);
    ASSERT_EQ(sheet != nullptr, drawnFromAPicture);
    if (sheet == nullptr) return;
    EXPECT_LT(element->sourceRect.Width() * element->sourceRect.Height(),
              sheet->width * sheet->height);
  };
  for (int type = kTypePlain; type < kCreatureTypeCount; ++type) {
    SCOPED_TRACE(type);
    cCreature* creature = game().SpawnCreature(type, 12.0f, 34.0f);
    showsOneCell(creature, type != kTypePlain);
    EXPECT_EQ(creature->GetType(), type);
  }
  for (const int kind : {kProjectileBreath, kProjectileGold}) {  // the sheets of many cells
    SCOPED_TRACE(kind);
    showsOneCell(game().SpawnProjectile(kind, 100.0f, 100.0f, 0.0f, 0.0f), true);
  }
  EXPECT_EQ(game().SpawnProjectile(kProjectileArrow, 0.0f, 0.0f, 0.0f, 0.0f)->sourceRect, Rect{});
  for (const int type : {kCreatureTypeCount, -1, INT_MAX, INT_MIN})
    EXPECT_EQ(game().SpawnCreature(type, 0.0f, 0.0f), nullptr) << type;
}

class WithoutASoundDevice : public GameFixture {
 protected:
  const char* SettingsText() const override { return "audio: 57\nvolume: 1.0\ndifficulty: 1\n"; }
  void SetUp() override {
    testing::internal::CaptureStderr();
    GameFixture::SetUp();
  }
};

// Every sound of the menus and of a match fails to load on the silent device; the player reads
// one line about it, not one per sound, and the stored device stays.
TEST_F(WithoutASoundDevice, MatchesLoadAndThePlayerIsToldOnce) {
  RunFrames(1);
  StartMatch();
  EXPECT_EQ(game().state, kStateMatch);
  game().ShowScreen(kScreenTitle);
  StartMatch();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Drakmoor: no sound device could be opened; the game plays silently.\n");
  EXPECT_EQ(game().settings.audio, 57);
  EXPECT_EQ(game().soundSystem.SampleCount(), 0u) << "no other device plays in its place";
}

}  // namespace

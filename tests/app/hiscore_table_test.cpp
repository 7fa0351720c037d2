#include "app/hiscore_table.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

class HiscoreTable : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directory("data"); }

  static void Write(const std::string& text) { std::ofstream(kHiscorePath) << text; }
  static std::string Read() {
    std::ostringstream text;
    text << std::ifstream(kHiscorePath).rdbuf();
    return text.str();
  }
  // A table holding scores 100, 90, ..., 10.
  static cHiscoreTable Descending() {
    cHiscoreTable table;
    for (int i = 0; i < kHiscoreEntries; ++i) table.Insert(L"p" + std::to_wstring(i), 100 - 10 * i);
    return table;
  }

  ScopedTempDir dir;
};

TEST_F(HiscoreTable, MissingFileGivesTenNonames) {
  cHiscoreTable table;
  EXPECT_FALSE(table.Load());
  for (int i = 0; i < kHiscoreEntries; ++i) {
    EXPECT_STREQ(table.Entry(i).name, L"noname");
    EXPECT_EQ(table.Entry(i).score, 0u);
  }
}

TEST_F(HiscoreTable, PlacesScoresBelowEqualOnesAndNeverZero) {
  const cHiscoreTable table = Descending();
  EXPECT_EQ(table.PlaceOf(10), -1);   // equal to the tenth: stays out
  EXPECT_EQ(table.PlaceOf(11), 9);    // one more: the new tenth
  EXPECT_EQ(table.PlaceOf(100), 1);   // below the equal best
  EXPECT_EQ(table.PlaceOf(101), 0);
  EXPECT_EQ(cHiscoreTable().PlaceOf(0), -1);
}

TEST_F(HiscoreTable, NewBestMovesEveryoneDownAndDropsTheLast) {
  cHiscoreTable table = Descending();
  table.Insert(L"best", 500);
  EXPECT_STREQ(table.Entry(0).name, L"best");
  EXPECT_STREQ(table.Entry(1).name, L"p0");
  EXPECT_EQ(table.Entry(9).score, 20u);
}

TEST_F(HiscoreTable, SaveAndLoadRoundTripIncludingAnEmptyName) {
  cHiscoreTable table = Descending();
  table.Insert(L"", 55);
  ASSERT_TRUE(table.Save());

  cHiscoreTable read;
  ASSERT_TRUE(read.Load());
  for (int i = 0; i < kHiscoreEntries; ++i) {
    EXPECT_STREQ(read.Entry(i).name, table.Entry(i).name) << i;
    EXPECT_EQ(read.Entry(i).score, table.Entry(i).score) << i;
  }
  EXPECT_EQ(Read().substr(0, 9), "p0\n100\np1");
}

TEST_F(HiscoreTable, ShortFileKeepsNonamesForMissingRecords) {
  Write("anna\n300\nbert\n200\n");
  cHiscoreTable table;
  ASSERT_TRUE(table.Load());
  EXPECT_STREQ(table.Entry(1).name, L"bert");
  EXPECT_STREQ(table.Entry(2).name, L"noname");
  EXPECT_EQ(table.Entry(2).score, 0u);
}

TEST_F(HiscoreTable, OverlongWordIsCutAndDamagedScoreStopsReading) {
  const std::string longName(200, 'w');
  Write(longName + "\n50\nzed\n-4\nlost\n3\n");
  cHiscoreTable table;
  ASSERT_TRUE(table.Load());
  EXPECT_EQ(std::wstring(table.Entry(0).name), std::wstring(kHiscoreNameLength - 1, L'w'));
  EXPECT_EQ(table.Entry(0).score, 50u);
  EXPECT_STREQ(table.Entry(1).name, L"noname");
}

TEST_F(HiscoreTable, ScoresOutOfOrderAreSortedBackIntoOrderOfMerit) {
  Write("low\n5\nhigh\n900\nmid\n40\n");
  cHiscoreTable table;
  ASSERT_TRUE(table.Load());
  EXPECT_STREQ(table.Entry(0).name, L"high");
  EXPECT_STREQ(table.Entry(1).name, L"mid");
  EXPECT_STREQ(table.Entry(2).name, L"low");
  for (int i = 1; i < kHiscoreEntries; ++i) EXPECT_LE(table.Entry(i).score, table.Entry(i - 1).score);
}

TEST_F(HiscoreTable, FailedSaveKeepsThePreviousFile) {
  Write("anna\n300\n");
  std::filesystem::create_directory(std::string(kHiscorePath) + ".new");  // blocks the temp file
  EXPECT_FALSE(Descending().Save());
  EXPECT_EQ(Read(), "anna\n300\n");
}

}  // namespace

// Channel choice and handles, without a mixer: which channels sound is told by the test.

#include "audio/voice_table.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr std::uint32_t kSampleA = 1;
constexpr std::uint32_t kSampleB = 2;

TEST(VoiceTableTest, HandlesAreNeverZeroAndGoStaleWhenTheirChannelIsReused) {
  cVoiceTable table;
  table.Resize(3);
  const std::uint32_t first = table.Start(0, kSampleA, 100);
  EXPECT_NE(first, 0u) << "channel 0 must not give handle 0";
  EXPECT_EQ(table.ChannelOf(first), 0);

  std::set<std::uint32_t> seen{first};
  std::uint32_t latest = first;
  for (int reuse = 0; reuse < 1000; ++reuse) {
    latest = table.Start(0, kSampleB, 100);
    EXPECT_TRUE(seen.insert(latest).second) << "a reused channel gave an old handle again";
  }
  EXPECT_EQ(table.ChannelOf(first), -1);
  EXPECT_EQ(table.ChannelOf(latest), 0);
  EXPECT_EQ(table.ChannelOf(0), -1);
  EXPECT_EQ(table.ChannelOf(4), -1) << "channel 3 does not exist";
}

TEST(VoiceTableTest, BusyChannelsOfOtherSamplesAreNeverTaken) {
  cVoiceTable table;
  table.Resize(4);
  for (int channel = 0; channel < 3; ++channel) table.Start(channel, kSampleB, 0);
  auto allButLastSound = [](int channel) { return channel < 3; };
  EXPECT_EQ(table.PickChannel(kSampleA, 2, allButLastSound), 3);

  auto allSound = [](int) { return true; };
  EXPECT_EQ(table.PickChannel(kSampleA, 2, allSound), -1) << "the limit must not steal from B";
  EXPECT_EQ(table.PickChannel(kSampleB, 3, allSound), 0) << "B at its limit replaces its oldest";
}

}  // namespace

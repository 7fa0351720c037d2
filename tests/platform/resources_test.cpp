#include "platform/resources.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// Ids far from the game's sounds (127-144), which the executable embeds.
constexpr int kTestId = 90001;
constexpr int kUnusedId = 90002;

TEST(Resources, AnIdNeverRegisteredGivesNoBytes) { EXPECT_TRUE(FindResourceData(kUnusedId).empty()); }

TEST(Resources, RegisteredBytesAreFoundByIdWithoutCopying) {
  static const std::array<unsigned char, 4> bytes = {'R', 'I', 'F', 'F'};
  RegisterResource(kTestId, bytes);
  const std::span<const unsigned char> found = FindResourceData(kTestId);
  EXPECT_EQ(found.data(), bytes.data());
  EXPECT_EQ(found.size(), bytes.size());
}

TEST(Resources, ALaterRegistrationReplacesTheEarlierOne) {
  static const std::array<unsigned char, 4> first = {'O', 'g', 'g', 'S'};
  static const std::array<unsigned char, 2> second = {1, 2};
  RegisterResource(kTestId, first);
  RegisterResource(kTestId, second);
  EXPECT_EQ(FindResourceData(kTestId).data(), second.data());
  EXPECT_EQ(FindResourceData(kTestId).size(), 2u);
}

}  // namespace

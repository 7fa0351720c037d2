#include "platform/resources.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// Ids far from the game's sounds (127-144), which the executable embeds.
TEST(Resources, RegisteredBytesAreFoundByIdUncopiedAndALaterRegistrationReplacesThem) {
  constexpr int kTestId = 90001;
  EXPECT_TRUE(FindResourceData(90002).empty());
  static const std::array<unsigned char, 4> first = {'R', 'I', 'F', 'F'};
  static const std::array<unsigned char, 2> second = {1, 2};
  RegisterResource(kTestId, first);
  EXPECT_EQ(FindResourceData(kTestId).data(), first.data());
  EXPECT_EQ(FindResourceData(kTestId).size(), 4u);
  RegisterResource(kTestId, second);
  EXPECT_EQ(FindResourceData(kTestId).data(), second.data());
  EXPECT_EQ(FindResourceData(kTestId).size(), 2u);
}

}  // namespace

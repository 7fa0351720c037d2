#pragma once
// The framework headless in a test: SDL's dummy video driver, the software
// renderer, the manual clock, and callbacks that write down what they saw.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dxut.h"

class FrameworkFixture : public ::testing::Test {
 public:
  // One callback call as the framework made it.
  struct Call {
    std::string what;  // "created", "reset", "lost", "destroyed", "move", "render", "key", "message"
    double time = 0.0;
    float elapsed = 0.0f;
    unsigned code = 0;  // key or message
    bool down = false;  // key down, or the message's wParam != 0
    bool alt = false;
  };

  // Every call since the framework started, in order.
  static std::vector<Call>& calls();

 protected:
  void SetUp() override;
  void TearDown() override;

  // Init, window and device as the entry point does it (windowed).
  void StartFramework();
  std::vector<std::string> CallNames() const;
  std::vector<Call> CallsOf(const std::string& what) const;
};

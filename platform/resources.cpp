#include "platform/resources.h"

#include <map>

namespace {

// Built on first use, so that registrations from static initialisers in any
// translation unit find it ready.
std::map<int, std::span<const unsigned char>>& Registry() {
  static std::map<int, std::span<const unsigned char>> registry;
  return registry;
}

}  // namespace

std::span<const unsigned char> FindResourceData(int id) {
  const auto found = Registry().find(id);
  return found == Registry().end() ? std::span<const unsigned char>{} : found->second;
}

void RegisterResource(int id, std::span<const unsigned char> bytes) { Registry()[id] = bytes; }

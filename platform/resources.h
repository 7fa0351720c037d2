#pragma once
// Data carried inside the executable (the game's sounds), found by number.

#include <span>

// The bytes registered under id, or an empty span when nothing is. The bytes
// stay valid for the life of the process (embedded data) or as long as the
// registrant keeps them (tests).
std::span<const unsigned char> FindResourceData(int id);

// Makes bytes findable under id; a later registration of the same id replaces
// the earlier one. The bytes are not copied. Safe to call from static
// initialisers (the build's embedded sounds register themselves that way).
void RegisterResource(int id, std::span<const unsigned char> bytes);

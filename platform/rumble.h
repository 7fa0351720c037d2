#pragma once
// How long a pad rumbles when the game asks for `seconds`.

#include <cstdint>
#include <optional>

// The length in milliseconds, between 1 ms and 10 s; none for a length that is not a number
// (the rumble is not asked for).
std::optional<std::uint32_t> RumbleMilliseconds(float seconds);

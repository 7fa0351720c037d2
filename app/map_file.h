#pragma once
// The terrain profile "./data/map.hm": plain text holding a decimal count n and then n points,
// each an x and a y in world pixels, in increasing order of x, all separated by white space.
// Anything after the n-th point is ignored.

#include <string>
#include <vector>

#include "world/vec2.h"

// The points of a map text. A count that cannot be read (missing, not a number, outside the
// int range, or not positive) gives no points. A text that holds fewer than n readable points
// keeps those read before the first missing, malformed or non-finite number, so every point
// returned comes from the text. Points out of x order are sorted back into order (points with
// equal x keep their file order).
std::vector<Vec2> ParseMap(const std::string& text);

// Reads the map file at `path` into `points` (replacing what they held). False, with `points`
// unchanged, when the file cannot be opened or read.
bool ReadMapFile(const char* path, std::vector<Vec2>& points);

// Any bytes as the terrain profile: the reader must not crash, every point it gives must be a
// finite point taken from the text, and the points must run from left to right, since the
// ground height between them is looked up segment by segment in that order. Equal x values
// are allowed: the ground has walls there.

#include <cmath>
#include <string>
#include <vector>

#include "app/map_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::vector<Vec2> points = ParseMap(text);

  // Each number takes at least one character of the text.
  Require(points.size() * 2 <= size, "every point comes from the text");
  for (std::size_t i = 0; i < points.size(); ++i) {
    Require(std::isfinite(points[i].x) && std::isfinite(points[i].y), "points are finite");
    if (i > 0) Require(points[i - 1].x <= points[i].x, "points run in increasing x");
  }
  return 0;
}

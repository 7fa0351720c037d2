#include "app/map_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

// Reads the count at `*cursor` and moves past it; -1 when none can be read.
long ReadCount(const char** cursor) {
  char* end = nullptr;
  errno = 0;
  const long n = std::strtol(*cursor, &end, 10);
  if (end == *cursor || errno == ERANGE || n > INT_MAX || n < INT_MIN) return -1;
  *cursor = end;
  return n;
}

// Reads one finite number at `*cursor` and moves past it.
bool ReadCoordinate(const char** cursor, float* value) {
  char* end = nullptr;
  const float v = std::strtof(*cursor, &end);
  if (end == *cursor || !std::isfinite(v)) return false;
  *cursor = end;
  *value = v;
  return true;
}

}  // namespace

std::vector<Vec2> ParseMap(const std::string& text) {
  std::vector<Vec2> points;
  const char* cursor = text.c_str();
  const long count = ReadCount(&cursor);
  for (long i = 0; i < count; ++i) {
    Vec2 p;
    if (!ReadCoordinate(&cursor, &p.x) || !ReadCoordinate(&cursor, &p.y)) break;
    points.push_back(p);
  }
  // The ground height search walks the points left to right: a damaged file whose points
  // are out of order is put back in order rather than leaving stretches without ground.
  std::stable_sort(points.begin(), points.end(), [](Vec2 a, Vec2 b) { return a.x < b.x; });
  return points;
}

bool ReadMapFile(const char* path, std::vector<Vec2>& points) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad()) return false;
  points = ParseMap(text);
  return true;
}

#include "app/defender_posts.h"

#include <array>

namespace {

struct DefenderPost {
  Vec2 position;
  bool occupied = true;
};

// Tower tops at y 700, wall walks at 834 and the village ground at 898, each 8 px below the
// centre of the defender standing there.
std::array<DefenderPost, kDefenderPostCount> posts{{
    {{-230.0f, 692.0f}},
    {{-210.0f, 890.0f}},
    {{-136.0f, 826.0f}},
    {{-91.0f, 890.0f}},
    {{23.0f, 826.0f}},
    {{85.0f, 890.0f}},
    {{-30.0f, 692.0f}},
}};

bool IsPost(int index) { return index >= 0 && index < kDefenderPostCount; }

}  // namespace

Vec2 DefenderPostPosition(int index) { return IsPost(index) ? posts[index].position : Vec2{}; }

bool DefenderPostOccupied(int index) { return IsPost(index) && posts[index].occupied; }

void SetDefenderPostOccupied(int index, bool occupied) {
  if (IsPost(index)) posts[index].occupied = occupied;
}

#pragma once
// The seven posts of the village's defenders: where each stands and whether one stands there.
// The table lives as long as the process and outlasts matches: a destroyed defender frees its
// post, and the world update fills free posts again every 10 seconds.

#include "world/vec2.h"

inline constexpr int kDefenderPostCount = 7;

// Where post `index` (0..6) places its defender.
Vec2 DefenderPostPosition(int index);
// Whether a defender holds post `index`; indices outside 0..6 are never occupied.
bool DefenderPostOccupied(int index);
// Marks post `index` held or free; indices outside 0..6 are ignored.
void SetDefenderPostOccupied(int index, bool occupied);

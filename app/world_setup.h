#pragma once
// Putting creatures into a match: the world a match starts with and the spawns the match
// rules repeat while it runs.

class cGame;
class cCreature;
class cDefender;

// The lair, where the dragon starts and the camera first looks.
inline constexpr float kLairStartX = 5650.0f;
inline constexpr float kLairStartY = 750.0f;

// Creates the dragon at its lair and keeps it in `game.dragon`. Null when it cannot be made.
cCreature* PlaceDragon(cGame& game);

// The rest of the starting world, after the dragon: the spawn clocks (the first archer comes
// at once, the first hero 55 s after `now`, the first zeppelin 28 s after it), the seven
// defenders, three sheep, the princess, 15 attackers per difficulty level in front of the
// lair, and on hard and nightmare one or two zeppelins with shorter spawn intervals.
void PlaceInitialWorld(cGame& game, double now);

// A defender on post `post` (0..6): marks the post held. Null (and the post unchanged) when
// none could be made.
cDefender* SpawnDefenderAtPost(cGame& game, int post);

// An archer, or one time in four a wizard, at (x, y).
cCreature* SpawnFootSoldier(cGame& game, float x, float y);

#pragma once
// The soak: a nightmare match played for `minutes` of game time through the real frame path
// (every frame moves the world, one a second is drawn), a new match begun whenever the dragon
// falls. The crowd, the projectiles, the loaded samples and pictures and the memory must stay
// within bounds that hold for an hour of play; the peak resident memory is also set against the
// decoded size of the pictures and sounds the game holds. Prints its figures and each broken
// bound. Meant to run in a process of its own, so that the peak is the match's alone. Returns
// the process exit code: 0 when every bound held.
int RunSoak(double minutes);

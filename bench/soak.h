#pragma once
// The memory soak: a nightmare match played for `minutes` of game time through the real frame
// path (every frame moves the world, one a second is drawn), its peak resident memory set
// against the decoded size of the pictures and sounds the game holds. Prints its figures.
// Meant to run in a process of its own, so that the peak is the match's alone. Returns the
// process exit code.
int RunSoak(double minutes);

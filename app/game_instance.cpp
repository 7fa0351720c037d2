#include "app/game.h"

// The one game object. It is static so that world objects can always reach it; its
// destructor runs after main returns and therefore touches no SDL object.
cGame g_game;

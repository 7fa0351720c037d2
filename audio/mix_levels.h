#pragma once
// How loud each of the game's sounds plays in the mix. The sound files are all made as loud as
// they go (peaks near full scale); these levels set them against each other: the music under
// the effects, the many small sounds of a fight (bows, arrows) well under the dragon's own
// fire, and the big moments (bellows, a zeppelin's crash, a hero's taunt) loudest.

// The level of sound `resourceId` in decibels against its file; 0 for a sound the game does
// not know (its file plays as it is).
float MixLevelDb(int resourceId);

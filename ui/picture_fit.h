#pragma once
// Fitting a picture drawn large to an exact size, each new pixel the average of the picture
// area it covers (colours weighted by their alpha), as a vector renderer's antialiasing would
// have drawn it at that size: a full-screen picture at the output's own pixels keeps its
// source's sharpness, where the renderer's own linear scaling blurs it.

struct SDL_Surface;

// A new ARGB8888 surface of width x height holding `picture` fitted to it; null when the
// sizes are not positive or memory runs out. The picture is left as it is.
SDL_Surface* FitPicture(SDL_Surface* picture, int width, int height);

#pragma once
// Telling an OpenGL that is drawn by a graphics card from one that is itself a software
// rasteriser (Mesa's llvmpipe, softpipe or swrast, as on machines without a graphics card).

#include <string>

#include <SDL.h>

// GL_RENDERER of the OpenGL context behind `renderer`; empty when it is no OpenGL renderer.
std::string OpenGlRendererName(SDL_Renderer* renderer);

// Whether that name is one of Mesa's software rasterisers.
bool IsSoftwareRasteriser(const std::string& openGlRendererName);

#pragma once
// Drawing the match's world in its layers. A match frame calls these inside one image batch,
// in this order, each with the frame's view (the camera between steps plus its shake; each
// creature is drawn at its own place between steps):
//
//   RenderBackground      sky fixed to the screen, then the two far strips with parallax
//   RenderCreatureLayer   (back layer) creatures standing behind the ground tiles
//   RenderGroundTiles     the four ground tiles
//   (the darkening band while a hero is on the field: the in-game render's own step)
//   RenderCreatureLayer   (front layer) every other creature
//   RenderClouds          the three clouds, in front of every creature
//
// Projectiles and the HUD follow in batches of their own. Nothing here changes the world.

#include "world/vec2.h"

class cGame;
class cGUI;

// How far the far strips scroll for each pixel the camera moves sideways.
inline constexpr float kParallaxFactor = 0.4f;

enum class CreatureLayer { kBack, kFront };

// The sky with camera (0, 0), then `parallaxLayers`[0] and [1] with camera
// (0.4 x view.x, view.y).
void RenderBackground(cGame& game, cGUI* gui, Vec2 view);
// Every creature of the layer (its `backLayer` set for kBack, clear for kFront), in list order.
void RenderCreatureLayer(cGame& game, cGUI* gui, Vec2 view, CreatureLayer layer);
// `mapTiles`[0] to [3] with the view as camera.
void RenderGroundTiles(cGame& game, cGUI* gui, Vec2 view);
// `clouds`[0] to [2] with the view as camera.
void RenderClouds(cGame& game, cGUI* gui, Vec2 view);

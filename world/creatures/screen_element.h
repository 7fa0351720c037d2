#pragma once
// A textured quad cut from a texture of the GUI's cache, placed in the world.

#include <cstdint>

#include "world/vec2.h"

class cGUI;

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool operator==(const Rect&) const = default;
};

struct Colour {
  float r = 1.0f;
  float g = 1.0f;
  float b = 1.0f;
  float a = 1.0f;
};

// Packs a colour for drawing: alpha in the top byte, each channel clamped to 0..255.
std::uint32_t ToArgb(const Colour& colour);

class cScreenElement {
 public:
  int texture = -1;   // cache index; -1 draws nothing
  Rect sourceRect;    // texels drawn
  Vec2 position;      // top-left corner at scale 1 (a sprite's centre)
  float rotation = 0.0f;  // radians, clockwise on screen, about the drawn rectangle's centre
  float scale = 1.0f;
  int flipX = 0;
  int flipY = 0;
  Colour colour;      // multiplies the texels

  // Takes the whole picture of cache entry `index`; unchanged when `gui` is null or the
  // entry does not exist.
  void SetTexture(int index, cGUI* gui);

  virtual void Update(float dt);
  // Draws at position - camera; nothing without a texture.
  virtual void Render(cGUI* gui, float camX, float camY);

};

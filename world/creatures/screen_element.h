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

// Packs a colour for drawing: alpha in bits 24..31, then red, green, blue. A channel of 1 or
// more gives 255, 0 or less gives 0, anything between rounds c * 255 to the nearest integer.
std::uint32_t ToArgb(const Colour& colour);

class cScreenElement {
 public:
  cScreenElement() = default;
  cScreenElement(const cScreenElement&) = default;
  cScreenElement& operator=(const cScreenElement&) = default;
  // Sprites, creatures and particles are owned through base pointers.
  virtual ~cScreenElement() = default;

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

  // Scenery stands still: the base does nothing.
  virtual void Update(float dt);
  // Draws `sourceRect` with its top-left corner at position - camera (scaled, turned and
  // mirrored about the rectangle's centre); nothing without a texture or cache entry.
  virtual void Render(cGUI* gui, float camX, float camY);

 protected:
  // Queues `sourceRect` with its unscaled, unturned top-left corner at screen (x, y).
  void DrawAt(cGUI* gui, float x, float y) const;
};

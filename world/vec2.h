#pragma once
// Positions, velocities and directions in world pixels (y grows downwards).

#include <cmath>

struct Vec2 {
  float x = 0.0f;
  float y = 0.0f;

  constexpr Vec2() = default;
  constexpr Vec2(float ax, float ay) : x(ax), y(ay) {}

  constexpr Vec2 operator+(Vec2 o) const { return {x + o.x, y + o.y}; }
  constexpr Vec2 operator-(Vec2 o) const { return {x - o.x, y - o.y}; }
  constexpr Vec2 operator*(float s) const { return {x * s, y * s}; }
  constexpr Vec2 operator/(float s) const { return {x / s, y / s}; }
  constexpr Vec2 operator-() const { return {-x, -y}; }
  constexpr Vec2& operator+=(Vec2 o) { x += o.x; y += o.y; return *this; }
  constexpr Vec2& operator-=(Vec2 o) { x -= o.x; y -= o.y; return *this; }
  constexpr Vec2& operator*=(float s) { x *= s; y *= s; return *this; }
  constexpr bool operator==(const Vec2&) const = default;

  constexpr float LengthSq() const { return x * x + y * y; }
  float Length() const { return std::sqrt(LengthSq()); }
};

inline constexpr float Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }

// A zero vector normalises to the zero vector rather than to NaNs.
inline Vec2 Normalize(Vec2 v) {
  const float length = v.Length();
  return length > 0.0f ? v / length : Vec2{};
}

// The point `t` of the way from a to b (a at 0, b at 1).
inline constexpr Vec2 Lerp(Vec2 a, Vec2 b, float t) { return a + (b - a) * t; }

// Turns v by `angle` radians; with y pointing down a positive angle turns clockwise on screen.
inline Vec2 Rotate(Vec2 v, float angle) {
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  return {v.x * c - v.y * s, v.x * s + v.y * c};
}

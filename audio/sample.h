#pragma once
// One decoded sound of the sound system, found by its name.

#include <cstdint>
#include <string>

struct Mix_Chunk;

struct cSample {
  std::uint32_t handle = 0;    // non-zero once loaded
  std::wstring name;           // the decimal resource number, e.g. "133"
  Mix_Chunk* chunk = nullptr;  // the decoded sound; the sound system frees it
  bool loop = false;           // plays on until everything is stopped
};

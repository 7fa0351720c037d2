// The terrain the rules use (data/map.hm through GroundHeightAt) must be the ground the player
// sees on the tiles: creatures stand on the drawn surface.

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <array>
#include <filesystem>
#include <cmath>
#include <memory>
#include <string>

#include "app/map_file.h"
#include "app/game.h"

namespace {

constexpr float kTileScale = 1.5f;
constexpr float kTileWorldWidth = 1536.0f;  // 1024 texels at scale 1.5
constexpr float kTileWorldLeft = -256.0f;   // tile 0's left edge; tile i is 1536 i further
constexpr float kTileWorldTop = -256.0f;

using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

// The world y of the first opaque texel of the tiles' column at world x; NaN if none.
float DrawnGroundAt(const std::array<Surface, 4>& tiles, float x) {
  const int tile = static_cast<int>(std::floor((x - kTileWorldLeft) / kTileWorldWidth));
  if (tile < 0 || tile > 3) return NAN;
  SDL_Surface* surface = tiles[tile].get();
  const int column =
      static_cast<int>((x - kTileWorldLeft - kTileWorldWidth * static_cast<float>(tile)) /
                       kTileScale);
  if (column < 0 || column >= surface->w) return NAN;
  const auto* pixels = static_cast<const Uint32*>(surface->pixels);
  for (int row = 0; row < surface->h; ++row) {
    const Uint32 texel = pixels[row * (surface->pitch / 4) + column];
    Uint8 r, g, b, a;
    SDL_GetRGBA(texel, surface->format, &r, &g, &b, &a);
    if (a > 128) return kTileWorldTop + static_cast<float>(row) * kTileScale;
  }
  return NAN;
}

TEST(TerrainArt, TheFieldsGroundLineLiesOnTheDrawnGround) {
  const std::string data = (std::filesystem::current_path() / "data").string();
  std::vector<Vec2> line;
  ASSERT_TRUE(ReadMapFile((data + "/map.hm").c_str(), line));
  std::array<Surface, 4> tiles{Surface(nullptr, SDL_FreeSurface), Surface(nullptr, SDL_FreeSurface),
                               Surface(nullptr, SDL_FreeSurface), Surface(nullptr, SDL_FreeSurface)};
  for (int i = 0; i < 4; ++i) {
    const std::string path = data + "/art/map/map" + std::to_string(i) + ".png";
    SDL_Surface* loaded = IMG_Load(path.c_str());
    ASSERT_NE(loaded, nullptr) << path;
    tiles[i] = Surface(SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0), SDL_FreeSurface);
    SDL_FreeSurface(loaded);
  }

  // The game's own ground height, on the profile it reads.
  cGame* game = &g_game;
  const std::vector<Vec2> previous = game->groundLine;
  game->groundLine = line;
  int sampled = 0;
  int agreeing = 0;
  // The fields, valley and hills: the village walls and gate and the lair's rock stand in
  // front of the ground line on purpose.
  for (float x = 250.0f; x <= 5300.0f; x += 25.0f) {
    const float drawn = DrawnGroundAt(tiles, x);
    if (std::isnan(drawn)) continue;
    ++sampled;
    const float rules = game->GroundHeightAt(x);
    if (std::fabs(drawn - rules) <= 8.0f) {
      ++agreeing;
    } else {
      ADD_FAILURE() << "at x " << x << " the ground is drawn at y " << drawn
                    << " but stood on at y " << rules;
    }
  }
  game->groundLine = previous;
  EXPECT_GT(sampled, 190);
  EXPECT_EQ(agreeing, sampled);
}

}  // namespace

// Loading a match: the pictures, the terrain, the starting world and the sounds, with the
// loading screen brought up to date after every step.

#include <cstdio>
#include <new>
#include <string>

#include "app/game.h"
#include "app/map_file.h"
#include "app/world_setup.h"
#include "platform/dxut.h"
#include "platform/game_folders.h"
#include "ui/gui.h"
#include "world/creatures/creature.h"
#include "world/projectiles/projectile.h"

namespace {

constexpr const char* kMapPath = "./data/map.hm";
constexpr float kSceneryScale = 1.5f;
constexpr std::size_t kProjectileRoom = 100;
constexpr int kMatchMusic = 128;
constexpr int kOpeningBellow = 135;

struct SampleStep {
  int id;
  const wchar_t* failure;  // the debug line when it cannot be loaded
  float progressAfter;
};

constexpr SampleStep kMatchSamples[] = {
    {133, L"Could not load breath sample!\n", 0.61f},
    {136, L"Could not load fireball sample 0!\n", 0.62f},
    {137, L"Could not load fireball sample 1!\n", 0.63f},
    {129, L"Could not load archer shoot 0!\n", 0.64f},
    {130, L"Could not load archer shoot 1!\n", 0.65f},
    {131, L"Could not load archer swoosh 0!\n", 0.66f},
    {132, L"Could not load archer swoosh 1!\n", 0.67f},
    {141, L"Could not load wizard shot 0!\n", 0.68f},
    {142, L"Could not load wizard explosion 0!\n", 0.69f},
    {135, L"Could not load dragon start bellow!\n", 0.7f},
    {134, L"Could not load dragon die bellow!\n", 0.71f},
    {138, L"Could not load hero sound 0!\n", 0.72f},
    {139, L"Could not load hero sound 1!\n", 0.73f},
    {140, L"Could not load hero sound 2!\n", 0.74f},
    {143, L"Could not sword slash sound!\n", 0.75f},
    {144, L"Could not load zeppelin bang!", 0.76f},
};

struct CloudPlace {
  Rect cell;
  Vec2 position;
  float progressAfter;
};

constexpr CloudPlace kCloudPlaces[] = {
    {{0, 256, 256, 512}, {3217.0f, 75.0f}, 0.42f},
    {{256, 0, 512, 256}, {908.0f, 0.0f}, 0.44f},
    {{0, 0, 256, 256}, {5045.0f, 140.0f}, 0.46f},
};

std::string NumberedPath(const char* format, int i) {
  char path[64];
  std::snprintf(path, sizeof path, format, i);
  return path;
}

// Element `i` of a row of scenery pictures laid side by side at scale 1.5.
void PlaceInRow(cScreenElement& element, const DXUTTextureNode& node, int index, int i) {
  element.texture = index;
  element.sourceRect = Rect{0, 0, node.width, node.height};
  const unsigned left = static_cast<unsigned>(i) * static_cast<unsigned>(node.width);
  element.position = Vec2{static_cast<float>(left) * kSceneryScale, 0.0f};
  element.scale = kSceneryScale;
}

// The four ground tiles; fails when the cache cannot hold one of them.
HRESULT LoadGroundTiles(cGame& game) {
  for (int i = 0; i < 4; ++i) {
    const std::string path = NumberedPath("./data/art/map/map%d.png", i);
    const int index = game.LoadTexture(path);
    const DXUTTextureNode* node = game.gui->GetResourceManager()->GetTextureNode(index);
    if (node == nullptr) {
      DXUTOutputDebugString(L"Could not load Texture!!!\n");
      return E_FAIL;
    }
    DXUTOutputDebugString(L"Successfully loaded %s\n", path.c_str());
    PlaceInRow(game.mapTiles[i], *node, index, i);
  }
  return S_OK;
}

void LoadFarStrips(cGame& game) {
  for (int i = 0; i < 2; ++i) {
    const int index = game.LoadTexture(NumberedPath("./data/art/map/p%d.png", i));
    const DXUTTextureNode* node = game.gui->GetResourceManager()->GetTextureNode(index);
    if (node != nullptr) PlaceInRow(game.parallaxLayers[i], *node, index, i);
  }
}

void LoadClouds(cGame& game) {
  const int index = game.LoadTexture("./data/art/clouds.png");
  for (int i = 0; i < 3; ++i) {
    cScreenElement& cloud = game.clouds[i];
    cloud.SetTexture(index, game.gui);
    cloud.scale = kSceneryScale;
    cloud.sourceRect = kCloudPlaces[i].cell;
    cloud.position = kCloudPlaces[i].position;
    game.SetProgress(kCloudPlaces[i].progressAfter);
  }
}

void LoadSamples(cGame& game) {
  for (const SampleStep& sample : kMatchSamples) {
    if (FAILED(game.soundSystem.AddSampleFromResource(sample.id, 0, 0))) {
      DXUTOutputDebugString(sample.failure);
    }
    game.SetProgress(sample.progressAfter);
  }
  game.soundSystem.AddSampleFromResource(kMatchMusic, 1, 0);
  game.SetProgress(0.8f);
}

}  // namespace

HRESULT cGame::LoadMatch() {
  if (gui == nullptr) return E_FAIL;
  gui->GetDialog()->RemoveAllControls();
  SetProgress(0.0f);
  startAfterIntro = 0;
  introSeen = 1;
  Cleanup();
  camera = Vec2{kLairStartX, kLairStartY};
  shake = 0.0f;
  gold = 0;
  matchTime = 0.0f;
  StartMatchSteps();

  hudTexture = LoadTexture("./data/art/hud.png");
  heroHudTexture = LoadTexture("./data/art/heroHud.png");
  fireIconTexture = LoadTexture("./data/art/fireIcon.png");
  goldIconTexture = LoadTexture("./data/art/goldIcon.png");

  const std::string mapPath = DataPath(kMapPath);
  if (!ReadMapFile(mapPath.c_str(), groundLine)) {
    DXUTOutputPlayerNotice(L"Drakmoor: could not read the terrain %s; no match can start.",
                           mapPath.c_str());
    return E_FAIL;
  }
  SetProgress(0.1f);

  if (FAILED(LoadGroundTiles(*this))) return E_FAIL;
  SetProgress(0.2f);
  LoadFarStrips(*this);
  SetProgress(0.3f);
  sky.SetTexture(LoadTexture("./data/art/map/sky.png"), gui);
  SetProgress(0.4f);
  LoadClouds(*this);

  if (PlaceDragon(*this) == nullptr) return E_FAIL;
  SetProgress(0.5f);
  LoadTexture("./data/art/hero.png");
  SetProgress(0.55f);
  PlaceInitialWorld(*this, DXUTGetTime());
  SetProgress(0.6f);
  try {
    projectiles.reserve(kProjectileRoom);
  } catch (const std::bad_alloc&) {
    DXUTOutputDebugString(L"Could not increase projectile buffer size!\n");
  }

  LoadSamples(*this);
  soundSystem.StopAll();
  soundSystem.Start();
  SetProgress(0.81f);
  musicChannel = PlaySound(kMatchMusic);
  SetProgress(0.82f);
  PlaySound(kOpeningBellow);
  SetProgress(0.83f);
  state = kStateMatch;
  SetProgress(1.0f);
  return S_OK;
}

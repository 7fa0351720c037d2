#include "ui/texture_cache.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>

#include <SDL.h>
#include <SDL_image.h>

#include "platform/dxut.h"
#include "platform/game_folders.h"
#include "platform/resources.h"
#include "ui/picture_fit.h"

namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

// Decodes the picture of a node; null, with `failure` saying why, when it cannot be read.
SDL_Surface* ReadPicture(const DXUTTextureNode& node, std::string& failure) {
  SDL_Surface* picture = nullptr;
  if (node.fileSource) {
    picture = IMG_Load(DataPath(node.fileName).c_str());
  } else {
    const std::span<const unsigned char> bytes = FindResourceData(node.resourceId);
    if (bytes.empty()) {
      failure = "nothing is registered under that id";
      return nullptr;
    }
    picture = IMG_Load_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
  }
  if (picture == nullptr) failure = IMG_GetError();
  return picture;
}

constexpr std::string_view kArtFolder = "./data/art/";
constexpr std::string_view kDoubleDensityFolder = "./data/art@2x/";
constexpr std::string_view kFullScreenFolder = "./data/art-fullscreen/";

// The same picture under `folder` instead of data/art/; empty for pictures elsewhere.
std::string SharperSource(const std::string& fileName, std::string_view folder) {
  if (fileName.size() <= kArtFolder.size() ||
      !SameNameIgnoringCase(fileName.substr(0, kArtFolder.size()), std::string(kArtFolder))) {
    return "";
  }
  return std::string(folder) + fileName.substr(kArtFolder.size());
}

// The width and height in the header of the PNG file at `path`; false when it is no PNG.
bool ReadPngSize(const std::string& path, int& width, int& height) {
  constexpr unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  unsigned char header[24] = {};
  std::ifstream file(path, std::ios::binary);
  if (!file.read(reinterpret_cast<char*>(header), sizeof header) ||
      !std::equal(std::begin(kSignature), std::end(kSignature), header) ||
      std::memcmp(header + 12, "IHDR", 4) != 0) {
    return false;
  }
  const auto bigEndian = [&](int at) {
    return static_cast<int>(static_cast<std::uint32_t>(header[at]) << 24 | header[at + 1] << 16 |
                            header[at + 2] << 8 | header[at + 3]);
  };
  width = bigEndian(16);
  height = bigEndian(20);
  return width > 0 && height > 0;
}

}  // namespace

int cTextureCache::AddFromFile(const std::string& fileName) {
  for (int i = 0; i < GetNodeCount(); ++i) {
    const DXUTTextureNode& node = nodes[i];
    if (node.fileSource && SameNameIgnoringCase(node.fileName, fileName)) return i;
  }
  DXUTTextureNode& node = nodes.emplace_back();
  node.fileName = fileName;
  Load(node);
  return GetNodeCount() - 1;
}

int cTextureCache::AddFromResource(int resourceId) {
  for (int i = 0; i < GetNodeCount(); ++i) {
    const DXUTTextureNode& node = nodes[i];
    if (!node.fileSource && node.resourceId == resourceId) return i;
  }
  DXUTTextureNode& node = nodes.emplace_back();
  node.fileSource = false;
  node.resourceId = resourceId;
  Load(node);
  return GetNodeCount() - 1;
}

DXUTTextureNode* cTextureCache::GetNode(int index) {
  if (index < 0 || index >= GetNodeCount()) return nullptr;
  return &nodes[index];
}

void cTextureCache::AttachRenderer(SDL_Renderer* newRenderer, int width, int height) {
  DetachRenderer();
  renderer = newRenderer;
  backBufferWidth = width;
  backBufferHeight = height;
  for (DXUTTextureNode& node : nodes) Load(node);
}

void cTextureCache::DetachRenderer() {
  for (DXUTTextureNode& node : nodes) {
    if (node.texture != nullptr) SDL_DestroyTexture(node.texture);
    node.texture = nullptr;
  }
  renderer = nullptr;
}

SDL_Surface* cTextureCache::ReadSharperPicture(const DXUTTextureNode& node, int& width,
                                               int& height) const {
  if (!node.fileSource || backBufferWidth <= kPictureUnitsWide) return nullptr;
  const std::string fullScreen = SharperSource(node.fileName, kFullScreenFolder);
  // The picture under data/art/ still gives the size the game knows it by.
  if (fullScreen.empty() || !ReadPngSize(DataPath(node.fileName), width, height)) return nullptr;
  if (SDL_Surface* large = IMG_Load(DataPath(fullScreen).c_str())) {
    SDL_Surface* fitted = FitPicture(large, backBufferWidth, backBufferHeight);
    SDL_FreeSurface(large);
    return fitted;
  }
  return IMG_Load(DataPath(SharperSource(node.fileName, kDoubleDensityFolder)).c_str());
}

void cTextureCache::Load(DXUTTextureNode& node) {
  if (renderer == nullptr) return;
  std::string failure;
  int width = 0;
  int height = 0;
  SDL_Surface* picture = ReadSharperPicture(node, width, height);
  if (picture == nullptr && (picture = ReadPicture(node, failure)) != nullptr) {
    width = picture->w;
    height = picture->h;
  }
  const std::string source =
      node.fileSource ? node.fileName : "resource " + std::to_string(node.resourceId);
  if (picture == nullptr || width <= 0 || height <= 0) {
    SDL_FreeSurface(picture);
    node.width = 0;
    node.height = 0;
    DXUTOutputPlayerNotice(L"Drakmoor: could not load the picture %s (%s).", source.c_str(),
                           failure.c_str());
    return;
  }
  node.width = width;
  node.height = height;
  node.texelsPerPixelX = static_cast<float>(picture->w) / static_cast<float>(node.width);
  node.texelsPerPixelY = static_cast<float>(picture->h) / static_cast<float>(node.height);
  node.texture = SDL_CreateTextureFromSurface(renderer, picture);
  SDL_FreeSurface(picture);
  if (node.texture == nullptr) {
    DXUTOutputDebugString(L"Could not create texture for %s: %s\n", source.c_str(), SDL_GetError());
    return;
  }
  SDL_SetTextureUserData(node.texture, &node);
  SDL_SetTextureBlendMode(node.texture, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(node.texture, SDL_ScaleModeLinear);
}

#pragma once
// The pictures of the game, held by index. Every picture is added once by file name (names
// compared ignoring letter case) or by resource id and keeps its index for the life of the
// program; the game refers to pictures only by that index (-1 means none).

#include <string>
#include <vector>

struct SDL_Renderer;
struct SDL_Texture;

struct DXUTTextureNode {
  bool fileSource = true;  // false: loaded from the bytes of resource `resourceId`
  int resourceId = 0;
  std::string fileName;            // UTF-8 path as given, for file sources
  SDL_Texture* texture = nullptr;  // null when the picture is missing or unreadable
  int width = 0;                   // the image's size in pixels as read from the file; 0 x 0 when
  int height = 0;                  // the picture could not be read
};

class cTextureCache {
 public:
  // Textures belong to the renderer once made: only DetachRenderer destroys them, so a cache
  // that outlives its renderer (the static GUI at exit) touches nothing that is gone.
  cTextureCache() = default;
  cTextureCache(const cTextureCache&) = delete;
  cTextureCache& operator=(const cTextureCache&) = delete;

  // The index of the node whose file name equals `fileName` ignoring ASCII letter case; else
  // appends a node and, with a renderer attached, loads its picture at once. A missing or
  // unreadable file still gets a node (no texture, size 0 x 0) and a line on the debug output.
  int AddFromFile(const std::string& fileName);
  // The same keyed by resource id: the PNG bytes registered under `resourceId`.
  int AddFromResource(int resourceId);

  // The node at `index`, or null when the index lies outside the cache.
  DXUTTextureNode* GetNode(int index);
  int GetNodeCount() const { return static_cast<int>(nodes.size()); }

  // Loads every node's picture with `renderer` (after a device was created).
  void AttachRenderer(SDL_Renderer* renderer);
  // Destroys every texture and forgets the renderer; the nodes and their indices stay.
  void DetachRenderer();

 private:
  void Load(DXUTTextureNode& node);

  SDL_Renderer* renderer = nullptr;
  std::vector<DXUTTextureNode> nodes;
};

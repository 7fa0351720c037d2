#pragma once
// The pictures of the game, held by index. Every picture is added once by file name (names
// compared ignoring letter case) or by resource id and keeps its index for the life of the
// program; the game refers to pictures only by that index (-1 means none).
//
// A picture keeps the size of its file under data/art/ (the game's units, 800x600 to the
// screen) whatever texture stands behind it: on a back buffer larger than 800x600 the texture
// comes from data/art@2x/ (the same picture drawn at twice the density) when there is one, and
// a picture that fills the screen comes from data/art-fullscreen/ (drawn large) fitted to the
// back buffer's exact size. The node records the texels per picture pixel, which the drawing
// layer multiplies source rectangles by; each texture points back to its node (SDL texture
// user data), so textures made elsewhere count as one texel per pixel.

#include <deque>
#include <string>

struct SDL_Renderer;
struct SDL_Surface;
struct SDL_Texture;

struct DXUTTextureNode {
  bool fileSource = true;  // false: loaded from the bytes of resource `resourceId`
  int resourceId = 0;
  std::string fileName;            // UTF-8 path as given, for file sources
  SDL_Texture* texture = nullptr;  // null when the picture is missing or unreadable
  int width = 0;                   // the image's size in pixels as read from the file; 0 x 0 when
  int height = 0;                  // the picture could not be read
  float texelsPerPixelX = 1.0f;    // the texture's size over width and height
  float texelsPerPixelY = 1.0f;
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

  // Loads every node's picture with `renderer` (after a device was created), for a back buffer
  // of backBufferWidth x backBufferHeight pixels.
  void AttachRenderer(SDL_Renderer* renderer, int backBufferWidth = 800,
                      int backBufferHeight = 600);
  // Destroys every texture and forgets the renderer; the nodes and their indices stay.
  void DetachRenderer();

 private:
  static constexpr int kPictureUnitsWide = 800;  // a back buffer this wide draws data/art/ as it is

  void Load(DXUTTextureNode& node);
  // The node's picture at the back buffer's density, with the size of its data/art/ file in
  // width and height; null where data/art/ serves as it is.
  SDL_Surface* ReadSharperPicture(const DXUTTextureNode& node, int& width, int& height) const;

  SDL_Renderer* renderer = nullptr;
  int backBufferWidth = 800;
  int backBufferHeight = 600;
  std::deque<DXUTTextureNode> nodes;  // a deque: textures point at their nodes
};

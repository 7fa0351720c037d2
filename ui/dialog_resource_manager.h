#pragma once
// The GUI layer's resource manager: it holds the device the dialogs draw with, the list of
// dialogs, and the game's texture cache.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/status.h"
#include "ui/texture_cache.h"

struct DXUTDevice;
class CDXUTDialog;

class CDXUTDialogResourceManager {
 public:
  CDXUTDialogResourceManager() = default;
  ~CDXUTDialogResourceManager();
  CDXUTDialogResourceManager(const CDXUTDialogResourceManager&) = delete;
  CDXUTDialogResourceManager& operator=(const CDXUTDialogResourceManager&) = delete;

  // Takes the device and loads every cached picture with its renderer. Fails for a device
  // without a renderer. A loss and reset need nothing here: cached pictures are static
  // textures, which survive them (SDL loses only render-target contents).
  HRESULT OnCreateDevice(DXUTDevice* device);
  // Releases every texture and drops the device; the cache keeps its nodes and indices.
  void OnDestroyDevice();
  // The device taken at creation, or null.
  DXUTDevice* GetD3DDevice() const { return device; }

  // Offers a window message to the manager; returns true when consumed (it consumes none).
  bool MsgProc(void* window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

  // Texture cache: see cTextureCache. Indices are stable; -1 is never returned.
  int AddTexture(const std::string& fileName) { return textures.AddFromFile(fileName); }
  int AddTexture(int resourceId) { return textures.AddFromResource(resourceId); }
  // The node at `index`, or null outside the cache (so -1 gives null).
  DXUTTextureNode* GetTextureNode(int index) { return textures.GetNode(index); }
  int GetTextureCount() const { return textures.GetNodeCount(); }

  // The dialogs entered by CDXUTDialog::Init, in order.
  void RegisterDialog(CDXUTDialog* dialog);
  void UnregisterDialog(CDXUTDialog* dialog);
  const std::vector<CDXUTDialog*>& GetDialogs() const { return dialogs; }

 private:
  DXUTDevice* device = nullptr;
  cTextureCache textures;
  std::vector<CDXUTDialog*> dialogs;
};

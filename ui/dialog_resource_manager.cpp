#include "ui/dialog_resource_manager.h"

#include <algorithm>

#include "platform/sdl_device.h"
#include "ui/dialog.h"

CDXUTDialogResourceManager::~CDXUTDialogResourceManager() {
  // Dialogs that outlive the manager must not reach back into it.
  const std::vector<CDXUTDialog*> remaining = dialogs;
  for (CDXUTDialog* dialog : remaining) dialog->Init(nullptr, false);
}

HRESULT CDXUTDialogResourceManager::OnCreateDevice(DXUTDevice* newDevice) {
  if (newDevice == nullptr || newDevice->renderer == nullptr) return E_FAIL;
  device = newDevice;
  textures.AttachRenderer(device->renderer, device->pixelWidth, device->pixelHeight);
  return S_OK;
}

void CDXUTDialogResourceManager::OnDestroyDevice() {
  textures.DetachRenderer();
  device = nullptr;
}

bool CDXUTDialogResourceManager::MsgProc(void*, unsigned, std::uintptr_t, std::intptr_t) {
  return false;
}

void CDXUTDialogResourceManager::RegisterDialog(CDXUTDialog* dialog) {
  if (std::find(dialogs.begin(), dialogs.end(), dialog) == dialogs.end()) dialogs.push_back(dialog);
}

void CDXUTDialogResourceManager::UnregisterDialog(CDXUTDialog* dialog) {
  dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}

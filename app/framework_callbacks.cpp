#include "app/framework_callbacks.h"

#include "app/game.h"
#include "ui/gui.h"

namespace {

bool firstDeviceSettingsCall = true;

cGame* GameOf(void* context) { return static_cast<cGame*>(context); }

HRESULT OnCreateDevice(DXUTDevice* device, const DXUTSurfaceDesc* desc, void* context) {
  GameOf(context)->OnCreateDevice(device, desc);
  return S_OK;
}

HRESULT OnResetDevice(DXUTDevice* device, const DXUTSurfaceDesc* desc, void* context) {
  GameOf(context)->OnResetDevice(device, desc);
  return S_OK;
}

void OnLostDevice(void* context) { GameOf(context)->OnLostDevice(); }

void OnDestroyDevice(void* context) { GameOf(context)->OnDestroyDevice(); }

void OnFrameMove(DXUTDevice* device, double time, float elapsed, void* context) {
  GameOf(context)->OnFrameMove(device, time, elapsed);
}

void OnFrameRender(DXUTDevice* device, double /*time*/, float elapsed, void* context) {
  GameOf(context)->OnFrameRender(device, elapsed);
}

void KeyboardProc(unsigned key, bool keyDown, bool altDown, void* context) {
  GameOf(context)->OnKeyboard(key, keyDown, altDown);
}

// Offers each message to the GUI's dialogs first; the game sees what none of them consumed.
long MsgProc(void* window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
             bool* noFurtherProcessing, void* context) {
  cGame* game = GameOf(context);
  if (cGUI* gui = game->gui; gui != nullptr) {
    *noFurtherProcessing = gui->GetResourceManager()->MsgProc(window, message, wParam, lParam);
    if (*noFurtherProcessing) return 0;
    *noFurtherProcessing = gui->GetSecondDialog()->MsgProc(window, message, wParam, lParam);
    if (*noFurtherProcessing) return 0;
    *noFurtherProcessing = gui->GetDialog()->MsgProc(window, message, wParam, lParam);
    if (*noFurtherProcessing) return 0;
  }
  game->MsgProc(window, message, wParam, lParam);
  return 0;
}

}  // namespace

void SetFrameworkCallbacks(cGame* game) {
  DXUTSetCallbackDeviceCreated(OnCreateDevice, game);
  DXUTSetCallbackDeviceReset(OnResetDevice, game);
  DXUTSetCallbackDeviceLost(OnLostDevice, game);
  DXUTSetCallbackDeviceDestroyed(OnDestroyDevice, game);
  DXUTSetCallbackMsgProc(MsgProc, game);
  DXUTSetCallbackKeyboard(KeyboardProc, game);
  DXUTSetCallbackFrameRender(OnFrameRender, game);
  DXUTSetCallbackFrameMove(OnFrameMove, game);
}

bool IsDeviceAcceptable(const DXUTDeviceCaps* caps, bool /*windowed*/, void* /*context*/) {
  return caps->postPixelShaderBlending;
}

bool ModifyDeviceSettings(DXUTDeviceSettings* settings, const DXUTDeviceCaps* caps,
                          void* /*context*/) {
  if (!caps->hardwareTransformAndLighting) settings->softwareVertexProcessing = true;
  if (firstDeviceSettingsCall) {
    firstDeviceSettingsCall = false;
    if (settings->deviceType == DXUTDeviceType::kReference) DXUTDisplaySwitchingToREFWarning();
  }
  settings->backBufferWidth = 800;
  settings->backBufferHeight = 600;
  return true;
}

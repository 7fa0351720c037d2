// Drakmoor's entry point: hands the game's callbacks to the framework, opens the window and
// the device, runs the loop and tidies up.

#include "app/game.h"
#include "platform/dxut.h"
#include "ui/gui.h"

namespace {

cGUI g_gui;
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
  *noFurtherProcessing = g_gui.GetResourceManager()->MsgProc(window, message, wParam, lParam);
  if (*noFurtherProcessing) return 0;
  *noFurtherProcessing = g_gui.GetSecondDialog()->MsgProc(window, message, wParam, lParam);
  if (*noFurtherProcessing) return 0;
  *noFurtherProcessing = g_gui.GetDialog()->MsgProc(window, message, wParam, lParam);
  if (*noFurtherProcessing) return 0;
  GameOf(context)->MsgProc(window, message, wParam, lParam);
  return 0;
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

}  // namespace

int main() {
  DXUTSetCallbackDeviceCreated(OnCreateDevice, &g_game);
  DXUTSetCallbackDeviceReset(OnResetDevice, &g_game);
  DXUTSetCallbackDeviceLost(OnLostDevice, &g_game);
  DXUTSetCallbackDeviceDestroyed(OnDestroyDevice, &g_game);
  DXUTSetCallbackMsgProc(MsgProc, &g_game);
  DXUTSetCallbackKeyboard(KeyboardProc, &g_game);
  DXUTSetCallbackFrameRender(OnFrameRender, &g_game);
  DXUTSetCallbackFrameMove(OnFrameMove, &g_game);
  DXUTSetCursorSettings(true, true);

  if (FAILED(g_game.Init(&g_gui))) {
    DXUTMessageBox(L"Failed to init the application!", L"Error", kMbIconError);
    return DXUTGetExitCode();
  }

  DXUTInit(false, false, true, true);
  DXUTCreateWindow(L"Drakmoor");
  DXUTCreateDevice(0, true, 800, 600, IsDeviceAcceptable, ModifyDeviceSettings, nullptr);
  DXUTToggleFullScreen();
  DXUTMainLoop();

  g_game.Cleanup();
  // SDL goes away before the static game object does: release the sound while it is here.
  g_game.soundSystem.Shutdown();
  DXUTShutdown();
  return DXUTGetExitCode();
}

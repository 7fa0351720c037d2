// The framework's state and its plain setters and accessors.

#include "platform/dxut_state.h"

#include <algorithm>

DXUTState& GetDXUTState() {
  // Plain data without a destructor that touches SDL: it may outlive SDL_Quit
  // and the game's static objects may still read it while they go.
  static DXUTState state;
  return state;
}

void DXUTSetCallbackDeviceCreated(LPDXUTCALLBACKDEVICECREATED callback, void* userContext) {
  GetDXUTState().deviceCreated = {callback, userContext};
}
void DXUTSetCallbackDeviceReset(LPDXUTCALLBACKDEVICERESET callback, void* userContext) {
  GetDXUTState().deviceReset = {callback, userContext};
}
void DXUTSetCallbackDeviceLost(LPDXUTCALLBACKDEVICELOST callback, void* userContext) {
  GetDXUTState().deviceLost = {callback, userContext};
}
void DXUTSetCallbackDeviceDestroyed(LPDXUTCALLBACKDEVICEDESTROYED callback, void* userContext) {
  GetDXUTState().deviceDestroyed = {callback, userContext};
}
void DXUTSetCallbackFrameMove(LPDXUTCALLBACKFRAMEMOVE callback, void* userContext) {
  GetDXUTState().frameMove = {callback, userContext};
}
void DXUTSetCallbackFrameRender(LPDXUTCALLBACKFRAMERENDER callback, void* userContext) {
  GetDXUTState().frameRender = {callback, userContext};
}
void DXUTSetCallbackKeyboard(LPDXUTCALLBACKKEYBOARD callback, void* userContext) {
  GetDXUTState().keyboard = {callback, userContext};
}
void DXUTSetCallbackMsgProc(LPDXUTCALLBACKMSGPROC callback, void* userContext) {
  GetDXUTState().msgProc = {callback, userContext};
}

DXUTDevice* DXUTGetD3DDevice() {
  DXUTState& state = GetDXUTState();
  return state.device.renderer ? &state.device : nullptr;
}
void* DXUTGetHWND() { return GetDXUTState().device.window; }
bool DXUTIsWindowed() {
  const DXUTState& state = GetDXUTState();
  return state.device.renderer && state.settings.windowed;
}
bool DXUTIsActive() { return GetDXUTState().active; }
double DXUTGetTime() { return GetDXUTState().time; }
float DXUTGetElapsedTime() { return GetDXUTState().elapsedTime; }
float DXUTGetFPS() { return GetDXUTState().fps; }
FrameTimeSummary DXUTGetFrameTimesLastSecond() { return GetDXUTState().frameTimes.LastSecond(); }
FrameTimeSummary DXUTGetFrameTimesWholeRun() { return GetDXUTState().frameTimes.WholeRun(); }
FrameTimeSummary DXUTGetFrameCpuWholeRun() { return GetDXUTState().frameTimes.WholeRunCpu(); }

void DXUTPause(bool pauseTime, bool pauseRendering) {
  DXUTState& state = GetDXUTState();
  state.pauseTimeCount = std::max(0, state.pauseTimeCount + (pauseTime ? 1 : -1));
  state.pauseRenderingCount = std::max(0, state.pauseRenderingCount + (pauseRendering ? 1 : -1));
  if (state.pauseTimeCount > 0) {
    state.timer.Stop();
  } else {
    state.timer.Start();
  }
}
bool DXUTIsTimePaused() { return GetDXUTState().pauseTimeCount > 0; }
bool DXUTIsRenderingPaused() { return GetDXUTState().pauseRenderingCount > 0; }

void DXUTPostQuitMessage(int exitCode) {
  DXUTState& state = GetDXUTState();
  if (state.quitPosted) return;  // the first quit message ends the loop
  state.quitPosted = true;
  if (!state.exitCodeFromError) state.exitCode = exitCode;
}

int DXUTGetExitCode() { return GetDXUTState().exitCode; }

void DXUTSetManualClock(bool manual) { GetDXUTState().timer.UseManualClock(manual); }
void DXUTAdvanceManualClock(double seconds) { GetDXUTState().timer.AdvanceManualClock(seconds); }

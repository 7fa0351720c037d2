// Drakmoor's entry point: hands the game's callbacks to the framework, opens the window and
// the device, runs the loop and tidies up.

#include "app/frame_report.h"
#include "app/framework_callbacks.h"
#include "app/game.h"
#include "platform/dxut.h"
#include "platform/game_folders.h"
#include "ui/gui.h"

namespace {

cGUI g_gui;

}  // namespace

int main(int argc, char** argv) {
  const bool frameReport = FrameReportRequested(argc, argv);
  UseGameFolders(LocateGameFolders());
  SetFrameworkCallbacks(&g_game);
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
  if (frameReport) PrintFrameReport(stdout);

  g_game.Cleanup();
  // SDL goes away before the static game object does: release the sound while it is here.
  g_game.soundSystem.Shutdown();
  DXUTShutdown();
  return DXUTGetExitCode();
}

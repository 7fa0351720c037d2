// The framework's errors: their messages and the exit codes they end with.

#include "platform/dxut_state.h"

namespace {

struct FrameworkError {
  HRESULT status;
  int exitCode;
  const wchar_t* message;
};

constexpr FrameworkError kFrameworkErrors[] = {
    {DXUTERR_NODIRECT3D, 2,
     L"Could not initialize Direct3D. You may want to check that the latest version of DirectX is correctly "
     L"installed on your system.  Also make sure that this program was compiled with header files that match the "
     L"installed DirectX DLLs."},
    {DXUTERR_NOCOMPATIBLEDEVICES, 3, L"Could not find any compatible Direct3D devices."},
    {DXUTERR_MEDIANOTFOUND, 4, L"Could not find required media. Ensure that the DirectX SDK is correctly installed."},
    {DXUTERR_NONZEROREFCOUNT, 5,
     L"The D3D device has a non-zero reference count, meaning some objects were not released."},
    {DXUTERR_CREATINGDEVICE, 6, L"Failed creating the Direct3D device."},
    {DXUTERR_RESETTINGDEVICE, 7, L"Failed resetting the Direct3D device."},
    {DXUTERR_CREATINGDEVICEOBJECTS, 8, L"Failed creating Direct3D device objects."},
    {DXUTERR_RESETTINGDEVICEOBJECTS, 9, L"Failed resetting Direct3D device objects."},
    {DXUTERR_INCORRECTVERSION, 10, L"Incorrect version of Direct3D and/or D3DX."},
};

constexpr int kOtherErrorExitCode = 1;

const FrameworkError* FindError(HRESULT hr) {
  for (const FrameworkError& error : kFrameworkErrors) {
    if (error.status == hr) return &error;
  }
  return nullptr;
}

}  // namespace

int DXUTExitCodeForError(HRESULT hr) {
  const FrameworkError* error = FindError(hr);
  return error ? error->exitCode : kOtherErrorExitCode;
}

HRESULT DXUTDisplayErrorMessage(HRESULT hr) {
  DXUTState& state = GetDXUTState();
  state.exitCode = DXUTExitCodeForError(hr);
  state.exitCodeFromError = true;
  const FrameworkError* error = FindError(hr);
  if (error && state.showMsgBoxOnError) {
    const wchar_t* caption = state.windowTitle.empty() ? L"DirectX Application" : state.windowTitle.c_str();
    DXUTMessageBox(error->message, caption, kMbIconError);
  }
  return hr;
}

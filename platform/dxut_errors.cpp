// The framework's errors: their messages and the exit codes they end with. Each message
// names the graphics system the game runs on (or tried to) and ends with SDL's own reason.

#include <SDL.h>

#include <cstdio>
#include <string>

#include "platform/dxut_state.h"
#include "platform/utf8.h"

namespace {

struct FrameworkError {
  HRESULT status;
  int exitCode;
  const char* message;  // "%s" stands for the graphics system
};

constexpr FrameworkError kFrameworkErrors[] = {
    {DXUTERR_NODIRECT3D, 2,
     "Could not start SDL's video. Check that the game runs on a desktop with a display "
     "(DISPLAY or WAYLAND_DISPLAY set) and that SDL2 is correctly installed."},
    {DXUTERR_NOCOMPATIBLEDEVICES, 3, "Could not find any SDL renderer that can draw the game."},
    {DXUTERR_MEDIANOTFOUND, 4, "Could not find required media. Ensure that the game's data folder is complete."},
    {DXUTERR_NONZEROREFCOUNT, 5, "The %s still held objects that were not released."},
    {DXUTERR_CREATINGDEVICE, 6, "Failed creating the %s."},
    {DXUTERR_RESETTINGDEVICE, 7, "Failed resetting the %s."},
    {DXUTERR_CREATINGDEVICEOBJECTS, 8, "Failed creating the game's drawing objects on the %s."},
    {DXUTERR_RESETTINGDEVICEOBJECTS, 9, "Failed resetting the game's drawing objects on the %s."},
    {DXUTERR_INCORRECTVERSION, 10, "Incorrect version of SDL2: the game was built for %s."},
};

constexpr int kOtherErrorExitCode = 1;

const FrameworkError* FindError(HRESULT hr) {
  for (const FrameworkError& error : kFrameworkErrors) {
    if (error.status == hr) return &error;
  }
  return nullptr;
}

std::string Subject(HRESULT hr) {
  if (hr != DXUTERR_INCORRECTVERSION) return GetDXUTState().graphicsSystem;
  SDL_version linked;
  SDL_GetVersion(&linked);
  char versions[96];
  std::snprintf(versions, sizeof versions, "%d.%d.%d or a later 2.x, and runs with %d.%d.%d", SDL_MAJOR_VERSION,
                SDL_MINOR_VERSION, SDL_PATCHLEVEL, linked.major, linked.minor, linked.patch);
  return versions;
}

}  // namespace

int DXUTExitCodeForError(HRESULT hr) {
  const FrameworkError* error = FindError(hr);
  return error ? error->exitCode : kOtherErrorExitCode;
}

std::string DXUTErrorMessage(HRESULT hr) {
  const FrameworkError* error = FindError(hr);
  if (!error) return "";
  const std::string subject = Subject(hr);
  std::string message(std::char_traits<char>::length(error->message) + subject.size() + 1, '\0');
  const int written = std::snprintf(message.data(), message.size(), error->message, subject.c_str());
  message.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  const char* reason = SDL_GetError();
  if (reason && *reason) message += std::string("\n\nSDL: ") + reason;
  return message;
}

HRESULT DXUTDisplayErrorMessage(HRESULT hr) {
  DXUTState& state = GetDXUTState();
  state.exitCode = DXUTExitCodeForError(hr);
  state.exitCodeFromError = true;
  if (FindError(hr) && state.showMsgBoxOnError) {
    const std::string caption = state.windowTitle.empty() ? "Drakmoor" : WideToUtf8(state.windowTitle);
    DXUTShowMessageBoxUtf8(DXUTErrorMessage(hr), caption, kMbIconError);
  }
  return hr;
}

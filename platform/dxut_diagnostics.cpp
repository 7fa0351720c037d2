// What the framework and the game tell the developer (a trace on standard error,
// with DRAKMOOR_DEBUG=1) and the player (notices on standard error, message boxes).

#include <SDL.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/dxut_state.h"
#include "platform/utf8.h"

namespace {

bool IsHeadlessDriver(const char* driver) {
  return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

// A box needs a display; headless runs (tests, the dummy driver) have none and
// a box there would wait for ever.
bool DisplayAvailable() {
  const char* driver =
      SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetCurrentVideoDriver() : SDL_getenv("SDL_VIDEODRIVER");
  return !IsHeadlessDriver(driver);
}

Uint32 MessageBoxKind(unsigned flags) {
  const unsigned icon = flags & 0xF0;
  if (icon == kMbIconError) return SDL_MESSAGEBOX_ERROR;
  if (icon == kMbIconWarning) return SDL_MESSAGEBOX_WARNING;
  return SDL_MESSAGEBOX_INFORMATION;
}

}  // namespace

void DXUTMessageBox(const wchar_t* text, const wchar_t* caption, unsigned flags) {
  DXUTShowMessageBoxUtf8(WideToUtf8(text ? text : L""), WideToUtf8(caption ? caption : L""), flags);
}

void DXUTShowMessageBoxUtf8(const std::string& utf8Text, const std::string& utf8Caption,
                            unsigned flags) {
  auto* window = static_cast<SDL_Window*>(DXUTGetHWND());
  if (DisplayAvailable() && SDL_ShowSimpleMessageBox(MessageBoxKind(flags), utf8Caption.c_str(),
                                                     utf8Text.c_str(), window) == 0) {
    return;
  }
  std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
}

bool DXUTDebugOutputEnabled() {
  const char* debug = std::getenv("DRAKMOOR_DEBUG");
  return debug != nullptr && std::strcmp(debug, "1") == 0;
}

void DXUTOutputDebugString(const wchar_t* format, ...) {
  if (!format || !DXUTDebugOutputEnabled()) return;
  std::va_list args;
  va_start(args, format);
  const std::string line = FormatUtf8V(format, args);
  va_end(args);
  std::fputs(line.c_str(), stderr);
}

void DXUTOutputPlayerNotice(const wchar_t* format, ...) {
  if (!format) return;
  std::va_list args;
  va_start(args, format);
  const std::string line = FormatUtf8V(format, args);
  va_end(args);
  if (!GetDXUTState().playerNoticesWritten.insert(line).second) return;
  std::fprintf(stderr, "%s\n", line.c_str());
}

HRESULT DXUTTrace(const char* file, unsigned line, HRESULT hr, const wchar_t* message,
                  bool popMsgBox) {
  const std::string text = FormatUtf8(L"%s(%u): %ls hr=0x%08X", file ? file : "", line,
                                      message ? message : L"", static_cast<unsigned>(hr));
  DXUTOutputDebugString(L"%s\n", text.c_str());
  if (popMsgBox && GetDXUTState().showMsgBoxOnError) {
    DXUTShowMessageBoxUtf8(text, "Unexpected error encountered", kMbIconError);
  }
  return hr;
}

const char* DXUTGetLastErrorText() { return SDL_GetError(); }

void DXUTDisplaySwitchingToREFWarning() {
  DXUTState& state = GetDXUTState();
  if (state.referenceWarningShown) return;
  state.referenceWarningShown = true;
  std::fputs("No graphics card renderer: the game draws with SDL's software renderer.\n", stderr);
}

HRESULT DXUTTraceSdlFailure(const char* file, unsigned line, const wchar_t* call) {
  DXUTTrace(file, line, E_FAIL, call, false);
  DXUTOutputDebugString(L"  SDL: %s\n", SDL_GetError());
  return E_FAIL;
}

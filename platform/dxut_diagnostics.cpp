// What the framework and the game tell the developer (a trace on standard error,
// with DRAKMOOR_DEBUG=1) and the player (notices on standard error, message boxes).

#include <SDL.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/dxut_state.h"
#include "platform/utf8.h"

namespace {

// Formatted debug lines longer than this are cut (a runaway format, not a line).
constexpr std::size_t kMaxDebugLineLength = 1 << 16;

bool IsHeadlessDriver(const char* driver) {
  return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

// A box needs a display; headless runs (tests, the dummy driver) have none and
// a box there would wait for ever.
bool DisplayAvailable() {
  const char* driver = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetCurrentVideoDriver() : SDL_getenv("SDL_VIDEODRIVER");
  return !IsHeadlessDriver(driver);
}

Uint32 MessageBoxKind(unsigned flags) {
  const unsigned icon = flags & 0xF0;
  if (icon == kMbIconError) return SDL_MESSAGEBOX_ERROR;
  if (icon == kMbIconWarning) return SDL_MESSAGEBOX_WARNING;
  return SDL_MESSAGEBOX_INFORMATION;
}

std::wstring FormatWideV(const wchar_t* format, std::va_list args) {
  std::vector<wchar_t> buffer(256);
  for (;;) {
    std::va_list attempt;
    va_copy(attempt, args);
    const int written = std::vswprintf(buffer.data(), buffer.size(), format, attempt);
    va_end(attempt);
    if (written >= 0) return std::wstring(buffer.data(), static_cast<std::size_t>(written));
    // vswprintf fails both for a small buffer and for a bad format: give up
    // at a size no real line reaches.
    if (buffer.size() >= kMaxDebugLineLength) return buffer.data();
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring FormatWide(const wchar_t* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::wstring text = FormatWideV(format, args);
  va_end(args);
  return text;
}

}  // namespace

void DXUTMessageBox(const wchar_t* text, const wchar_t* caption, unsigned flags) {
  DXUTShowMessageBoxUtf8(WideToUtf8(text ? text : L""), WideToUtf8(caption ? caption : L""), flags);
}

void DXUTShowMessageBoxUtf8(const std::string& utf8Text, const std::string& utf8Caption, unsigned flags) {
  auto* window = static_cast<SDL_Window*>(DXUTGetHWND());
  if (DisplayAvailable() &&
      SDL_ShowSimpleMessageBox(MessageBoxKind(flags), utf8Caption.c_str(), utf8Text.c_str(), window) == 0) {
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
  const std::wstring line = FormatWideV(format, args);
  va_end(args);
  std::fputs(WideToUtf8(line).c_str(), stderr);
}

void DXUTOutputPlayerNotice(const wchar_t* format, ...) {
  if (!format) return;
  std::va_list args;
  va_start(args, format);
  const std::wstring line = FormatWideV(format, args);
  va_end(args);
  if (!GetDXUTState().playerNoticesWritten.insert(line).second) return;
  std::fprintf(stderr, "%s\n", WideToUtf8(line).c_str());
}

HRESULT DXUTTrace(const char* file, unsigned line, HRESULT hr, const wchar_t* message, bool popMsgBox) {
  const std::wstring text =
      FormatWide(L"%s(%u): %ls hr=0x%08X", file ? file : "", line, message ? message : L"", static_cast<unsigned>(hr));
  DXUTOutputDebugString(L"%ls\n", text.c_str());
  if (popMsgBox && GetDXUTState().showMsgBoxOnError) {
    DXUTMessageBox(text.c_str(), L"Unexpected error encountered", kMbIconError);
  }
  return hr;
}

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

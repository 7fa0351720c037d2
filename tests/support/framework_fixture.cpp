#include "support/framework_fixture.h"

#include <SDL.h>

#include <cstdlib>

namespace {

using Call = FrameworkFixture::Call;

void Record(Call call) { FrameworkFixture::calls().push_back(std::move(call)); }

void WireRecordingCallbacks() {
  DXUTSetCallbackDeviceCreated([](DXUTDevice*, const DXUTSurfaceDesc*, void*) -> HRESULT {
    Record({"created"});
    return S_OK;
  });
  DXUTSetCallbackDeviceReset([](DXUTDevice*, const DXUTSurfaceDesc*, void*) -> HRESULT {
    Record({"reset"});
    return S_OK;
  });
  DXUTSetCallbackDeviceLost([](void*) { Record({"lost"}); });
  DXUTSetCallbackDeviceDestroyed([](void*) { Record({"destroyed"}); });
  DXUTSetCallbackFrameMove([](DXUTDevice*, double time, float elapsed, void*) { Record({"move", time, elapsed}); });
  DXUTSetCallbackFrameRender(
      [](DXUTDevice*, double time, float elapsed, void*) { Record({"render", time, elapsed}); });
  DXUTSetCallbackKeyboard([](unsigned key, bool down, bool alt, void*) {
    Record({"key", 0.0, 0.0f, key, down, alt});
  });
  DXUTSetCallbackMsgProc([](void*, unsigned message, std::uintptr_t wParam, std::intptr_t, bool*, void*) -> long {
    Record({"message", 0.0, 0.0f, message, wParam != 0});
    return 0;
  });
}

}  // namespace

std::vector<Call>& FrameworkFixture::calls() {
  static std::vector<Call> recorded;
  return recorded;
}

void FrameworkFixture::SetUp() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  calls().clear();
  DXUTSetManualClock(true);
  WireRecordingCallbacks();
}

void FrameworkFixture::TearDown() {
  DXUTShutdown();
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, nullptr);
}

void FrameworkFixture::StartFramework() {
  ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
  ASSERT_EQ(DXUTCreateWindow(L"Drakmoor"), S_OK);
  ASSERT_EQ(DXUTCreateDevice(0, true, 800, 600), S_OK);
  calls().clear();
}

std::vector<std::string> FrameworkFixture::CallNames() const {
  std::vector<std::string> names;
  for (const Call& call : calls()) names.push_back(call.what);
  return names;
}

std::vector<Call> FrameworkFixture::CallsOf(const std::string& what) const {
  std::vector<Call> matching;
  for (const Call& call : calls()) {
    if (call.what == what) matching.push_back(call);
  }
  return matching;
}

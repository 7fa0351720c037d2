#include "support/game_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>

#include <SDL.h>

#include "app/framework_callbacks.h"
#include "platform/dxut.h"
#include "ui/gui.h"

namespace {

cGUI* g_testGui = nullptr;

// data/ shows the built pictures, font and terrain, with room for the files the game writes.
void ShowBuiltData(const std::filesystem::path& buildDir) {
  std::filesystem::create_directories("data");
  for (const char* entry : {"art", "font", "map.hm"}) {
    const std::filesystem::path source = buildDir / "data" / entry;
    if (std::filesystem::exists(source))
      std::filesystem::create_symlink(source, std::filesystem::path("data") / entry);
  }
}

}  // namespace

void GameFixture::SetUp() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  // The dummy video driver offers no accelerated renderer worth trying.
  setenv("SDL_RENDER_DRIVER", "software", 1);
  ShowBuiltData(dir_.buildDir());
  if (StartsWithHallOfFame()) std::ofstream("data/hiscore") << "";
  if (const char* settings = SettingsText()) std::ofstream("data/settings") << settings;

  // A fresh game object for every test: the global one is rebuilt in place.
  g_game.~cGame();
  new (&g_game) cGame();
  g_testGui = new cGUI();

  DXUTSetManualClock(true);
  SetFrameworkCallbacks(&g_game);
  ASSERT_TRUE(SUCCEEDED(g_game.Init(g_testGui)));
  ASSERT_TRUE(SUCCEEDED(DXUTInit(false, false, false, true)));
  ASSERT_TRUE(SUCCEEDED(DXUTCreateWindow(L"Drakmoor")));
  ASSERT_TRUE(SUCCEEDED(DXUTCreateDevice(0, true, 800, 600)));
}

void GameFixture::TearDown() {
  g_game.Cleanup();
  g_game.soundSystem.Shutdown();
  DXUTShutdown();
  g_game.~cGame();
  new (&g_game) cGame();
  delete g_testGui;
  g_testGui = nullptr;
}

cGUI& GameFixture::gui() { return *g_testGui; }

void GameFixture::RunFrames(int count, double dt) {
  for (int i = 0; i < count; ++i) {
    DXUTAdvanceManualClock(dt);
    DXUTRunOneFrame();
  }
}

void GameFixture::Press(unsigned key) { DXUTInjectKey(key, true, false); }
void GameFixture::Release(unsigned key) { DXUTInjectKey(key, false, false); }
void GameFixture::Tap(unsigned key) {
  Press(key);
  Release(key);
}
void GameFixture::Hold(unsigned key, bool down) { DXUTSetKeyDown(key, down); }

void GameFixture::TypeText(const std::string& utf8) {
  SDL_Event event{};
  event.type = SDL_TEXTINPUT;
  ASSERT_LT(utf8.size(), sizeof event.text.text);
  utf8.copy(event.text.text, utf8.size());
  ASSERT_EQ(SDL_PushEvent(&event), 1);
}

void GameFixture::StartMatch(int difficulty) {
  g_game.settings.difficulty = difficulty;
  g_game.introSeen = 1;
  g_game.state = kStateLoading;
  RunFrames(1);
}

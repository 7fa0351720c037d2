#include "app/game.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

#include "platform/dxut.h"
#include "platform/game_folders.h"
#include "ui/frame.h"
#include "ui/frame_counter.h"
#include "ui/gui.h"
#include "ui/volume_indicator.h"
#include "world/creatures/creature.h"
#include "world/projectiles/projectile.h"

namespace {

constexpr int kMenuMusic = 127;

// Whether saving the player's file at `path` keeps what the player has: true when it was
// read or is not there at all. One that is there but could not be read (its permissions, say)
// stays as it is, and the player is told once.
bool KeepsWhatItRead(const std::string& path, bool read) {
  std::error_code error;
  const auto type = std::filesystem::symlink_status(path, error).type();
  if (read || type == std::filesystem::file_type::not_found) return true;
  DXUTOutputPlayerNotice(L"Drakmoor: could not read %s; it is left as it is and not saved.",
                         path.c_str());
  return false;
}

}  // namespace

cGame::cGame() = default;

cGame::~cGame() { Cleanup(); }

HRESULT cGame::Init(cGUI* newGui) {
  if (newGui == nullptr) return E_FAIL;
  paused = 0;
  gui = newGui;

  if (FAILED(gui->Init(this, L"CelticMD"))) {
    DXUTOutputDebugString(L"--- FAILED to init GUI ---\n");
    return E_FAIL;
  }
  DXUTOutputDebugString(L"Successfully initialized GUI\n");

  settingsPath_ = PlayerFilePath("settings");
  hiscorePath_ = PlayerFilePath("hiscore");
  const bool settingsRead = SUCCEEDED(settings.Load(settingsPath_.c_str()));
  if (FAILED(soundSystem.Init(DXUTGetHWND(), settings.audio))) {
    soundSystem.Init(DXUTGetHWND(), 0);
    DXUTOutputDebugString(L"NO SOUND AVAILABLE!\n");
    DXUTOutputPlayerNotice(L"Drakmoor: no sound device could be opened; the game plays silently.");
  }
  DXUTOutputDebugString(L"Successfully initialized SoundSystem..\n");
  soundSystem.SetMasterVolume(settings.volume);

  const bool hiscoresRead = hiscores.Load(hiscorePath_.c_str());
  introSeen = hiscoresRead ? 1 : 0;
  // From here on the files hold what the player has: writing them back keeps it. A folder
  // that cannot be written was read all the same, and is left as it is; so is a file that is
  // there but could not be read, which saving would replace with defaults.
  const bool savesFolder = !settingsPath_.empty() && CurrentGameFolders().savesPlayerFiles;
  savesSettings_ = savesFolder && KeepsWhatItRead(settingsPath_, settingsRead);
  savesHallOfFame_ = savesFolder && KeepsWhatItRead(hiscorePath_, hiscoresRead);
  return S_OK;
}

void cGame::FreeWorld() {
  dragon = nullptr;
  creatures.clear();
  creatures.shrink_to_fit();
  projectiles.clear();
  projectiles.shrink_to_fit();
  groundLine.clear();
}

void cGame::Cleanup() {
  DXUTOutputDebugString(L"Cleaning up..\n");
  FreeWorld();
  // A start that never read the files must not overwrite the player's with defaults.
  SaveHallOfFame();
  if (savesSettings_) settings.Save(settingsPath_.c_str());
  DXUTOutputDebugString(L"done\n");
}

void cGame::SaveHallOfFame() const {
  if (savesHallOfFame_) hiscores.Save(hiscorePath_.c_str());
}

void cGame::OnFrameMove(DXUTDevice* /*device*/, double /*time*/, float elapsed) {
  volumeShownFor = std::max(0.0f, volumeShownFor - elapsed);
  switch (state) {
    case kStateEnterTitle:
      if (FAILED(ShowScreen(kScreenTitle))) {
        Cleanup();
        DXUTMessageBox(L"Could not load menu resources!\nAborting..", L"Warning", 0);
        DXUTPostQuitMessage(0);
      }
      break;
    case kStateScreens:
      UpdateMenu(elapsed);
      break;
    case kStateLoading:
      if (FAILED(LoadMatch())) {
        Cleanup();
        state = kStateEnterTitle;
      }
      break;
    case kStateMatch:
      UpdateMatch(elapsed);
      break;
    default:
      break;
  }
}

void cGame::OnFrameRender(DXUTDevice* device, float elapsed) {
  if (showFrameCounter) {
    frameCounter.Update(DXUTGetTime());
  } else {
    frameCounter.Clear();
  }
  ClampMenuSelection();
  // A picture that stands still is drawn once: the back buffer keeps it.
  const std::optional<cStillPicture> picture = DescribePicture(*this);
  if (picture && picture == drawnPicture_) {
    DXUTKeepPicture();
    return;
  }
  drawnPicture_ = picture;

  if (FAILED(ClearBackBuffer(device))) {
    DXUTTrace("game", __LINE__, E_FAIL,
              L"pDevice->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER , "
              L"D3DCOLOR_RGBA(0, 0, 0, 0), 1.0f, 0L )",
              true);
  }
  if (gui != nullptr) gui->ReleaseIdleCopies();
  switch (state) {
    case kStateScreens:
      RenderMenu(device, elapsed);
      break;
    case kStateLoading:
      RenderLoadingScreen(device);
      // A match loads inside one frame move: its progress frames never reach the
      // framework's own present, so each is shown here.
      PresentBackBufferNow(device);
      break;
    case kStateMatch:
      RenderMatch(device, elapsed);
      break;
    default:
      break;
  }
  if (showFrameCounter && gui != nullptr) frameCounter.Render(*gui);
  if ((state == kStateScreens || state == kStateMatch) && volumeShownFor > 0.0f && gui) {
    DrawVolumeIndicator(*gui, settings.volume, soundSystem.Muted());
  }
}

HRESULT cGame::OnCreateDevice(DXUTDevice* device, const DXUTSurfaceDesc* /*desc*/) {
  DXUTOutputDebugString(L"CREATE DEVICE\n");
  drawnPicture_.reset();
  if (gui != nullptr) gui->OnCreateDevice(device);
  return S_OK;
}

HRESULT cGame::OnResetDevice(DXUTDevice* device, const DXUTSurfaceDesc* desc) {
  DXUTOutputDebugString(L"RESET DEVICE\n");
  drawnPicture_.reset();  // the back buffer's picture is gone
  if (gui != nullptr) gui->OnResetDevice(device, desc);
  if (state == kStateScreens) {
    // A window switch rebuilds the screen, but the hall of fame keeps its name entry as it
    // was: a half-typed name stays, and a score already entered is not asked for (and
    // entered) a second time.
    const int typing = nameEntryActive;
    std::array<wchar_t, kNameLength> typed{};
    std::copy(std::begin(nameBuffer), std::end(nameBuffer), typed.begin());
    ShowScreen(screen);
    if (screen == kScreenHallOfFame) {
      nameEntryActive = typing;
      std::copy(typed.begin(), typed.end(), std::begin(nameBuffer));
    }
  }
  return S_OK;
}

void cGame::OnLostDevice() {
  DXUTOutputDebugString(L"LOST DEVICE\n");
  if (gui != nullptr) gui->OnLostDevice();
}

void cGame::OnDestroyDevice() {
  DXUTOutputDebugString(L"DESTROY DEVICE\n");
  if (gui != nullptr) gui->OnDestroyDevice();
}

void cGame::SetPaused(int pause) {
  if (pause != 0) {
    soundSystem.Pause();
  } else {
    soundSystem.Start();
  }
  if (state == kStateLoading || state == kStateMatch) paused = pause;
}

std::uint32_t cGame::MatchScore() const {
  return static_cast<std::uint32_t>(std::ceil(static_cast<float>(gold) * matchTime));
}

HRESULT cGame::ShowScreen(int newScreen) {
  if (gui == nullptr) return E_FAIL;
  gui->GetDialog()->RemoveAllControls();
  if (newScreen == kScreenTitle) Cleanup();
  if (newScreen == kScreenTitle || newScreen == kScreenHallOfFame) {
    soundSystem.StopAll();
    soundSystem.AddSampleFromResource(kMenuMusic, 1, 0);
    soundSystem.Start();
    PlaySound(kMenuMusic);
  }
  menuSelection = 0;
  nameEntryActive = 0;
  pressedOnScreen_.fill(false);
  DXUTIgnoreTextOfHeldKeys();

  switch (newScreen) {
    case kScreenTitle:
      if (startAfterIntro != 0) {
        state = kStateLoading;
        return S_OK;
      }
      screenTexture = LoadTexture("./data/art/title.png");
      gold = 0;
      matchTime = 0.0f;
      break;
    case kScreenHallOfFame:
      screenTexture = -1;
      if (hiscores.PlaceOf(MatchScore()) >= 0) {
        nameEntryActive = 1;
        nameBuffer[0] = L'\0';
        pickedLetter_ = L'a';
      }
      break;
    case kScreenCredits:
      screenTexture = LoadTexture("./data/art/title.png");
      creditsLine = 0;
      creditsTimer = 4.0f;
      break;
    case kScreenHowToPlay:
      slideIndex = 0;
      screenTexture = LoadTexture("./data/art/slide0.png");
      break;
    default:
      break;
  }
  state = kStateScreens;
  screen = newScreen;
  startAfterIntro = 0;
  return S_OK;
}

void cGame::SetProgress(float progress) {
  if (progress != -1.0f) loadProgress = progress;
  if (progressObserver != nullptr) progressObserver(loadProgress, state);
  OnFrameRender(DXUTGetD3DDevice(), DXUTGetElapsedTime());
}

std::uint32_t cGame::PlaySound(int id) {
  if (soundObserver != nullptr) soundObserver(id);
  return soundSystem.Play(std::to_wstring(id));
}

int cGame::LoadTexture(const std::string& path) {
  if (gui == nullptr) return -1;
  return gui->GetResourceManager()->AddTexture(path);
}

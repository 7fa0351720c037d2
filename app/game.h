#pragma once
// The one game object: owns the settings, the hall of fame, the sound system, the world of a
// match and the top-level state machine that the framework callbacks drive frame by frame.
// World objects reach it through the global `g_game`.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/hiscore_table.h"
#include "app/picture_state.h"
#include "app/settings.h"
#include "audio/sound_system.h"
#include "platform/status.h"
#include "ui/frame_counter.h"
#include "world/creatures/screen_element.h"
#include "world/vec2.h"

class cGUI;
class cFont;
class cCreature;
class cDragon;
class cProjectile;
class cSprite;
struct DXUTDevice;
struct DXUTSurfaceDesc;

// Top-level states of the game.
enum GameState : int {
  kStateEnterTitle = 0,
  kStateScreens = 1,
  kStateLoading = 2,
  kStateMatch = 3,
};

// Screens shown in kStateScreens.
enum GameScreen : int {
  kScreenTitle = 0,
  kScreenHallOfFame = 1,
  kScreenCredits = 2,
  kScreenHowToPlay = 3,
};

inline constexpr int kNameLength = 32;  // 31 characters and the terminator

// The world spawns no more attackers while it holds this many creatures, which keeps the
// per-frame hit test small.
inline constexpr std::size_t kMaxCreatures = 120;

// A match moves in steps of this many seconds, however often the display shows a frame: every
// speed, damping and rate of the world (velocity kept per update, thrust per call, one breath
// puff per update) holds for updates 1/60 s apart, so a 144 Hz monitor plays as a 60 Hz one.
inline constexpr float kMatchStepSeconds = 1.0f / 60.0f;
// A match starts half a step in, so that frames at 60 a second that come a little early or
// late still run one step each.
inline constexpr float kMatchStartPhase = 0.5f * kMatchStepSeconds;

class cGame {
 public:
  cGame();
  ~cGame();
  cGame(const cGame&) = delete;
  cGame& operator=(const cGame&) = delete;

  // --- life cycle (game.cpp) ---
  HRESULT Init(cGUI* gui);
  // Frees the world and saves the settings and the hall of fame (only files that were read).
  void Cleanup();
  void OnFrameMove(DXUTDevice* device, double time, float elapsed);
  void OnFrameRender(DXUTDevice* device, float elapsed);
  HRESULT OnCreateDevice(DXUTDevice* device, const DXUTSurfaceDesc* desc);
  HRESULT OnResetDevice(DXUTDevice* device, const DXUTSurfaceDesc* desc);
  void OnLostDevice();
  void OnDestroyDevice();
  void SetPaused(int paused);
  HRESULT ShowScreen(int screen);
  // Stores the load progress (unless -1) and draws one loading frame at once.
  void SetProgress(float progress);
  cCreature* GetDragon() const { return dragon; }
  // Plays sample `id` (named by its decimal number); returns the channel handle, 0 on failure.
  std::uint32_t PlaySound(int id);
  int LoadTexture(const std::string& path);
  // The hall-of-fame score of the match just played: ceil(gold * matchTime) in single precision.
  std::uint32_t MatchScore() const;

  // --- input (input.cpp, volume_keys.cpp) ---
  void OnKeyboard(unsigned key, bool keyDown, bool altDown);
  long MsgProc(void* window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
  // Saves the back buffer as the next numbered picture in the screenshots folder; tells the
  // player in one line when it cannot.
  void TakeScreenshot();

  // --- screens (ui/screens.cpp) ---
  void UpdateMenu(float elapsed);
  void RenderMenu(DXUTDevice* device, float elapsed);
  void RenderLoadingScreen(DXUTDevice* device);
  // The colours of the menu texts that fade, as the menus draw them now.
  std::uint32_t CreditsHeadingColour() const;
  std::uint32_t CreditsNamesColour() const;
  std::uint32_t PromptColour() const;
  // The letter the pad's picker offers at the end of the name; 0 while no picker shows (no name
  // is asked for, or no pad is plugged in).
  wchar_t PickerLetterShown() const { return TypingName() && padsPlugged_ > 0 ? pickedLetter_ : 0; }

  // --- loading a match (load_match.cpp) ---
  HRESULT LoadMatch();

  // --- match rules and world update (match.cpp) ---
  // Runs as many match steps as the time elapsed (with what earlier frames left over) holds,
  // at most a tenth of a second's: after a long stall the match goes on from where it was
  // rather than racing to catch up. The rest waits for the next frame.
  void UpdateMatch(float elapsed);
  // A new match: half a step of time waiting to be stepped, nothing to draw between steps yet.
  void StartMatchSteps();
  // A frame between two steps draws the world that share of the way (the time waiting to be
  // stepped, in steps) from where the latest step found the camera and each creature and
  // projectile to where it left them: on a display faster than the steps motion stays smooth
  // rather than standing still for a frame and then jumping.
  Vec2 DrawnCamera() const;
  // The camera that draws `sprite` at its place between steps in a world seen from `view`.
  Vec2 CameraFor(const cSprite& sprite, Vec2 view) const;
  // Keys to dragon actions, then the camera; runs every match step, also while paused
  // (dragon_control.cpp).
  void DragonControlStep(float elapsed);
  void RenderMatch(DXUTDevice* device, float elapsed);
  float GroundHeightAt(float x) const;
  bool CirclesTouch(const cSprite* a, const cSprite* b) const;
  int Blast(Vec2 centre, float radiusSq, float damage, int maximum);
  HRESULT RemoveCreature(cCreature* creature);
  Vec2 GetAimDirection() const;
  void Shake(float amplitude) { shake = amplitude; }
  int GetZeppelinIndex(const cCreature* zeppelin) const;
  static float Clamp(float minimum, float maximum, float value);

  // --- factories (creature_factory.cpp, projectile_factory.cpp) ---
  cCreature* SpawnCreature(int type, float x, float y);
  cProjectile* SpawnProjectile(int kind, float x, float y, float vx, float vy);
  HRESULT RemoveProjectile(cProjectile* projectile);
  // Runs every projectile for one frame: move, life test, hits (projectile_factory.cpp).
  void UpdateProjectiles(float elapsed);

  // --- fields ---
  cGUI* gui = nullptr;
  cSoundSystem soundSystem;
  int paused = 0;
  cSettings settings;
  float loadProgress = 0.0f;
  cHiscoreTable hiscores;
  int nameEntryActive = 0;
  wchar_t nameBuffer[kNameLength] = {};
  int screenshotCount = 0;  // no screenshot of this run is numbered below it
  int menuSelection = 0;
  int slideIndex = 0;
  int introSeen = 0;
  int startAfterIntro = 0;
  Vec2 camera;
  cScreenElement mapTiles[4];
  cScreenElement parallaxLayers[2];
  cScreenElement sky;
  cScreenElement clouds[3];
  std::vector<Vec2> groundLine;
  cCreature* dragon = nullptr;  // also listed (and owned) in `creatures`
  std::uint32_t gold = 0;
  float matchTime = 0.0f;
  std::vector<std::unique_ptr<cCreature>> creatures;
  std::vector<std::unique_ptr<cProjectile>> projectiles;
  int state = kStateEnterTitle;
  int screen = kScreenTitle;
  int hudTexture = -1;
  int heroHudTexture = -1;
  int fireIconTexture = -1;
  int goldIconTexture = -1;
  int screenTexture = -1;
  float shake = 0.0f;
  double archerInterval = 3.0;
  double heroInterval = 50.0;
  double zeppelinInterval = 40.0;
  double lastArcherSpawn = 0.0;
  double lastHeroSpawn = 0.0;
  double lastZeppelinSpawn = 0.0;
  double lastDefenderRespawn = 0.0;
  float goldLossTimer = 0.0f;
  float unsteppedTime = kMatchStartPhase;  // elapsed time not yet run as a match step
  std::optional<Vec2> cameraAtStepStart;   // where the latest step found the camera
  int creditsLine = 0;
  float creditsTimer = 0.0f;
  std::uint32_t musicChannel = 0;  // the match music, ducked by a taunting hero
  bool showFrameCounter = false;   // F3: frames per second and frame times in a corner
  float volumeShownFor = 0.0f;     // seconds the volume indicator still shows
  cFrameCounter frameCounter;
  // The health the HUD's bar showed last frame and the breath bar's pulse clock. They outlive
  // a match, so a new match's bar fills up from where the last ended.
  float hudShownHealth = 0.0f;
  float hudPulseClock = 0.0f;
  // Told of every progress step of a load (tests watch the loading screen's values through
  // it); null in the game.
  void (*progressObserver)(float progress, int state) = nullptr;
  // Told of every sound the game plays, by id (tests listen through it); null in the game.
  void (*soundObserver)(int id) = nullptr;

 private:
  void FreeWorld();
  // One match step of kMatchStepSeconds: the dragon's control and the camera (also while
  // paused), then the clocks, the creatures, the projectiles and the spawning (match.cpp).
  void StepMatch();
  // Rumbles the pads once for each blow the player's dragon takes and in full as it crashes
  // (dragon_control.cpp).
  void RumbleForBlows(const cDragon& player);
  // A character typed (repeated: by the key's auto-repeat): the name's next letter while one
  // is asked for, else perhaps a volume key.
  void OnCharacter(wchar_t character, bool repeated);
  // The master volume keys go by the character they type, whatever the keyboard's layout, in
  // the menus and in a match outside name entry: "-" steps the volume down a tenth and "+" or
  // "=" up (the keypad's too; auto-repeat keeps stepping), "m" mutes and unmutes (not on
  // repeats); each shows the volume indicator. True when the character was one of them.
  bool ApplyVolumeCharacter(wchar_t character, bool repeated);
  void ApplyMatchKey(unsigned key, bool keyDown);
  void ApplyMenuKey(unsigned key, bool keyDown);
  // The menu keys with a fixed meaning.
  void ApplyMenuCommandKey(unsigned key, bool keyDown);
  // A letter a to z (A to Z lower-cased) joins the name asked for, up to its 31 characters;
  // everything else is ignored.
  void TypeNameCharacter(wchar_t character);
  void EraseLastNameCharacter();
  // Enters the name with the match's score and saves the hall of fame; the entry is over.
  void ConfirmName();
  // A pad while a name is asked for, acting on the press: Up and Down choose the letter shown
  // at the end of the name (a to z, wrapping), A adds it, B or X takes the last letter away,
  // Start confirms as Enter does. Every pad key ends here, so none acts as a menu key (A is
  // Enter in the menus) and no release left over from it does anything after the entry.
  void ApplyLetterPickerKey(unsigned key, bool keyDown);
  bool TypingName() const { return screen == kScreenHallOfFame && nameEntryActive != 0; }
  void ChooseMenuItem();
  // On the main menu, holds the selection to the menu's items; every frame does, whether it
  // draws or keeps its picture (ui/screens.cpp).
  void ClampMenuSelection();
  // The menu screens' drawing (ui/screens.cpp).
  void DrawScreenPicture();
  void RenderMainMenu(cFont* font, int w, int h);
  void RenderHallOfFame(cFont* font, int w);
  void RenderCredits(cFont* font, int w, int h);
  // The slide shown by the previous menu update, to notice when the slide changes.
  int shownSlide_ = -1;
  // The keys pressed since the current screen was shown and not yet released.
  std::array<bool, 256> pressedOnScreen_{};
  // The menu key pressed last: the one whose text a character message brings.
  unsigned lastKeyPressed_ = 0;
  // The pad picker's letter, and the pads plugged in (the picker shows only with one).
  wchar_t pickedLetter_ = L'a';
  int padsPlugged_ = 0;
  // The fire and grab keys at the previous match step; they outlive a match.
  bool fireWasHeld_ = false;
  bool grabWasHeld_ = false;
  // The dragon as the pads last felt it.
  const cDragon* feltDragon_ = nullptr;
  float feltHealth_ = 0.0f;
  bool feltCrash_ = false;

  // The picture the back buffer holds, when it stands still: a frame that would draw the same
  // keeps it. Forgotten when the device loses the back buffer's picture.
  std::optional<cStillPicture> drawnPicture_;

  // Writes the hall of fame, when the player's files may be written.
  void SaveHallOfFame() const;

  // Where the settings and the hall of fame are kept; empty when the player's folder cannot be
  // written, and then the game plays without saving.
  std::string settingsPath_;
  std::string hiscorePath_;
  // Each file is written back only when it was read, or was not there, in a folder that can
  // be written: writing it back then keeps what the player has.
  bool savesSettings_ = false;
  bool savesHallOfFame_ = false;
};

// The game object every world object reaches.
extern cGame g_game;

#pragma once
// Where the game reads its data and keeps the player's files. The game names its data as it
// always has ("./data/art/title.png") and its player files by plain names ("settings"); the
// folders below say where those live on this machine.
//
// - Run from its build folder (a data/ folder beside the executable): everything stays there,
//   the settings and the hall of fame in data/, screenshots in screenshots/.
// - Installed (its data where the install rules put it, found from the executable's own place,
//   so a moved prefix still works): the data is read from there and nothing is ever written
//   into it; the settings and the hall of fame go to the player's own folder
//   ($XDG_DATA_HOME/drakmoor, by default ~/.local/share/drakmoor) and screenshots to the
//   desktop's pictures folder, in Drakmoor/.
// - Anything else (the tests, which run in folders of their own): the working folder.

#include <string>
#include <string_view>

struct GameFolders {
  std::string data = "./data";                // what "./data/" in a game path names
  std::string playerFiles = "./data";         // settings and hall of fame; empty: none at all
  bool savesPlayerFiles = true;               // false: they are read but never written
  std::string screenshots = "./screenshots";  // created at the first screenshot; empty: none
};

// Works out the folders from where the executable lies and creates the player's folder. When
// that folder cannot be created or written, says so in one line on standard error and clears
// `savesPlayerFiles`: the player's files are still read, and the game plays on without saving.
// First forgets the XDG base folders (XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME) that are
// empty or relative, as the XDG rules ask, for the game and the libraries it loads alike.
GameFolders LocateGameFolders();

// The folders the game uses from now on; until this is called, the working folder's.
void UseGameFolders(GameFolders folders);
const GameFolders& CurrentGameFolders();

// The file a game path names: "./data/<rest>" is <rest> in the data folder; any other path
// is returned as it is.
std::string DataPath(std::string_view gamePath);

// The player's file `name` ("settings", "hiscore"); empty when there is no player's folder.
std::string PlayerFilePath(std::string_view name);

// The player's own folder for a game whose data is in `installedData`: "drakmoor" in
// $XDG_DATA_HOME (when absolute) or in ~/.local/share, or its "player" folder when that is
// the installed data itself (a game installed into ~/.local with its data in share/drakmoor),
// so that the player's files never mix with the installation's. Empty without a home.
std::string PlayerFolder(const std::string& installedData);

// The desktop's pictures folder, found as `xdg-user-dir PICTURES` finds it: XDG_PICTURES_DIR
// in <configHome>/user-dirs.dirs ("$HOME/..." or an absolute path), otherwise <home>/Pictures.
std::string PicturesFolder(const std::string& home, const std::string& configHome);

#pragma once
// Where the game reads its data and keeps the player's files. The game names its data as it
// always has ("./data/art/title.png") and its player files by plain names ("settings"); the
// folders below say where those live on this machine.
//
// - Run from its build folder (a data/ folder beside the executable): everything stays there,
//   the settings and the hall of fame in data/, screenshots in screenshots/.
// - Installed (share/drakmoor beside the executable's bin/ folder, so a moved prefix still
//   works): the data is read from there and nothing is ever written into it; the settings and
//   the hall of fame go to the player's own folder ($XDG_DATA_HOME/drakmoor, by default
//   ~/.local/share/drakmoor) and screenshots to the desktop's pictures folder, in Drakmoor/.
// - Anything else (the tests, which run in folders of their own): the working folder.

#include <string>
#include <string_view>

struct GameFolders {
  std::string data = "./data";                // what "./data/" in a game path names
  std::string playerFiles = "./data";         // settings and hall of fame; empty: nothing is saved
  std::string screenshots = "./screenshots";  // created at the first screenshot; empty: none
};

// Works out the folders from where the executable lies and creates the player's folder. When
// that folder cannot be created or written, says so in one line on standard error and leaves
// `playerFiles` empty: the game plays on without saving.
GameFolders LocateGameFolders();

// The folders the game uses from now on; until this is called, the working folder's.
void UseGameFolders(GameFolders folders);
const GameFolders& CurrentGameFolders();

// The file a game path names: "./data/<rest>" is <rest> in the data folder; any other path
// is returned as it is.
std::string DataPath(std::string_view gamePath);

// The player's file `name` ("settings", "hiscore"); empty when nothing can be saved.
std::string PlayerFilePath(std::string_view name);

// The desktop's pictures folder, found as `xdg-user-dir PICTURES` finds it: XDG_PICTURES_DIR
// in <configHome>/user-dirs.dirs ("$HOME/..." or an absolute path), otherwise <home>/Pictures.
std::string PicturesFolder(const std::string& home, const std::string& configHome);

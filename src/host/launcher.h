// The launcher (screen 128): the installed games from the descriptors in
// "gdf", each of which can be played, checked for an update, packed into
// its "game.tvp" or deleted. Driven by the keyboard through the key state,
// drawn with the engine font into a 320x240 frame.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tolv {

constexpr uint8_t kLauncherScreen = 128;

// Menu ids (launcher_menu_id): the game list is 0, so opening a game from
// it checks the engine version; the game's own menu opens a game only to
// reach its folder.
enum LauncherMenu : uint16_t {
  kLauncherGameList = 0,
  kLauncherGameMenu = 1,
  kLauncherConfirmDelete = 2,
};

struct LauncherGame {
  std::string descriptor;  // file name in gdf
  std::string title;       // its display name (the file name when it has none)
};

extern std::vector<LauncherGame> launcher_games;
extern uint32_t launcher_cursor;     // game list row
extern uint32_t launcher_menu_row;   // row of the game's menu
extern std::string launcher_status;  // the last entry's result, bottom line

// Lists the games, makes the launcher the active screen in its list.
void EnterLauncher();
// One frame: the key rows read, the chosen entry run, the screen drawn.
void LauncherFrame();
// Starts the chosen game. The default opens it (OpenGame, then LoadGame
// and the level start only after a 1) and leaves the launcher, as the
// headless driver would; the window fills in its own.
extern void (*launcher_start_game)(const char* descriptor);

// The entries, each usable on its own. The base folder is current before
// and after each.
void ListGames();
// Whether the descriptor is a file of gdf that opening it can read whole;
// says why not in launcher_status and the message log. Each entry below
// and the launcher's play keys check it first.
bool LauncherDescriptorUsable(const std::string& descriptor);
// Pack and delete take the descriptor's game folder, which must be a real
// folder directly in the base folder (never a link, "default" or "gdf")
// that holds game.def (packing) or game.def or game.tvp (deleting).
bool LauncherPackGame(const std::string& descriptor);
bool LauncherDeleteGame(const std::string& descriptor);
// Fetches the version from the update server of lines 4 and 5 of the
// descriptor (host or host:port, and path; "NONE" no server) and compares
// it with line 3. The result goes to launcher_status and the message log.
bool LauncherCheckUpdate(const std::string& descriptor);

}  // namespace tolv

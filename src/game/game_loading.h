// Opening a game from its descriptor and loading its game scope.
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

constexpr int32_t kEngineVersion = 140616;

extern std::string game_display_name;  // at most 40 characters: the window title
extern std::string game_name;          // the descriptor's folder line
extern uint8_t game_start[4];          // zone, act, character of player 1 and 2
extern uint16_t launcher_menu_id;      // 0 outside the launcher

// Reads descriptor `name` of base_folder/gdf and opens its game folder
// (and "game.tvp" when there is one): 1 usable, 0 not (the reason is in the
// message log). The base folder is current afterwards.
int OpenGame(const char* name);
// Unloads the previous game and loads game.def of game_folder. Every
// failure is fatal.
void LoadGame();
// Frees everything a game loaded.
void UnloadGame();
// Compiles a script list file (a count, then that many functions) into
// player_functions.
void LoadScriptList(const char* path);

// Reads the game functions from "game/funcs.def", or from game.def's
// rows 16 and 17 when there is no funcs.def.
struct FileStream;
void LoadGameFunctions(FileStream& game_def);

}  // namespace tolv

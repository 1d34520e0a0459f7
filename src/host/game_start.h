// Game start and return to game select: what the host does around a
// game's load, and the start countdown before its first level.
#pragma once
#include <cstdint>
#include <string>

#include "host/launcher.h"  // kLauncherScreen

namespace tolv {

constexpr uint8_t kGameScreen = 0;
constexpr uint8_t kStartCountdownScreen = 1;
constexpr uint8_t kBlankScreen = 150;
constexpr uint8_t kStartCountdownFrames = 16;

// Filled by the window: the title, and the icon of the game in a folder
// (its icon/icon.ico, else the engine's). No-ops headless.
extern void (*set_window_title)(const char* title);
extern void (*set_window_icon)(const std::string& game_folder);
// The launcher: its entry (lists the games, shows its screen) and its
// frame (tests put their own in).
extern void (*enter_launcher)();
extern void (*launcher_frame)();
// The game routines the screens call (tests put their own in).
extern void (*start_level)();
extern void (*run_game_frame)();
extern void (*load_game)();

extern uint8_t start_countdown;  // frames left on the countdown screen

// Opens descriptor `name` of gdf/ and loads its game: from the command
// line whatever OpenGame says, from the launcher only when it said 1
// (false otherwise, nothing changed). Then the title, the icon, and the
// countdown screen with the frame lock of a game start. The message log's
// lines so far leave the screen first.
bool StartGame(const char* name, bool from_launcher);
// The launcher's way in: StartGame(name, true).
void StartGameFromLauncher(const char* name);
// One frame of the countdown: a blank frame; at its end the level starts
// (unless one has already) and the game screen follows, unless the start
// opened the level editor ("-editor"). The first time,
// the command line's level and tile files load after the level start.
void RunStartCountdown();
// The game screen: a level start asked for (register 7 at 0) is served
// before the frame, as the headless driver does.
void RunGameScreen();
// F8 and the File menu's game select (nothing on the launcher itself):
// the game unloaded, every object reset, fonts freed, zone and act
// registers at 255, the archive closed; the launcher follows on a screen
// clear of the game's messages.
void ReturnToGameSelect();

}  // namespace tolv

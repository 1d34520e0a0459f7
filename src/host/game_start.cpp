#include "host/game_start.h"

#include <cstring>
#include <string>

#include "base/key_state.h"
#include "base/message_log.h"
#include "editors/editor_state.h"
#include "editors/editor_view.h"
#include "files/game_files.h"
#include "files/working_folder.h"
#include "game/game_frame.h"
#include "game/game_loading.h"
#include "game/headless.h"
#include "game/launch_options.h"
#include "game/level_loading.h"
#include "host/frame_pacing.h"
#include "host/key_input.h"
#include "render/frame.h"
#include "script/operands.h"
#include "script/random.h"
#include "script/registers.h"

namespace tolv {

static void NoTitle(const char*) {}
static void NoIcon(const std::string&) {}
static void BlankFrame() { std::memset(FrameStart(), 0, FrameAreaBytes()); }

void (*set_window_title)(const char*) = NoTitle;
void (*set_window_icon)(const std::string&) = NoIcon;
void (*enter_launcher)() = EnterLauncher;
void (*launcher_frame)() = LauncherFrame;
void (*start_level)() = StartLevel;
void (*run_game_frame)() = RunGameFrame;
void (*load_game)() = LoadGame;

uint8_t start_countdown = 0;
static bool command_line_files_loaded = false;

bool StartGame(const char* name, bool from_launcher) {
  RetireMessages();
  std::string back = WorkingFolder();
  if (OpenGame(name) != 1 && from_launcher) {
    ChangeWorkingFolder(back.c_str());
    return false;
  }
  ClearKeyState();
  ResetEditors();
  StartHeadlessGame(HeadlessGame{load_game, nullptr}, random_seed);
  set_window_title(game_display_name.c_str());
  set_window_icon(game_folder);
  active_screen = kStartCountdownScreen;
  start_countdown = kStartCountdownFrames;
  LockStartFrames();
  return true;
}

void StartGameFromLauncher(const char* name) { StartGame(name, true); }

void RunStartCountdown() {
  BlankFrame();
  if (start_countdown && --start_countdown) return;
  if (!Reg(kRegLevelStarted)) start_level();
  if (!command_line_files_loaded) LoadCommandLineFiles();
  command_line_files_loaded = true;
  if (active_screen == kStartCountdownScreen) active_screen = kGameScreen;  // the start may open the level editor
}

void RunGameScreen() {
  if (!Reg(kRegLevelStarted)) start_level();
  run_game_frame();
}

void ReturnToGameSelect() {
  if (active_screen == kLauncherScreen) return;
  if (active_screen == kObjectEditorScreen || active_screen == kLevelEditorScreen) LeaveEditor();
  UnloadGame();  // objects reset, fonts freed, zone and act registers at 255
  CloseArchive();
  ResetEditors();
  ClearKeyState();
  set_window_title("TOLV");
  RetireMessages();
  enter_launcher();
}

}  // namespace tolv

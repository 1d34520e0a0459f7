// tolv: the engine's entry point. With a display it opens the window and
// runs the frame loop there; without one (no DISPLAY) it says so and runs
// the game headless: it is opened, loaded and its first level started, a
// second of frames runs (five seconds at 60 frames a second when the audio
// device opened, so its music and sounds are heard), and a short report is
// printed.
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "audio/audio_device.h"
#include "base/key_state.h"
#include "base/message_log.h"
#include "editors/editor_state.h"
#include "files/game_files.h"
#include "files/working_folder.h"
#include "game/act_records.h"
#include "game/data_tables.h"
#include "game/engine_init.h"
#include "game/game_loading.h"
#include "game/headless.h"
#include "game/launch_options.h"
#include "game/level_loading.h"
#include "host/command_line.h"
#include "host/game_start.h"
#include "host/launcher.h"
#include "host/screen_frame.h"
#include "host/engine_font.h"
#include "host/window.h"
#include "objects/character.h"
#include "objects/draw_order.h"
#include "objects/object_type.h"
#include "objects/stat_obj_hooks.h"
#include "render/font.h"
#include "render/frame.h"
#include "script/global_contexts.h"
#include "script/operands.h"
#include "script/random.h"
#include "script/registers.h"
#include "script/string_slots.h"
#include "world/level.h"
#include "world/level_file.h"
#include "world/sprite_sets.h"

using namespace tolv;

static uint32_t frames_run = 0;

static void Report() {
  std::printf("TOLV: %s\n", game_display_name.c_str());
  std::printf("  game folder %s (%s)\n", game_folder.c_str(), game_unpacked ? "loose files" : "game.tvp");
  std::printf("  level started: zone %d act %d of %zu\n", Reg(kRegLoadedZone), Reg(kRegLoadedAct), act_table.size());
  std::printf("  script functions %u, object types %u, sprite sets %u, characters %u\n", script_functions.total,
              object_type_counts.total, sprite_set_counts.total, character_count);
  std::printf("  fonts %u, screen layouts %u, data tables %u, script strings %u\n", font_counts.total,
              stat_obj_def_counts.total, script_table_counts.total, string_slot_count);
  // The default level (also one standing in for a file that failed to
  // load) names no file: level_file_path may still name the last one read.
  const bool from_file = level_source == kLevelFromFile && !level_file_path.empty();
  uint32_t width, height;  // as the planes were given them, a smaller file's enlarged
  FlatPlaneSize(&width, &height);
  std::printf("  level: %u planes, %u x %u tiles%s%s\n", plane_count, width, height,
              from_file ? ", from " : " (default)", from_file ? level_file_path.c_str() : "");
  std::printf("  active objects after %u frames: %u\n", frames_run, ActiveObjectCount());
  std::printf("  last frame drawn: %dx%d, hash %016llx\n", frame_width, frame_area_height,
              static_cast<unsigned long long>(FrameAreaHash()));
}

static bool IsFolder(const char* path) {
  struct stat st;
  return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

// The engine's data below the working folder: its own default/ always, the
// descriptors' gdf/ unless a tool runs instead of a game. Names where it
// looked and what is missing.
static bool FindDataFolders(bool descriptors) {
  std::string missing;
  if (!IsFolder("default")) missing = "default/";
  if (descriptors && !IsFolder("gdf")) missing += missing.empty() ? "gdf/" : ", gdf/";
  if (missing.empty()) return true;
  std::printf("Data files not found in %s (missing: %s).\n", WorkingFolder().c_str(), missing.c_str());
  std::puts("Please make sure the game is installed fully and properly, and run it from its own folder.");
  return false;
}

// Engine start and the command-line tools, before any window: -pack
// packs and ends the run here. -1 to go on.
static int StartEngine(int argc, char** argv) {
  if (!FindDataFolders(!AsksForCommandLineTool(argc, argv))) return 1;
  StartHeadlessEngine();
  StartEditors();
  return RunCommandLineTools(argc, argv);
}

// The launch options, read after the window has taken its own (GTK's).
static bool ReadOptions(int argc, char** argv) {
  if (!ReadLaunchOptions(argc, argv)) return false;
  base_folder = WorkingFolder();
  return true;
}

static int RunHeadless(int argc, char** argv) {
  if (!ReadOptions(argc, argv)) return 1;
  std::puts("tolv: no display (DISPLAY is not set): running the game headless, without a window.");
  message_log_echo = true;  // no window to show the log in
  if (!FindGameDescriptor(game_descriptor)) return 1;
  if (!OpenGame(game_descriptor.c_str()))
    std::fprintf(stderr, "tolv: %s did not open; loading it anyway\n", game_descriptor.c_str());
  StartHeadlessGame(HeadlessGame{LoadGame, StartLevel}, random_seed);
  LoadCommandLineFiles();
  if (StartAudio()) {
    for (; frames_run < 300; frames_run++) {
      ScreenRoutineFor(active_screen)();  // the game, or the level editor that "-editor" opened
      std::this_thread::sleep_for(std::chrono::milliseconds(16));
    }
    StopAudio();
  } else {
    for (; frames_run < 60; frames_run++) ScreenRoutineFor(active_screen)();
  }
  Report();
  return 0;
}

static int RunWindowed(int argc, char** argv) {
  if (!OpenHostWindow(&argc, &argv)) return 1;
  if (!ReadOptions(argc, argv)) {
    CloseHostWindow();
    return 1;
  }
  LoadEngineFont();
  launcher_start_game = StartGameFromLauncher;
  constexpr uint32_t kF8Keysym = 0xffc5;
  if (!KeyDownNow(kF8Keysym) && FindGameDescriptor(game_descriptor)) StartGame(game_descriptor.c_str(), false);
  else enter_launcher();
  bool audio = StartAudio();
  RunHostWindow();
  if (audio) StopAudio();
  CloseHostWindow();
  return 0;
}

int main(int argc, char** argv) {
  if (int status = StartEngine(argc, argv); status >= 0) return status;
  const char* display = std::getenv("DISPLAY");
  if (display && *display) return RunWindowed(argc, argv);
  return RunHeadless(argc, argv);
}

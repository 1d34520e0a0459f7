// Whole-game fuzzing: the base folder of games/ (engine folder, descriptors,
// the sample game) in a scratch folder, one of its text files (chosen by the
// first input byte) replaced by the rest of the input; then the game is
// opened, loaded, its level started and a few frames run headless, as the
// engine's start-up does. Fatal script errors are caught; what a load held
// when one ended it must be freed by the unload, or it is a leak. The
// folder is rebuilt from memory before every run, so nothing a run's
// scripts write reaches the next one.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "files/archive_reader.h"
#include "files/files_state.h"
#include "files/game_files.h"
#include "files/script_error.h"
#include "files/working_folder.h"
#include "game/game_loading.h"
#include "game/headless.h"
#include "game/level_loading.h"
#include "game/script_file_commands.h"
#include "script/machine.h"

using namespace tolv;
namespace fs = std::filesystem;

namespace {

struct Fatal {};
[[noreturn]] void ThrowFatal(const char*, const char*) { throw Fatal{}; }

struct GameFile {
  std::string path;  // relative to the base folder
  std::string bytes;
};
std::vector<GameFile> files;
std::vector<size_t> text_files;  // the ones an input may replace
std::string base;
char process_folder[4096];

bool IsText(const fs::path& p) {
  const std::string e = p.extension().string();
  return e == ".def" || e == ".gdf" || e == ".txt";
}

void TakeFiles(const fs::path& games) {
  for (const auto& e : fs::recursive_directory_iterator(games)) {
    if (!e.is_regular_file() || e.path().filename() == "game.tvp") continue;
    std::ifstream in(e.path(), std::ios::binary);
    files.push_back({fs::relative(e.path(), games).string(), std::string(std::istreambuf_iterator<char>(in), {})});
  }
  std::sort(files.begin(), files.end(), [](const GameFile& a, const GameFile& b) { return a.path < b.path; });
  for (size_t i = 0; i < files.size(); i++)
    if (IsText(files[i].path)) text_files.push_back(i);
  if (text_files.empty()) std::abort();
}

void RemoveScratch() { fs::remove_all(base); }

void SetUpOnce() {
  // The folder is rebuilt every run: in memory when /dev/shm allows.
  char shm[] = "/dev/shm/tolv_fuzz_game_XXXXXX", tmp[] = "/tmp/tolv_fuzz_game_XXXXXX";
  const char* folder = mkdtemp(shm) ? shm : mkdtemp(tmp);
  if (!folder || !getcwd(process_folder, sizeof process_folder)) std::abort();
  base = folder;
  std::atexit(RemoveScratch);
  TakeFiles(TOLV_GAMES);
  StartHeadlessEngine();
  script_error_hook = ThrowFatal;
  lane_budget = 20000;  // a script that never yields ends the frame
}

void Rebuild(size_t replaced, const uint8_t* data, size_t size) {
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(base)) fs::remove_all(e.path(), ec);
  for (size_t i = 0; i < files.size(); i++) {
    const fs::path p = fs::path(base) / files[i].path;
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    if (i == replaced) out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    else out << files[i].bytes;
  }
}

// The game's start as tolv's main does it: the descriptor, whatever it
// said, then the load, the level start and a few frames.
void RunGame() {
  try {
    OpenGame("default.gdf");
    std::srand(7);  // OpenGame seeds it from the clock
    StartHeadlessGame(HeadlessGame{LoadGame, StartLevel}, 1);
    RunHeadlessFrames(3);
  } catch (const Fatal&) {
  }
}

// One function of its own per replaceable file: a run that changes nothing
// still tells the files apart, so every seed stays in the corpus as a base
// for mutations deep inside its file.
volatile size_t touched;
template <size_t K>
void Touch() {
  touched = K;
}
template <size_t... K>
void TouchFile(size_t i, std::index_sequence<K...>) {
  static void (*const touch[])() = {Touch<K>...};
  touch[i % sizeof...(K)]();
}

// What a run leaves open: script file handles, game files, the archive.
void CloseGame() {
  CloseScriptFiles();
  CloseGameFiles();
  CloseArchive();
  try {
    UnloadGame();
  } catch (const Fatal&) {
  }
  game_unpacked = 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = (SetUpOnce(), true);
  (void)ready;
  if (size < 1 || size > 16384) return 0;
  const size_t file = data[0] % text_files.size();
  TouchFile(file, std::make_index_sequence<64>());
  Rebuild(text_files[file], data + 1, size - 1);
  base_folder = base;
  game_folder.clear();
  if (ChangeWorkingFolder(base.c_str()) != 1) std::abort();
  RunGame();
  CloseGame();
  if (chdir(process_folder) != 0) std::abort();
  return 0;
}

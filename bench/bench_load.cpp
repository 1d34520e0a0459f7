// Game load time: the sample game, and a generated game holding about 1 MB
// of scripts (game, zone, act and object functions, with a character and
// object types), each opened, loaded and started from its descriptor.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/game_files.h"
#include "files/working_folder.h"
#include "game/engine_init.h"
#include "game/game_loading.h"
#include "game/level_loading.h"

using namespace tolv;
namespace fs = std::filesystem;

static void Write(const fs::path& p, const std::string& text) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << text;
}

// prefix, n, suffix (appended: gcc 12 warns falsely about literal + string).
static std::string Name(const char* prefix, int n, const char* suffix = "") {
  std::string t = prefix;
  return t.append(std::to_string(n)).append(suffix);
}

static std::string Function(int n) {
  std::string r = std::to_string(n % 50);
  std::string f = ".Alias Tmp\n@top\n";
  f += Name("~Eval R", n % 50, " = R1 + ") + Name("", n, "\n");
  f += "~If R" + r + " < 10\n#44 :R0 :R" + r + "\n~Else\n~Eval R2 = R3 * -7\n~EndIf\n";
  f += "~Do\n~Eval r_Tmp ++\n~While r_Tmp < $100\n";
  f += "#350 :R" + r + "\n#353 :1\n~Eval R5 <<= 2\n#354\n#353 :2\n#471\n#355\n";
  f += "#45 :R" + r + " :%1011 ; a comment\n#847 :@top\n#End\n";
  return f;
}

// A function file of n functions; returns its size.
static size_t FunctionFile(const fs::path& p, int n, int& serial) {
  std::string text = ":";
  text.append(std::to_string(n)).append("\n");
  for (int i = 0; i < n; i++) text += Function(serial++);
  Write(p, text);
  return text.size();
}

static std::string Lines(std::initializer_list<std::string> items) {
  std::string t;
  for (const std::string& i : items) t += ":" + i + "\n";
  return t;
}

// Writes base/gdf/large.gdf and base/large; returns the script bytes.
static size_t MakeLargeGame(const fs::path& base) {
  fs::path g = base / "large";
  Write(base / "gdf" / "large.gdf", Lines({"Large", "../large", "1", "NONE", "/", "1"}));
  int serial = 0;
  size_t bytes = 0;
  const int files = 16, per_file = 200;
  // Function 0, the act's start function, returns at once.
  Write(g / "funcs" / "start.def", ":1\n#End\n");
  std::string list = Lines({std::to_string(files * per_file + 1), std::to_string(files + 1), "funcs/start.def"});
  for (int i = 0; i < files; i++) {
    std::string name = Name("funcs/f", i, ".def");
    bytes += FunctionFile(g / name, per_file, serial);
    list.append(":").append(name).append("\n");
  }
  bytes += FunctionFile(g / "scripts.def", 100, serial);
  bytes += FunctionFile(g / "objects" / "move.def", 200, serial);
  std::string types = ":2\n";
  for (int t = 0; t < 2; t++)
    types += Lines({"0", "1", "0", "S", "1", Name("g", t), "0", "65535", "0", "65535", "0", "65535",
                    "0", "65535", "0", "65535", "0", "0", "0", "0", "0", "1", "2", "3", "4"});
  std::string objs = ":objects.spr\n:200\n:1\n:move.def\n";
  for (int k = 0; k < 12; k++) objs += ":0\n";
  Write(g / "objects" / "objects.def", objs + types);
  Write(g / "game.def", Lines({"1", "0", "255", "255", "64", "NONE", "1", "Large", "NONE", "NONE", "0", "0",
                               "scripts.def", "0", "objects/objects.def", "0"}) + list);
  bytes += FunctionFile(g / "zone01" / "zone.fn", 300, serial);
  bytes += FunctionFile(g / "zone01" / "act.fn", 300, serial);
  Write(g / "zone01" / "zone.def",
        Lines({"NONE", "0", "NONE", "NONE", "NONE", "0", "300", "1", "zone.fn", "1", "g0", "NONE", "NONE", "NONE",
               "NONE", "0", "300", "1", "act.fn", "0", "0"}));
  return bytes;
}

static double LoadMs(const char* descriptor) {
  double best = 1e30;
  for (int round = 0; round < 5; round++) {
    auto start = std::chrono::steady_clock::now();
    OpenGame(descriptor);
    LoadGame();
    StartLevel();
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (ms < best) best = ms;
    UnloadGame();
    CloseArchive();
  }
  return best;
}

int main() {
  InitEngine();
  base_folder = TOLV_GAMES_DIR;
  std::printf("load: %.1f ms (sample game)\n", LoadMs("default.gdf"));
  char folder[] = "/tmp/tolv_bench_load_XXXXXX";
  if (!mkdtemp(folder)) return 1;
  size_t bytes = MakeLargeGame(folder);
  base_folder = folder;
  std::printf("load: %.1f ms (generated game, %.2f MB of scripts)\n", LoadMs("large.gdf"), double(bytes) / 1e6);
  ChangeWorkingFolder("/");
  fs::remove_all(folder);
  return 0;
}

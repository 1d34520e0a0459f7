#include "game/launch_options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "script/registers.h"
#include "world/level_file.h"
#include "world/tile_file.h"

namespace tolv {

WarpRequest warp_request;
std::vector<RegisterAssignment> register_assignments;
uint8_t open_level_editor = 0;
std::string game_descriptor = "default.gdf";
std::string tile_file_option;
std::string level_file_option;

static bool Number(const char* arg, int32_t* out) {
  if (!arg || !*arg) return false;
  char* end = nullptr;
  long v = std::strtol(arg, &end, 10);
  if (*end || v < INT32_MIN || v > INT32_MAX) return false;
  *out = int32_t(v);
  return true;
}

static const char* Next(int argc, char** argv, int& i) { return i + 1 < argc ? argv[++i] : nullptr; }

// What the argument that went wrong should have been, for the report.
static std::string expected;
static const char* got = nullptr;

static bool Expected(std::string what, const char* arg) {
  expected = std::move(what);
  got = arg;
  return false;
}

static bool TakeWord(int argc, char** argv, int& i, std::string& into, const char* what) {
  const char* arg = Next(argc, argv, i);
  if (!arg) return Expected(what, nullptr);
  into = arg;
  return true;
}

// Zone, act and characters as game.def's start bytes hold them; the last
// value is the screen mode.
static bool ReadWarp(int argc, char** argv, int& i) {
  WarpRequest& w = warp_request;
  struct Field {
    int32_t* value;
    int32_t max;
    const char* what;
  } fields[] = {{&w.zone, 255, "a zone 0-255"},
                {&w.act, 255, "an act 0-255"},
                {&w.character1, 255, "a character 0-255 for player 1"},
                {&w.character2, 255, "a character 0-255 for player 2"},
                {&w.views, 5, "a screen mode 0-5"}};
  for (Field f : fields) {
    const char* arg = Next(argc, argv, i);
    if (!Number(arg, f.value) || *f.value < 0 || *f.value > f.max) return Expected(f.what, arg);
  }
  w.active = 1;
  return true;
}

static bool ReadRegs(int argc, char** argv, int& i) {
  int32_t n = 0;
  const char* count = Next(argc, argv, i);
  if (!Number(count, &n) || n < 0 || n > 4096) return Expected("a register count 0-4096", count);
  for (int32_t k = 0; k < n; k++) {
    const char* idx = Next(argc, argv, i);
    bool user = idx && (idx[0] == 'U' || idx[0] == 'u');
    int32_t index = 0, value = 0;
    const int64_t cells = int64_t{kMaxUserRegisters} + (user ? 0 : kReservedRegisters);
    if (!Number(user ? idx + 1 : idx, &index) || index < 0 || index >= cells)
      return Expected("a register 0-" + std::to_string(kReservedRegisters + kMaxUserRegisters - 1) + " or U0-U" +
                          std::to_string(kMaxUserRegisters - 1),
                      idx);
    const char* v = Next(argc, argv, i);
    if (!Number(v, &value)) return Expected(std::string("a 32-bit value for register ") + idx, v);
    register_assignments.push_back({uint32_t(index) | (user ? 0x80000000u : 0), value});
  }
  return true;
}

// Options of the palette, level and editor tools, which this build lacks.
static bool IsToolOption(const char* a) {
  static const char* const tools[] = {"-paldump", "-palshift", "-levrip", "-multi", "-pal", "-0-63",
                                      "-64-127", "-128-191", "-192-255", "-4bit", "-editfiles"};
  for (const char* t : tools)
    if (!std::strcmp(a, t)) return true;
  return false;
}

// A path given on the command line is taken from the game root.
static std::string FromGameRoot(const std::string& path) {
  return path[0] == '/' || path[0] == '\\' ? path : "/" + path;
}

void LoadCommandLineFiles() {
  if (!tile_file_option.empty()) LoadTileFile(FromGameRoot(tile_file_option).c_str());
  if (!level_file_option.empty()) LoadLevelFile(FromGameRoot(level_file_option).c_str());
}

void ReportUninterpretable(const char* option, const std::string& what, const char* arg) {
  std::fputs("Command-line has uninterpretable errors\n", stderr);
  std::fprintf(stderr, "tolv: %s%sexpected %s, got %s%s%s\n", option ? option : "", option ? ": " : "", what.c_str(),
               arg ? "\"" : "", arg ? arg : "nothing", arg ? "\"" : "");
}

bool ReadLaunchOptions(int argc, char** argv) {
  for (int i = 1; i < argc; i++) {
    const char* a = argv[i];
    bool ok = true;
    if (!std::strcmp(a, "-game")) {
      ok = TakeWord(argc, argv, i, game_descriptor, "a game descriptor of gdf/");
    } else if (!std::strcmp(a, "-warp")) {
      ok = ReadWarp(argc, argv, i);
    } else if (!std::strcmp(a, "-regs")) {
      ok = ReadRegs(argc, argv, i);
    } else if (!std::strcmp(a, "-tilefile") || !std::strcmp(a, "-levelfile")) {
      ok = TakeWord(argc, argv, i, a[1] == 't' ? tile_file_option : level_file_option, "a path from the game root");
    } else if (!std::strcmp(a, "-editor")) {
      open_level_editor = 1;
    } else if (!std::strcmp(a, "-pack")) {
      i++;  // served before the engine starts (RunCommandLineTools)
    } else if (IsToolOption(a)) {
      std::fprintf(stderr, "%s: the tools and editors are not part of this build\n", a);
      return false;
    } else {
      ReportUninterpretable(nullptr, "an option (-game, -warp, -regs, -tilefile, -levelfile, -editor or -pack)", a);
      return false;
    }
    if (!ok) {
      ReportUninterpretable(a, expected, got);
      return false;
    }
  }
  return true;
}

}  // namespace tolv

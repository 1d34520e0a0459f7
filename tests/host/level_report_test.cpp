// `tolv -levelfile PATH` run headless on a base folder built here: a game
// whose act start loads its own level file, then the option's file. The
// report names the file the level came from, and none for the default,
// and the size its planes were given.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "../files/game_test_util.h"
#include "../world/level_bytes.h"

namespace tolv::test {
namespace {

namespace fs = std::filesystem;

// The descriptor, game.def (one script string, the level's name; no
// players), one game function that loads it, and zone 1 with one act
// started by that function.
fs::path BuildBase() {
  const fs::path base = fs::path(TOLV_TEST_WORK) / "level_report";
  fs::remove_all(base);
  fs::create_directories(base / "default");
  WriteFile(base / "gdf" / "default.gdf", ":Level Report\n:../lr\n:1\n:NONE\n:/\n:140000\n");
  WriteFile(base / "lr" / "game.def",
            ":1\n:0\n:255\n:255\n:0\n:NONE\n:1\n:a.lev\n:NONE\n:NONE\n:0\n:0\n:NONE\n:0\n:NONE\n:0\n");
  WriteFile(base / "lr" / "game" / "funcs.def", ":1\n:Start\n:game/start.def\n");
  WriteFile(base / "lr" / "game" / "start.def", "#33 :0\n#End\n");
  WriteFile(base / "lr" / "zone01" / "zone.def",
      ":NONE\n:0\n:NONE\n:NONE\n:NONE\n:0\n:0\n:0\n:1\n:g0\n:NONE\n:NONE\n:NONE\n:NONE\n:0\n:0\n:0\n:0\n:0\n");
  Bytes level = Bytes().Head(3, 1).Plane(kPlaneFlat, 100, 60).U16(0).Run(6000, 1).U16(0);
  WriteFile(base / "lr" / "a.lev", std::string(level.b.begin(), level.b.end()));
  Bytes small = Bytes().Head(3, 1).Plane(kPlaneFlat, 40, 30).U16(0).Run(1200, 1).U16(0);
  WriteFile(base / "lr" / "small.lev", std::string(small.b.begin(), small.b.end()));
  WriteFile(base / "lr" / "bad.lev", "SLEV\x07");
  return base;
}

// Standard output and error of a headless run without audio.
std::string RunTolv(const fs::path& base, const std::string& args) {
  const std::string command = "cd '" + base.string() + "' && env -u DISPLAY SDL_AUDIODRIVER=none '" TOLV_BINARY "' " +
                              args + " 2>&1";
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, p)) > 0;) out.append(chunk, n);
    EXPECT_EQ(pclose(p), 0) << out;
  }
  return out;
}

TEST(LevelReport, NamesTheFileTheLevelCameFrom) {
  const fs::path base = BuildBase();
  struct Case {
    const char* args;
    const char* level;  // the report's level line
    const char* notice;
  };
  for (Case c : {Case{"", "level: 1 planes, 100 x 60 tiles, from a.lev", ""},
                 Case{"-levelfile small.lev", "level: 1 planes, 80 x 60 tiles, from /small.lev", ""},  // enlarged
                 Case{"-levelfile nosuch.lev", "level: 3 planes, 80 x 60 tiles (default)", "Can't open /nosuch.lev"},
                 Case{"-levelfile bad.lev", "level: 3 planes, 80 x 60 tiles (default)",
                      "Level version 7 unknown: default level"}}) {
    SCOPED_TRACE(c.args);
    const std::string out = RunTolv(base, c.args);
    EXPECT_NE(out.find(std::string("  ") + c.level + "\n"), std::string::npos) << out;
    EXPECT_NE(out.find(c.notice), std::string::npos) << out;
  }
  fs::remove_all(base);
}

}  // namespace
}  // namespace tolv::test

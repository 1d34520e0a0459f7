// Test world for screen layouts: layout, font-list and font files written
// to a scratch game folder, a stand-in image reader and the stat object
// routines installed.
#pragma once
#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "compiler/compile_scopes.h"
#include "compiler/compile_state.h"
#include "compiler/compiler_state.h"
#include "files/files_state.h"
#include "files/game_files.h"
#include "files/script_error.h"
#include "files/working_folder.h"
#include "render/font.h"
#include "render/image.h"
#include "render/render_state.h"
#include "stat/command_lists.h"
#include "stat/stat_obj.h"
#include "stat/stat_state.h"
#include "../objects/object_world.h"

namespace tolv::test {

struct LayoutFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Sections of a layout file, each written as whitespace-separated tokens
// (one ':' line each); `functions` is raw function text after its count.
struct Layout {
  std::string counters = "4", selection = "255", nodes = "0", strings = "0", sprites = "0", sets = "0",
              elements = "0", functions = "0";
  std::string Text() const {
    std::string out;
    for (const std::string* s : {&counters, &selection, &nodes, &strings, &sprites, &sets, &elements}) {
      std::istringstream in(*s);
      for (std::string t; in >> t;) {
        out += ':';
        if (t != "<empty>") out += t;
        out += '\n';
      }
    }
    std::istringstream in(functions);
    std::string count;
    in >> count;
    std::string rest;
    std::getline(in, rest, '\0');
    out += ':';
    out += count;
    out += '\n';
    out += rest;
    return out;
  }
};

class StatObjWorld : public ObjectWorld {
 protected:
  char folder[64] = "/tmp/tolv_statobj_XXXXXX";
  char saved_cwd[4096] = {};
  static inline std::vector<std::string> image_loads;
  static inline std::vector<uint8_t> image_pixels;

  void SetUp() override {
    ObjectWorld::SetUp();
    RegisterStatObjCommands();
    InstallStatObjRoutines();
    ASSERT_TRUE(getcwd(saved_cwd, sizeof saved_cwd));
    ASSERT_TRUE(mkdtemp(folder));
    base_folder = game_folder = folder;
    ASSERT_EQ(ChangeWorkingFolder(folder), 1);
    game_unpacked = 1;
    script_error_hook = [](const char* message, const char*) { throw LayoutFailure(message); };
    key_map_entry_count = 10;
    character_register_count = 20;
    compile_scopes = CompileScopes();
    image_loads.clear();
    load_image_file = FakeImage;
    registers[kRegLevelStarted] = 1;
    for (int r = 60; r < 200; r++) registers[r] = 0;
  }
  void TearDown() override {
    UnloadStatObjs(kScopeGame);
    ObjectWorld::TearDown();
    UnloadRender(kScopeGame);
    sprite_image = Image{};
    script_error_hook = nullptr;
    ResetCompiler();
    CloseGameFiles();
    EXPECT_EQ(ChangeWorkingFolder(saved_cwd), 1);
    EXPECT_EQ(std::system((std::string("rm -rf ") + folder).c_str()), 0);
  }

  // A 128 x 128 image whose pixel at (x, y) is (x + y) & 255, or 1 for a
  // name beginning with "one".
  static int FakeImage(const char* name, Image* image, int) {
    if (std::string(name) == "missing.pcx") return 0;
    image_loads.push_back(name);
    image_pixels.assign(128 * 128, 1);
    for (int y = 0; y < 128; y++)
      for (int x = 0; x < 128; x++) image_pixels[y * 128 + x] = static_cast<uint8_t>(x + y);
    *image = Image{128, 128, image_pixels.data()};
    return 1;
  }

  static void Write(const std::string& name, const std::string& text) {
    FILE* f = std::fopen(name.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fputs(text.c_str(), f);
    std::fclose(f);
  }
  // Writes and loads a layout; returns its definition index.
  int Load(const Layout& l, int scope = 0) {
    static int n = 0;
    std::string name = "layout" + std::to_string(n++) + ".def";
    Write(name, l.Text());
    LoadStatObjDef(name.c_str(), scope);
    return stat_obj_def_counts.total - 1;
  }
  std::string LoadFailure(const Layout& l) {
    try {
      Load(l);
    } catch (const LayoutFailure& e) {
      return e.what();
    }
    return "";
  }
  // A font of `kind` with 8 x 16 cells, loaded through a font list.
  void AddFont(int kind) {
    Write("font.def", ":" + std::to_string(kind) + "\n:glyphs.pcx\n:8\n:16\n:8\n");
    Write("fonts.def", ":1\n:font.def\n");
    LoadFontList("fonts.def", 0);
  }

  // Spawns a layout object (HUD of `player`, or the pause menu when player < 0).
  ObjectSlot* SpawnLayout(int def, int player = 0) {
    bool ok = player < 0 ? Spawn(kTypePauseMenu, 0, 0, 0, {def}) : Spawn(kTypeHud, 0, 0, 0, {def, player});
    return ok ? last_spawned_slot : nullptr;
  }
  static StatObj* Instance(ObjectSlot* o) { return FindStatObj(o->stat_instance); }
  static void Run(ObjectSlot* o) {
    running_slot = o;
    RunStatObj();
  }
};

}  // namespace tolv::test

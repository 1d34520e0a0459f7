// Game folders copied from tests/data into a scratch base folder, the
// engine started, and fatal errors turned into exceptions.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/message_log.h"
#include "files/files_state.h"
#include "game/engine_init.h"
#include "game/game_loading.h"
#include "game/level_loading.h"
#include "script/operands.h"
#include "script/registers.h"
#include "../files/game_test_util.h"
#include "../base/message_lines.h"

namespace tolv::test {

namespace fs = std::filesystem;

// game.def of the full fixture with row k (counted from 0 over its tokens)
// replaced.
inline std::string FullGameDef(int k, const std::string& value) {
  std::vector<std::string> rows = {"1", "0", "0", "0", "16", "fonts/fonts.def", "3", "Hello", "", "Two words",
                                   "music/music.def", "sound/sounds.def", "5", "3", "scripts/player.def",
                                   "1", "chars/hero.def", "objects/objects.def", "1\n:layouts/hud.def", "4", "2",
                                   "funcs/a.def", "funcs/b.def"};
  rows[size_t(k)] = value;
  std::string text;
  for (const std::string& r : rows) text += ":" + r + "\n";
  return text;
}

class LoadingTest : public TempBaseTest {
 protected:
  void SetUp() override {
    TempBaseTest::SetUp();
    fs::copy(TOLV_TEST_DATA, root_, fs::copy_options::recursive);
    ASSERT_EQ(ChangeWorkingFolder(base_folder.c_str()), 1);
    InitEngine();
    ClearMessages();
  }
  void TearDown() override {
    CloseGameFiles();
    try {
      UnloadGame();
    } catch (const ScriptErrorThrown&) {
    }
    TempBaseTest::TearDown();
  }

  void Load(const char* descriptor) {
    ASSERT_EQ(OpenGame(descriptor), 1);
    LoadGame();
  }
  // Loads the game and starts its first level.
  void Start(const char* descriptor) {
    Load(descriptor);
    StartLevel();
  }
  fs::path Game(const char* name = "full") const { return root_ / name; }
  void Write(const fs::path& p, const std::string& text) const { WriteFile(p, text); }
  static int32_t User(uint32_t n) { return Reg(256 + n); }
};

}  // namespace tolv::test

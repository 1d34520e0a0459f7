#include "host/launcher.h"

#include <sys/stat.h>

#include "base/key_state.h"
#include "base/message_log.h"
#include "files/folder_listing.h"
#include "game/game_loading.h"
#include "render/frame.h"
#include "script/operands.h"
#include "script/registers.h"
#include "../game/sample_game_fixture.h"
#include "loopback_server.h"
#include "../base/message_lines.h"

namespace tolv::test {
namespace {

namespace fs = std::filesystem;

// The games folder copied whole (engine folder, default.gdf, the sample),
// with the pack fixture "beta" beside it.
class LauncherTest : public SampleGameTest {
 protected:
  void SetUp() override {
    SampleGameTest::SetUp();
    fs::copy(fs::path(TOLV_GAME_FIXTURES) / "beta", root_ / "beta", fs::copy_options::recursive);
    Descriptor("beta.gdf", "Beta", "../beta");
    ClearMessages();
    started.clear();
  }
  void TearDown() override {
    launcher_start_game = saved_slot_;
    active_screen = 0;
    SampleGameTest::TearDown();
  }
  void Descriptor(const std::string& file, const std::string& title, const std::string& folder,
                  const std::string& version = "1", const std::string& host = "NONE",
                  const std::string& path = "/", const std::string& needs = "140616") {
    WriteFile(root_ / "gdf" / file,
              ":" + title + "\n:" + folder + "\n:" + version + "\n:" + host + "\n:" + path + "\n:" + needs + "\n");
  }
  // One launcher frame with key k going down.
  static void Press(uint8_t k) {
    key_state[k] = key_state[256 + k] = 1;
    LauncherFrame();
    key_state[k] = key_state[256 + k] = 0;
  }
  static void RecordStart(const char* descriptor) { started.push_back(descriptor); }

  static inline std::vector<std::string> started;
  void (*saved_slot_)(const char*) = launcher_start_game;
};

TEST_F(LauncherTest, ListsTheDescriptorsOfGdf) {
  Descriptor("a.gdf", std::string(50, 'n'), "../a");
  WriteFile(root_ / "gdf" / "empty.gdf", "");
  WriteFile(root_ / "gdf" / "odd.gdf", "; the title\r\nname: Odd one ; a comment\r\n");
  WriteFile(root_ / "gdf" / "bad.gdf", "#not a parameter\n:Bad\n");
  fs::create_directories(root_ / "gdf" / "folder.gdf");
  WriteFile(root_ / "gdf" / "notes.txt", ":not a game\n");
  ListGames();
  std::vector<std::string> got;
  for (const LauncherGame& g : launcher_games) got.push_back(g.descriptor + "=" + g.title);
  EXPECT_EQ(got, (std::vector<std::string>{"a.gdf=" + std::string(40, 'n'), "bad.gdf=bad.gdf", "beta.gdf=Beta",
                                           "default.gdf=Ball Yard: the TOLV sample game", "empty.gdf=empty.gdf",
                                           "odd.gdf=Odd one"}));
}

// Opening a descriptor ends the process on what the tokenizer cannot read,
// so the launcher looks first.
TEST_F(LauncherTest, OpensOnlyDescriptorsThatReadWhole) {
  const std::string six = ":T\n:../beta\n:1\n:NONE\n:/\n:140616\n";
  struct Case {
    std::string text;
    bool usable;
  } cases[] = {
      {six, true},
      {"; comment\n" + six + "#after the six\n", true},
      {":T\n:../beta\n:1\n:NONE\n:/\n", false},  // ends early
      {":T\n#x\n" + six, false},                    // another line type
      {":T\nx.y\n" + six, false},                   // a '.' reads as a directive
      {":" + std::string(300, 't') + "\n" + six, false},
      {"", false},
  };
  for (const Case& c : cases) {
    WriteFile(root_ / "gdf" / "d.gdf", c.text);
    EXPECT_EQ(LauncherDescriptorUsable("d.gdf"), c.usable) << c.text;
  }
  EXPECT_EQ(launcher_status, "Game descriptor damaged: d.gdf");
  WriteFile(root_ / "gdf" / "d.gdf", six);
  fs::resize_file(root_ / "gdf" / "d.gdf", kMaxTextFileBytes + 1);  // sparse: past the text bound
  EXPECT_FALSE(LauncherDescriptorUsable("d.gdf"));
  EXPECT_EQ(launcher_status, "Game descriptor damaged: d.gdf");
  EXPECT_FALSE(LauncherDescriptorUsable("none.gdf"));
  EXPECT_EQ(launcher_status, "Game descriptor not found: none.gdf");
  EXPECT_FALSE(LauncherPackGame("d.gdf"));
  EXPECT_FALSE(LauncherDeleteGame("d.gdf"));
  EXPECT_TRUE(fs::exists(root_ / "beta" / "game.def"));

  launcher_start_game = RecordStart;
  EnterLauncher();
  Press(80);  // d.gdf, after beta.gdf
  Press(28);
  EXPECT_TRUE(started.empty());
  EXPECT_EQ(launcher_status, "Game descriptor damaged: d.gdf");
}

TEST_F(LauncherTest, PacksTheGameFolder) {
  EXPECT_TRUE(LauncherPackGame("beta.gdf"));
  EXPECT_TRUE(fs::is_regular_file(root_ / "beta" / "game.tvp"));
  EXPECT_EQ(LastMessage(), std::string("Game files packed to game.tvp"));
  EXPECT_EQ(launcher_status, "Game files packed to game.tvp");
  EXPECT_EQ(WorkingFolder(), base_folder);
  EXPECT_EQ(game_unpacked, 1);

  // A game kept as its archive alone is not packed over.
  fs::remove(root_ / "beta" / "game.def");
  const auto size = fs::file_size(root_ / "beta" / "game.tvp");
  EXPECT_FALSE(LauncherPackGame("beta.gdf"));
  EXPECT_EQ(launcher_status, "Packing refused: beta has no game.def");
  EXPECT_EQ(fs::file_size(root_ / "beta" / "game.tvp"), size);
}

TEST_F(LauncherTest, DeletesOnlyGameFoldersOfTheBaseFolder) {
  const fs::path outside = root_.string() + "_outside";
  fs::create_directories(outside / "keep");
  WriteFile(outside / "keep" / "game.def", ":1\n");
  fs::create_directory_symlink(outside / "keep", root_ / "linked");
  WriteFile(root_ / "notes" / "todo.txt", "x");
  struct Case {
    std::string folder;
    fs::path survives;
  } refused[] = {
      {"../../" + root_.filename().string() + "_outside/keep", outside / "keep" / "game.def"},
      {"../linked", outside / "keep" / "game.def"},
      {"../default", root_ / "default" / "font" / "editor.def"},
      {"../gdf", root_ / "gdf" / "beta.gdf"},
      {"..", root_ / "sample" / "game.def"},
      {"../beta/scripts", root_ / "beta" / "scripts"},
      {"../missing", root_ / "gdf" / "beta.gdf"},
      {"../notes", root_ / "notes" / "todo.txt"},  // no game in it
  };
  for (const Case& c : refused) {
    Descriptor("x.gdf", "X", c.folder);
    EXPECT_FALSE(LauncherDeleteGame("x.gdf")) << c.folder;
    EXPECT_TRUE(fs::exists(c.survives)) << c.folder;
    EXPECT_EQ(WorkingFolder(), base_folder);
  }
  EXPECT_FALSE(LauncherDeleteGame("../gdf/beta.gdf"));
  EXPECT_EQ(launcher_status, "Game descriptor not found: ../gdf/beta.g");  // cut to a line

  EXPECT_TRUE(LauncherDeleteGame("beta.gdf"));
  EXPECT_FALSE(fs::exists(root_ / "beta"));
  EXPECT_EQ(launcher_status, "Game folder deleted: beta");
  EXPECT_TRUE(fs::exists(root_ / "sample" / "game.def"));
  fs::remove_all(outside);
}

TEST_F(LauncherTest, ChecksForAnUpdate) {
  struct Case {
    std::string version, answer, status;
  } cases[] = {
      {"3", "HTTP/1.0 200 OK\r\n\r\n:5\n", "Update available: version 5"},
      {"5", "HTTP/1.0 200 OK\r\n\r\n:5\n", "Game is up to date (version 5)"},
      {"5", "HTTP/1.0 200 OK\r\n\r\n; version\n  :6 ; newer\n", "Update available: version 6"},
      {"5", "HTTP/1.0 200 OK\r\n\r\n:five\n", "Update check: no version in the answer"},
      {"5", "HTTP/1.0 200 OK\r\n\r\n#5", "Update check: no version in the answer"},
      {"5", "HTTP/1.0 200 OK\r\n\r\n", "Update check: no version in the answer"},
      {"5", "HTTP/1.0 404 Not Found\r\n\r\n", "Update check failed: Server answered 404"},
  };
  for (const Case& c : cases) {
    LoopbackServer server(c.answer);
    Descriptor("u.gdf", "U", "../beta", c.version, "127.0.0.1:" + server.port(), "/tolv/version");
    LauncherCheckUpdate("u.gdf");
    EXPECT_EQ(launcher_status, c.status);
    EXPECT_NE(server.Finish().find("GET /tolv/version HTTP/1.0\r\n"), std::string::npos);
  }
  Descriptor("n.gdf", "N", "../beta");
  EXPECT_FALSE(LauncherCheckUpdate("n.gdf"));
  EXPECT_EQ(launcher_status, "This game has no update server");
}

TEST_F(LauncherTest, KeysChooseAndRunTheEntries) {
  launcher_start_game = RecordStart;
  EnterLauncher();
  EXPECT_EQ(active_screen, kLauncherScreen);
  EXPECT_EQ(launcher_menu_id, kLauncherGameList);
  ASSERT_EQ(launcher_games.size(), 2u);  // beta, default
  Press(72);  // up at the top stays
  EXPECT_EQ(launcher_cursor, 0u);
  Press(80);
  EXPECT_EQ(launcher_cursor, 1u);
  Press(80);  // down at the bottom stays
  EXPECT_EQ(launcher_cursor, 1u);
  Press(28);
  EXPECT_EQ(started, std::vector<std::string>{"default.gdf"});

  Press(72);
  Press(77);  // beta's menu
  EXPECT_EQ(launcher_menu_id, kLauncherGameMenu);
  Press(80), Press(80), Press(80);  // to "Delete game"
  Press(28);
  EXPECT_EQ(launcher_menu_id, kLauncherConfirmDelete);
  Press(49);  // N keeps it
  EXPECT_EQ(launcher_menu_id, kLauncherGameMenu);
  EXPECT_TRUE(fs::exists(root_ / "beta"));
  Press(28);
  Press(21);  // Y deletes
  EXPECT_FALSE(fs::exists(root_ / "beta"));
  EXPECT_EQ(launcher_menu_id, kLauncherGameList);
  ASSERT_EQ(launcher_games.size(), 2u);  // the descriptor stays
  EXPECT_EQ(launcher_cursor, 0u);
  Press(14);  // nothing to go back from in the list
  EXPECT_EQ(launcher_menu_id, kLauncherGameList);
}

TEST_F(LauncherTest, DrawsTheListWithTheChosenRowOnABar) {
  launcher_start_game = RecordStart;
  EnterLauncher();
  Press(80);
  const uint8_t* frame = FrameStart();
  auto count = [&](int32_t top, int32_t rows, uint8_t colour) {
    int n = 0;
    for (int32_t y = top; y < top + rows; y++)
      for (int32_t x = 0; x < frame_width; x++) n += frame[y * frame_width + x] == colour;
    return n;
  };
  EXPECT_GT(count(4, 8, 1), 100);   // the title's ink
  EXPECT_EQ(count(20, 8, 2), 0);    // beta's row, not chosen
  EXPECT_GT(count(20, 8, 1), 20);
  EXPECT_GT(count(30, 8, 2), 1000);  // default's row on the bar
  EXPECT_GT(count(30, 8, 1), 100);
}

TEST_F(LauncherTest, StartsAGameOnlyWhenItOpened) {
  Descriptor("new.gdf", "Too new", "../sample", "1", "NONE", "/", "999999");
  EnterLauncher();
  Press(80), Press(80);  // new.gdf
  Press(28);
  EXPECT_EQ(active_screen, kLauncherScreen);
  EXPECT_EQ(LastMessage(), std::string("Game requires at least TOLV v 999999"));
  Press(72);  // default.gdf
  Press(28);
  EXPECT_EQ(active_screen, 0);
  EXPECT_EQ(game_display_name, "Ball Yard: the TOLV sample game");
  EXPECT_EQ(registers[kRegLevelStarted], 1);
}

}  // namespace
}  // namespace tolv::test

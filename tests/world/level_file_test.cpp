#include "../files/game_test_util.h"
#include "level_test_util.h"
#include "script/commands.h"
#include "script/path_operand.h"
#include "script/string_slots.h"
#include "world/command_lists.h"

namespace tolv::test {
namespace {

class LevelFileTest : public GameDirTest {
 protected:
  void SetUp() override {
    GameDirTest::SetUp();
    StartLevelTest();
    RegisterWorldCommands();
    ResizeStringSlots(4);
    const char* names[] = {"lev/a.lev", "lev/b.lev", "../escape.lev", "nope.lev"};
    for (uint32_t i = 0; i < 4; i++) SetStringSlot(i, names[i]);
    level_ = Bytes().Head(3, 2).Plane(kPlaneFlat, 80, 60).U16(0).Run(4800, 3);
    level_.Plane(kPlaneVLined, 80, 60);
    for (int i = 0; i < 640; i++) level_.U16(i % 60 + 1).U8(i);
    level_.U16(80).U8(1).U16(1).U16(7).Run(4799, 8).U16(200);
  }
  void TearDown() override {
    FreeStringSlots();
    EndLevelTest();
    GameDirTest::TearDown();
  }
  static void Run(uint16_t id, uint32_t operand) {
    static uint32_t words[2];
    words[0] = id;
    words[1] = operand;
    current_instruction = words;
    script_commands[id]();
  }
  std::string Level() const { return std::string(level_.b.begin(), level_.b.end()); }

  Bytes level_;
};

TEST_F(LevelFileTest, CommandsLoadAndSaveThroughTheCurrentFile) {
  for (uint16_t id : {33, 1443}) {
    EXPECT_EQ(timed_commands[id], script_commands[id]);
    EXPECT_EQ(stat_obj_commands[id], script_commands[id]);
  }
  WriteFile(game() / "lev" / "a.lev", Level());
  Run(33, 0);
  EXPECT_EQ(level_file_path, "lev/a.lev");
  EXPECT_EQ(registers[kRegWaterLine], 200);
  planes[1].map[0] = 4;
  Run(1443, kCurrentFile);
  EXPECT_EQ(LastMessage(), "Saved lev/a.lev");
  planes[1].map[0] = 5;
  Run(33, kCurrentFile);  // reloads what was saved
  EXPECT_EQ(planes[1].map[0], 4);
  EXPECT_EQ(planes[1].line_factors[639], 127);
  planes[1].map[0] = 7;
  registers[200] = 1;
  Run(1443, kRegisterBit | 200);
  EXPECT_TRUE(ReadFileBytes(game() / "lev" / "b.lev") == Level());

  Run(1443, 2);
  EXPECT_EQ(LastMessage(), "Can't save ../escape.lev");
  EXPECT_FALSE(std::filesystem::exists(root_ / "escape.lev"));
  Run(33, 3);
  EXPECT_EQ(LastMessage(), "Can't open nope.lev");
  EXPECT_EQ(plane_count, 3);  // the default level
  EXPECT_EQ(level_file_path, "lev/a.lev");
  // A damaged file keeps the old level, and with it the current file.
  WriteFile(game() / "nope.lev", "SLEV\3");
  Run(33, 3);
  EXPECT_EQ(LastMessage(), "Level file damaged: old level kept");
  EXPECT_EQ(level_file_path, "lev/a.lev");
}

// The default level standing in for a file that failed to load is never
// saved over a level file: neither over the one that failed (whose path an
// unknown version records) nor over the last good one (which a missing
// file leaves current).
TEST_F(LevelFileTest, FallbackLevelIsNotSavedOverAFile) {
  WriteFile(game() / "lev" / "a.lev", Level());
  WriteFile(game() / "lev" / "b.lev", "SLEV\7");
  struct Case {
    uint32_t load;
    const char* path;  // level_file_path after the load
  };
  for (Case c : {Case{1, "lev/b.lev"}, Case{3, "lev/a.lev"}}) {
    SCOPED_TRACE(c.load);
    Run(33, 0);
    Run(33, c.load);
    EXPECT_EQ(plane_count, 3);  // the default level
    EXPECT_EQ(level_file_path, c.path);
    Run(1443, kCurrentFile);
    EXPECT_EQ(MessageLine(kMessageLines - 2), std::string("Can't save the default level over:"));
    EXPECT_EQ(LastMessage(), c.path);
    EXPECT_TRUE(ReadFileBytes(game() / "lev" / "a.lev") == Level());
    EXPECT_TRUE(ReadFileBytes(game() / "lev" / "b.lev") == "SLEV\7");
  }
  EXPECT_TRUE(SaveLevelFile("lev/new.lev"));  // no file there to lose
  Run(33, 0);
  Run(1443, kCurrentFile);  // a level read again saves again
  EXPECT_EQ(LastMessage(), "Saved lev/a.lev");
}

TEST_F(LevelFileTest, ReadsAMemberOfThePackedGame) {
  TreeDir root;
  root.dirs = {TreeDir{"lev", {}, {{"a.lev", Level()}}}};
  ASSERT_TRUE(PackTree((game() / "game.tvp").string(), root));
  ASSERT_EQ(OpenArchive((game() / "game.tvp").c_str()), 1) << archive_error;
  LoadLevelFile("/lev/a.lev");
  EXPECT_EQ(level_file_path, "/lev/a.lev");
  const LevelModel packed = Model();
  ByteReader r(level_.b.data(), level_.b.size());
  ASSERT_EQ(ReadLevelData(r, false), kLevelRead);
  EXPECT_EQ(Model(), packed);
  EXPECT_EQ(planes[0].map[4799], 3);
}

}  // namespace
}  // namespace tolv::test

#include "game/command_lists.h"
#include "game/script_file_commands.h"

#include <unistd.h>

#include <filesystem>
#include <string>

#include "base/message_log.h"
#include "script/lane_access.h"
#include "script/string_slots.h"
#include "../files/game_test_util.h"
#include "../script/space_fixture.h"

namespace tolv {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::WriteFile;

constexpr uint32_t R = kRegisterBit;

class ScriptFileTest : public SpaceFixture {
 protected:
  fs::path saved_cwd, root;

  void SetUp() override {
    SpaceFixture::SetUp();
    RegisterGameCommands();
    saved_cwd = fs::current_path();
    char tmpl[] = "/tmp/tolv_sfile_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root = tmpl;
    fs::create_directories(root / "game");
    game_folder = (root / "game").string();
    ASSERT_EQ(ChangeWorkingFolder(game_folder.c_str()), 1);
    FreeStringSlots();
    ClearMessages();
    current_context = nullptr;
    lane_scratch_pc = 0;
  }
  void TearDown() override {
    CloseScriptFiles();
    while (OpenGameFileCount()) CloseGameFile();
    CloseArchive();
    FreeStringSlots();
    ChangeWorkingFolder(saved_cwd.c_str());
    fs::remove_all(root);
    SpaceFixture::TearDown();
  }
  fs::path game() const { return root / "game"; }
  uint32_t Slot(const std::string& text) { return static_cast<uint32_t>(AppendStringSlot(text.c_str())); }
  void Open(const std::string& name, uint32_t mode) { Run({1445, Slot(name), mode}); }
  // 1449 and 1450 have a timed variant of their own, so they run directly.
  uint16_t Jump(uint32_t id, uint32_t handle, uint32_t value) {
    uint32_t w[4] = {id, handle, value, 77};
    lane_scratch_pc = 0;
    current_instruction = w;
    script_commands[id]();
    return lane_scratch_pc;
  }
  static std::string Last(int back = 0) { return MessageLine(kMessageLines - 1 - back); }
};

TEST_F(ScriptFileTest, ReadsBigEndianIntoEachPlace) {
  WriteFile(game() / "data.bin", std::string("\xFF\xFE\x01\x02\x03\x04\x80\x00\x00\x01\x7F\x10\x20", 13));
  Open("data.bin", 0);
  ASSERT_EQ(script_read_open, 1);
  Run({1452, 3, 1});  // 16-bit: no sign extension
  EXPECT_EQ(registers[3], 65534);
  Run({1453, 4, 1});
  EXPECT_EQ(registers[4], 0x01020304);
  Run({1456, 2, 1});  // 32-bit into PD
  EXPECT_EQ(pv[2][2], static_cast<int32_t>(0x80000001u));
  Run({1457, 5, 1});  // 8-bit into OD
  EXPECT_EQ(ov[2][5], 0x7F);
  registers[9] = 6;  // first index from a register
  Run({1454, R | 9, 2});
  EXPECT_EQ(pv[2][6], 0x10);
  EXPECT_EQ(pv[2][7], 0x20);
  Run({1447, 0, 20});
  EXPECT_EQ(registers[20], 13);
  EXPECT_EQ(Jump(1450, 0, 1), 77);  // a loose file's end shows after a failed read
  Run({1451, 21, 1});
  EXPECT_EQ(registers[21], 0);
  EXPECT_EQ(Jump(1450, 0, 0), 77);
  Run({1446, 0});
  EXPECT_EQ(script_read_open, 0);
  EXPECT_EQ(OpenGameFileCount(), 0);
}

TEST_F(ScriptFileTest, WritesBigEndianFromEachPlace) {
  Open("out.bin", 1);
  ASSERT_EQ(script_write_state, 1);
  registers[1] = -1, registers[2] = 0x12345678;
  Run({1462, 1, 1});  // -1 as four 0xFF
  Run({1461, 2, 1});  // low 16 bits
  Run({1460, 2, 1});  // low byte
  pv[0][3] = 0x0A0B0C0D;
  Run({1465, 3, 1});
  ov[0][4] = 0x1234;
  Run({1467, 4, 1});
  AppendStringSlot("R!r2!");
  Run({1470, string_slot_count - 1u});
  Run({1446, 1});
  EXPECT_EQ(script_write_state, 0);
  EXPECT_EQ(ReadFileBytes(game() / "out.bin"),
            std::string("\xFF\xFF\xFF\xFF\x56\x78\x78\x0A\x0B\x0C\x0D\x12\x34R305419896", 23));
}

TEST_F(ScriptFileTest, OpenModes) {
  Open("new.bin", 2);  // rewrite of a missing file creates it: state 1
  EXPECT_EQ(script_write_state, 1);
  registers[0] = 0x41424344;
  Run({1462, 0, 1});
  Run({1446, 1});
  Open("new.bin", 2);  // existing: kept, positioned at 0, state 2
  EXPECT_EQ(script_write_state, 2);
  Run({1460, 0, 1});
  Run({1448, 1, 0, 2});
  Run({1447, 1, 30});
  EXPECT_EQ(registers[30], 4);
  EXPECT_EQ(Jump(1449, 1, 1), 77);  // state 2 differs from 1
  EXPECT_EQ(Jump(1449, 1, 2), 0);
  Open("new.bin", 1);  // hard write over an open handle: three lines, truncated
  EXPECT_EQ(Last(2), "Attempted to open file for hard write bu");
  EXPECT_EQ(Last(1), "a write file was already open");
  EXPECT_EQ(Last(), "Closing original file...");
  EXPECT_EQ(script_write_state, 1);
  Run({1446, 1});
  EXPECT_EQ(ReadFileBytes(game() / "new.bin"), "");

  WriteFile(game() / "a.txt", "A");
  WriteFile(game() / "b.txt", "B");
  Open("a.txt", 0);
  Open("b.txt", 0);  // replaces the read file
  EXPECT_EQ(Last(2), "Attempted to open file for read but");
  Run({1451, 0, 1});
  EXPECT_EQ(registers[0], 'B');
  Open("missing.txt", 0);  // silently stays closed
  EXPECT_EQ(script_read_open, 0);
  EXPECT_EQ(OpenGameFileCount(), 0);
  Open("x", 7);  // unknown mode: nothing
  EXPECT_EQ(script_write_state, 0);
}

TEST_F(ScriptFileTest, MisuseOfClosedHandles) {
  registers[5] = 99;
  Run({1447, 0, 5});
  EXPECT_EQ(Last(1), "Attempted to get read file handle pos");
  EXPECT_EQ(Last(), "but it wasn't actually open...");
  EXPECT_EQ(registers[5], 0);
  Run({1446, 1});
  EXPECT_EQ(Last(1), "Attempted to close write file handle");
  Run({1448, 0, 4, 0});
  EXPECT_EQ(Last(1), "Attempted to seek read file handle");
  // Transfers with no file open: a message, and nothing moves.
  WriteFile(game() / "loader.def", "xyz");
  ASSERT_EQ(OpenGameFile("loader.def"), 1);  // a loader's file is not the script's
  std::vector<int32_t> before = State();
  Run({1451, 0, 3});
  EXPECT_EQ(Last(1), "Attempted to read from read file handle");
  Run({1469, Slot("keep"), 0});
  Run({1462, 0, 3});
  EXPECT_EQ(Last(1), "Attempted to write to write file handle");
  Run({1470, Slot("text")});
  EXPECT_EQ(State(), before);
  EXPECT_STREQ(string_slots[0].text, "keep");
  EXPECT_EQ(ReadGameFileByte(), 'x');
  EXPECT_EQ(Jump(1450, 0, 1), 0);  // closed: never "data remains"
  EXPECT_EQ(Jump(1450, 1, 0), 77);
  CloseGameFile();
}

TEST_F(ScriptFileTest, WritesStayInsideTheGameFolder) {
  for (const char* name : {"/tmp/evil", "../evil", "sub/../../evil", "..\\evil", "C:evil", "", "sub/.."}) {
    ClearMessages();
    Open(name, 1);
    EXPECT_EQ(script_write_state, 0) << name;
    EXPECT_EQ(Last(1), "Attempted to open write file outside") << name;
  }
  EXPECT_FALSE(fs::exists(root / "evil"));
  // Links do not lead out either: not as the file, not as a folder on the way.
  WriteFile(root / "outside.txt", "user data");
  fs::create_symlink(root / "outside.txt", game() / "link.bin");
  fs::create_directory_symlink(root, game() / "up");
  for (const char* name : {"link.bin", "up/outside.txt", "up/new.txt"})
    for (uint32_t mode : {1u, 2u}) {
      Open(name, mode);
      EXPECT_EQ(script_write_state, 0) << name << " " << mode;
    }
  EXPECT_EQ(ReadFileBytes(root / "outside.txt"), "user data");
  EXPECT_FALSE(fs::exists(root / "new.txt"));
  fs::create_directories(game() / "saves");
  ChangeWorkingFolder((game() / "saves").c_str());  // names are resolved against the game folder
  Open("saves\\slot..1", 1);
  EXPECT_EQ(script_write_state, 1);
  Run({1446, 1});
  EXPECT_TRUE(fs::exists(game() / "saves" / "slot..1"));
  // A second name of a file elsewhere is not written through, in either mode.
  fs::create_hard_link(root / "outside.txt", game() / "hard.bin");
  for (uint32_t mode : {1u, 2u}) {
    ClearMessages();
    Open("hard.bin", mode);
    EXPECT_EQ(script_write_state, 0) << mode;
    EXPECT_EQ(Last(1), "Write file has more than one link:");
  }
  EXPECT_EQ(ReadFileBytes(root / "outside.txt"), "user data");
  // Reads keep to the game folder as well.
  Open("../outside.txt", 0);
  EXPECT_EQ(script_read_open, 0);
}

TEST_F(ScriptFileTest, StringReadsStopAtTerminatorEndAndCapacity) {
  WriteFile(game() / "t.txt", "one\ntwo" + std::string(300, 'z'));
  uint32_t s = Slot("old text");
  Open("t.txt", 0);
  Run({1469, s, '\n'});
  EXPECT_STREQ(string_slots[s].text, "one");
  Run({1469, s, 't'});
  EXPECT_STREQ(string_slots[s].text, "");
  Run({1469, s, 1000});  // never matches: stops at the slot's capacity
  EXPECT_EQ(std::string(string_slots[s].text), "wo" + std::string(254, 'z'));
  Run({1469, s, 0});  // then at the end of the file
  EXPECT_EQ(std::string(string_slots[s].text), std::string(46, 'z'));
}

TEST_F(ScriptFileTest, CountsAreClampedToThePlace) {
  WriteFile(game() / "d.bin", std::string(2000, '\x01'));
  Open("d.bin", 0);
  Run({1451, register_count - 2, 0x3FFFFFFF});  // only two cells exist there
  EXPECT_EQ(registers[register_count - 1], 1);
  Run({1447, 0, 0});
  EXPECT_EQ(registers[0], 2);
  Run({1458, 31, 5});  // object block of 32
  EXPECT_EQ(ov[2][31], 0x0101);
  registers[8] = -3;
  Run({1451, 0, R | 8});  // negative count: nothing
  Run({1451, 0x3FFFFFFF, 5});                 // first beyond the file
  Run({1447, 0, 0});
  EXPECT_EQ(registers[0], 4);
}

TEST_F(ScriptFileTest, ReadsArchiveMembers) {
  test::TreeDir tree;
  tree.files = {{"empty", ""}, {"m.bin", "0123456789"}, {"z", "after"}};
  ASSERT_TRUE(test::PackTree((game() / "game.tvp").string(), tree));
  ASSERT_EQ(OpenArchive((game() / "game.tvp").c_str()), 1);
  Open("empty", 0);
  ASSERT_EQ(script_read_open, 1);
  EXPECT_EQ(Jump(1450, 0, 1), 0);  // a fresh empty member: nothing remains
  Open("m.bin", 0);
  registers[8] = -4;
  Run({1448, 0, R | 8, 2});  // from the member's end
  Run({1451, 0, 8});
  EXPECT_EQ(registers[0], '6');
  EXPECT_EQ(registers[3], '9');
  EXPECT_EQ(registers[4], 0);  // past the member: zeros, not the next member
  Run({1447, 0, 1});
  EXPECT_EQ(registers[1], 10);
}

}  // namespace
}  // namespace tolv

#include "files/folder_listing.h"
#include "game/def_rewriter.h"
#include "pack_test_util.h"
#include "../base/temp_files.h"
#include "../base/within_time.h"
#include "base/message_log.h"
#include <sys/stat.h>
#include <sys/wait.h>

namespace tolv::test {
namespace {

class PackerTest : public PackTest {
 protected:
  std::vector<std::string> BaseEntries() {
    ListFolder(root_.c_str(), "*");
    return folder_listing;
  }
};

TEST_F(PackerTest, EmptyFolder) {
  fs::create_directories(Game("empty"));
  ASSERT_TRUE(Pack("empty")) << pack_error;
  EXPECT_EQ(fs::file_size(Archive("empty")), 4117u);
  EXPECT_EQ(game_folder, Game("empty").string());
  OpenPackedOnly("empty");
  EXPECT_EQ(Member("game.def"), "<missing>");
}

TEST_F(PackerTest, WhatGoesIn) {
  CopyFixture("alpha");
  ASSERT_TRUE(Pack("alpha")) << pack_error;
  EXPECT_FALSE(TempFileBeside(Archive("alpha")));
  OpenPackedOnly("alpha");
  for (const char* absent : {"keymap.def", "keys.def", "alias.def", "alias/regs.def", "dump/state.bin",
                             "cfg_local/local.def", ".hidden", "x.bak", "notes.txt", "exclude.def", "game.tvp",
                             "scripts/common.inc.def", "sub/cfgdeep/a.bin", "data/junk.tmp", "data/exclude.def"})
    EXPECT_FALSE(InArchive(absent)) << absent;
  EXPECT_EQ(Member("sub/keymap.def"), ":4\n");
  // Each folder's own exclude list applies to its own files only.
  EXPECT_EQ(Member("data/keep.bak"), "kept\n");
  EXPECT_EQ(Member("v1.2/data.bin"), std::string("\0\1\2", 3));
  EXPECT_EQ(Member("data/level.bin"), ReadFileBytes(Game("alpha") / "data/level.bin"));
  EXPECT_EQ(Member("data/readme.txt"), "readme\r\nsecond line\n");
  EXPECT_EQ(Member("scripts/common.inc"), ReadFileBytes(Game("alpha") / "scripts/common.inc"));
  // Folders are told by type; excluded ones are not counted as sub-folders.
  EXPECT_EQ(ChangeGameFolder("alias"), 0);
  EXPECT_EQ(ChangeGameFolder("/v1.2"), 1);
  EXPECT_EQ(Member("data.bin").size(), 3u);
}

TEST_F(PackerTest, FixedClockGivesIdenticalBytes) {
  CopyFixture("alpha");
  ASSERT_TRUE(Pack("alpha"));
  const std::string first = ReadFileBytes(Archive("alpha"));
  ASSERT_TRUE(Pack("alpha"));  // the old archive is not packed into the new one
  EXPECT_EQ(ReadFileBytes(Archive("alpha")), first);
  wall_clock = [] { return int64_t{99}; };
  ASSERT_TRUE(Pack("alpha"));
  EXPECT_NE(ReadFileBytes(Archive("alpha")), first);
}

TEST_F(PackerTest, GameDefAndZoneDefLayouts) {
  CopyFixture("alpha");
  CopyFixture("beta");
  ASSERT_TRUE(Pack("alpha"));
  ASSERT_TRUE(Pack("beta")) << pack_error;  // game.def ends after the layouts
  OpenPackedOnly("beta");
  EXPECT_EQ(Member("game.def"), ":1\n:0\n:0\n:0\n:0\n:NONE\n:1\n:Hello_world\n:NONE\n:NONE\n:0\n:0\n:NONE\n:0\n:NONE\n:0\n");
  // Function names are text, never alias references.
  EXPECT_EQ(Member("game/funcs.def"), ":2\n:Main_Loop\n:scripts/loop.def\n:Helper\n:scripts/helper.def\n");
  CloseArchive();
  OpenPackedOnly("alpha");
  EXPECT_EQ(Member("game.def"),
            ":1\n:0\n:0\n:1\n:8\n:NONE\n:2\n:Score: !R0! 100%%\n:Lives_left !r3!\n:NONE\n:NONE\n:10\n:4\n"
            ":scripts/player.def\n:0\n:NONE\n:0\n:3\n:2\n:scripts/main.def\n:scripts/more.def\n");
  EXPECT_EQ(Member("zone01/zone.def"),
            ":3\n:1\n:Zone_one %% text\n:NONE\n:NONE\n:100\n:1\n:x\n:0\n:0\n:1\n:1\n:2\n:3\n:4\n:5\n:1\n:261\n:0\n:0\n"
            ":1\n:1\n:2\n:3\n:4\n:5\n:1\n:6\n:7\n:0\n");
}

// A packed game has no aliases: the variable names of its script strings
// are written as the variables they stand for.
TEST_F(PackerTest, StringVariablesLoseTheirAliases) {
  CopyFixture("beta");
  const fs::path g = Game("beta");
  WriteFile(g / "alias.def", ":3\n:2\n:regs.def\n:8\n:own.def\n:5\n:pvars.def\n");
  WriteFile(g / "regs.def", ":Lives\n:3\n");
  WriteFile(g / "own.def", ":Speed\n:1\n");
  WriteFile(g / "pvars.def", ":Ring\n:2\n");
  std::string def = ReadFileBytes(g / "game.def");
  def.replace(def.find(":Hello_world"), 12, ":Hello_world !_Lives! !R_Lives! !!!_Speed! !_Ring! !r3! !R_Lives");
  WriteFile(g / "game.def", def);
  ASSERT_TRUE(Pack("beta")) << pack_error;
  OpenPackedOnly("beta");
  const std::string packed = Member("game.def");
  EXPECT_NE(packed.find(":Hello_world !u3! !u3! !!!e1! !C11! !r3! !R_Lives\n"), std::string::npos) << packed;
}

TEST_F(PackerTest, FailuresLeaveNoArchive) {
  const std::vector<std::string> before = BaseEntries();
  pack_folder_name = "missing";
  EXPECT_FALSE(PackGame());
  EXPECT_EQ(pack_error, "Game folder not found: missing");
  for (const char* bad : {"", "a/b", "..", "."}) {
    pack_folder_name = bad;
    EXPECT_FALSE(PackGame()) << bad;
  }
  fs::create_directories(Game(std::string(50, 'g')));
  pack_folder_name = std::string(50, 'g');
  EXPECT_FALSE(PackGame());
  EXPECT_FALSE(fs::exists(Archive(std::string(50, 'g'))));
  fs::remove(Game(std::string(50, 'g')));
  EXPECT_EQ(BaseEntries(), before);
  EXPECT_EQ(WorkingFolder(), root_.string());

  // A failing pack keeps the archive that was there.
  CopyFixture("beta");
  WriteFile(Game("beta") / "game.tvp", "old");
  fs::create_symlink("nowhere", Game("beta") / "scripts" / "broken.bin");
  EXPECT_FALSE(Pack("beta"));
  EXPECT_EQ(pack_error, "scripts/broken.bin: cannot read file");
  EXPECT_EQ(ReadFileBytes(Archive("beta")), "old");
  EXPECT_FALSE(TempFileBeside(Archive("beta")));
  fs::remove(Game("beta") / "scripts" / "broken.bin");

  // A fatal error of the re-writer unwinds (here) or exits: no archive either way.
  WriteFile(Game("beta") / "scripts" / "bad.def", "~Frobnicate R0\n#End\n");
  EXPECT_EQ(FatalMessage([&] { Pack("beta"); }), "Unknown keyword: \"Frobnicate\"");
  EXPECT_EQ(ReadFileBytes(Archive("beta")), "old");
  EXPECT_FALSE(TempFileBeside(Archive("beta")));
}

TEST_F(PackerTest, FatalErrorEndsTheProcessWithoutArchive) {
  CopyFixture("beta");
  WriteFile(Game("beta") / "scripts" / "bad.def", "~If R0 <\n~EndIf\n#End\n");
  script_error_hook = nullptr;
  EXPECT_EXIT(Pack("beta"), testing::ExitedWithCode(1), "If Expression requires 2 variables");
  EXPECT_FALSE(fs::exists(Archive("beta")));
  EXPECT_FALSE(TempFileBeside(Archive("beta")));
}

TEST_F(PackerTest, RefusesWhatTheFormatCannotHold) {
  fs::create_directories(Game("big"));
  fs::resize_file((WriteFile(Game("big") / "huge.bin", ""), Game("big") / "huge.bin"), 16777216);
  EXPECT_FALSE(Pack("big"));
  EXPECT_EQ(pack_error, "huge.bin: larger than 16777215 bytes");
  fs::resize_file(Game("big") / "huge.bin", 16777215);  // the largest member fits
  EXPECT_TRUE(Pack("big")) << pack_error;
  fs::remove(Game("big") / "huge.bin");
  fs::create_directories(Game("big") / "many");
  for (int i = 0; i < 256; i++) {
    std::string name = "f";
    name += std::to_string(i);
    WriteFile(Game("big") / "many" / name, "");
  }
  EXPECT_FALSE(Pack("big"));
  EXPECT_EQ(pack_error, "many/f99: too many files in one folder");
  fs::remove_all(Game("big") / "many");
  WriteFile(Game("big") / std::string(247, 'n'), "");
  EXPECT_FALSE(Pack("big"));
  EXPECT_NE(pack_error.find("bad file name"), std::string::npos);
  EXPECT_TRUE(fs::exists(Archive("big")));  // the earlier good archive stays
}

TEST_F(PackerTest, LinksAndSpecialFilesNeitherLoopNorLeak) {
  CopyFixture("beta");
  const fs::path g = Game("beta");
  fs::create_directory_symlink(".", g / "loop");
  fs::create_directory_symlink("..", g / "scripts" / "up");
  // Packed in a child that an alarm ends: a pack that follows the links
  // never finishes.
  EXPECT_TRUE(RunsWithin(60, [&] {
    ClearMessages();
    return Pack("beta") && std::string(MessageLine(kMessageLines - 2)) == "loop: link to a folder, skipped" &&
           std::string(MessageLine(kMessageLines - 1)) == "scripts/up: link to a folder, skipped";
  }));
  OpenPackedOnly("beta");
  EXPECT_FALSE(InArchive("loop/game.def"));
  EXPECT_FALSE(InArchive("scripts/up/game.def"));
  EXPECT_NE(Member("scripts/loop.def"), "<missing>");
  CloseArchive();
  EXPECT_FALSE(TempFileBeside(Archive("beta")));

  // The temporary archive is made exclusively: a link in its place, or as
  // the archive, is never written through.
  WriteFile(root_ / "private.txt", "private");
  const fs::path temp = g / (".game.tvp." + std::to_string(getpid()) + ".0.tmp");
  fs::remove(Archive("beta"));
  fs::create_symlink(root_ / "private.txt", temp);
  fs::create_symlink(root_ / "private.txt", Archive("beta"));
  ASSERT_TRUE(Pack("beta")) << pack_error;
  EXPECT_EQ(ReadFileBytes(root_ / "private.txt"), "private");
  EXPECT_FALSE(fs::is_symlink(Archive("beta")));
  fs::remove(temp);
  fs::remove(Archive("beta"));
  fs::create_hard_link(root_ / "private.txt", Archive("beta"));
  EXPECT_FALSE(Pack("beta"));
  EXPECT_EQ(ReadFileBytes(root_ / "private.txt"), "private");
  fs::remove(Archive("beta"));

  // What a killed pack left is cleared by the next one.
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  waitpid(gone, nullptr, 0);
  const fs::path stale = g / (".game.tvp." + std::to_string(gone) + ".0.tmp");
  WriteFile(stale, "half an archive");
  ASSERT_TRUE(Pack("beta")) << pack_error;
  EXPECT_FALSE(fs::exists(stale));

  // A FIFO is no file to read: the pack fails at once instead of waiting.
  ASSERT_EQ(mkfifo((g / "scripts" / "pipe.bin").c_str(), 0600), 0);
  EXPECT_TRUE(RunsWithin(20, [&] { return !Pack("beta") && pack_error == "scripts/pipe.bin: cannot read file"; }));
}

}  // namespace
}  // namespace tolv::test

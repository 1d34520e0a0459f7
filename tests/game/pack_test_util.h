// Packing the fixture games of tests/game/fixtures: each test copies a game
// below its own base folder, packs it with a fixed clock and reads the
// archive back with the loose files out of reach.
#pragma once
#include "compiler/alias_tables.h"
#include "files/archive_reader.h"
#include "files/archive_writer.h"
#include "game/game_packer.h"
#include "script/random.h"
#include "../files/game_test_util.h"

namespace tolv::test {

namespace fs = std::filesystem;

inline int64_t FixedClock() { return 1234567; }

class PackTest : public GameDirTest {
 protected:
  WallClock saved_clock_ = wall_clock;
  void SetUp() override {
    GameDirTest::SetUp();
    wall_clock = FixedClock;
    resolve_alias = ResolveAliasForLexer;  // as InitEngine installs it
    ASSERT_EQ(ChangeWorkingFolder(root_.c_str()), 1);
  }
  void TearDown() override {
    wall_clock = saved_clock_;
    GameDirTest::TearDown();
  }
  fs::path Game(const std::string& name) const { return root_ / name; }
  fs::path Archive(const std::string& name) const { return root_ / name / "game.tvp"; }

  void CopyFixture(const std::string& name) {
    fs::copy(fs::path(TOLV_GAME_FIXTURES) / name, Game(name), fs::copy_options::recursive);
  }
  // Packs from the base folder, as "-pack" does.
  bool Pack(const std::string& name) {
    ChangeWorkingFolder(root_.c_str());
    pack_folder_name = name;
    const bool ok = PackGame();
    EXPECT_EQ(WorkingFolder(), root_.string());
    return ok;
  }
  // Opens the packed game of name from a folder holding its archive only.
  void OpenPackedOnly(const std::string& name) {
    const fs::path only = root_ / ("packed_" + name);
    fs::create_directories(only);
    fs::copy_file(Archive(name), only / "game.tvp", fs::copy_options::overwrite_existing);
    game_folder = only.string();
    ASSERT_EQ(ChangeWorkingFolder(game_folder.c_str()), 1);
    ASSERT_EQ(OpenArchive("game.tvp"), 1);
  }
  static bool InArchive(const std::string& path) {
    uint32_t start, end;
    return FindArchiveMember(path.c_str(), &start, &end);
  }
  // Bytes of a game file as the layer serves them, "<missing>" when absent.
  static std::string Member(const std::string& path) {
    if (!OpenGameFile(path.c_str())) return "<missing>";
    std::string s = ReadRest();
    CloseGameFile();
    return s;
  }
};

}  // namespace tolv::test

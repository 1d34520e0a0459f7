// Game file reads stay in the game folder and the engine folder "default";
// saves go only where the game folder really is.
#include <sys/stat.h>

#include "base/real_path.h"
#include "base/write_guard.h"
#include "files/archive_reader.h"
#include "files/game_file_bytes.h"
#include "files/game_folder_guard.h"
#include "game_test_util.h"
#include "../base/within_time.h"

namespace tolv::test {
namespace {

namespace fs = std::filesystem;

class ConfinementTest : public GameDirTest {
 protected:
  void SetUp() override {
    GameDirTest::SetUp();
    WriteFile(root_ / "private.txt", "private");
    WriteFile(root_ / "default" / "icon" / "icon.ico", "icon");
    WriteFile(game() / "a.txt", "a");
    WriteFile(game() / "zone01" / "1.til", "til");
    fs::create_symlink(root_ / "private.txt", game() / "file_out");
    fs::create_directory_symlink(root_, game() / "folder_out");
    fs::create_symlink(game() / "a.txt", game() / "zone01" / "file_in");
    ASSERT_EQ(mkfifo((game() / "fifo").c_str(), 0600), 0);
  }
  static bool Opens(const char* name) {
    if (!OpenGameFile(name)) return false;
    CloseGameFile();
    return true;
  }
};

TEST_F(ConfinementTest, ReadsStayInTheGameAndDefault) {
  struct Case {
    const char* from;
    const char* name;
    bool opens;
  };
  const Case cases[] = {
      {"", "a.txt", true},
      {"", "../private.txt", false},
      {"", "/../private.txt", false},
      {"", "zone01/../../private.txt", false},
      {"", "file_out", false},
      {"", "folder_out/private.txt", false},
      {"", "folder_out/game/a.txt", true},  // the link leads back in
      {"", "../default/icon/icon.ico", true},
      {"", "zone01/../a.txt", true},
      {"zone01", "../zone01/1.til", true},
      {"zone01", "file_in", true},
      {"zone01", "../../private.txt", false},
      {"", "fifo", false},
      {"", "zone01", false},  // a folder
  };
  for (const Case& c : cases) {
    ASSERT_EQ(ChangeWorkingFolder((game() / c.from).c_str()), 1);
    EXPECT_TRUE(RunsWithin(10, [&] { return Opens(c.name) == c.opens; })) << c.from << " " << c.name;
  }
  // The fallback for a file that is not there is the usual "not found".
  FileStream s;
  ASSERT_EQ(ChangeWorkingFolder(game().c_str()), 1);
  EXPECT_EQ(OpenStream("../private.txt", s), 0);
  EXPECT_EQ(OpenBufferedStream("file_out", s), 0);
  fs::create_symlink(root_ / "private.txt", game() / "game.tvp");
  EXPECT_EQ(OpenArchive("game.tvp"), 0);
  game_folder.clear();  // no game: nothing to confine to
  EXPECT_TRUE(Opens("../private.txt"));
}

TEST_F(ConfinementTest, SavesGoWhereTheGameFolderReallyIs) {
  std::string out;
  EXPECT_TRUE(GameWritePath("/zone01/x.obj", &out));
  EXPECT_EQ(out, RealPath(game().string()) + "/zone01/x.obj");
  for (const char* refused : {"/folder_out/x.obj", "../x.obj", "/zone01/../../x.obj", "/missing/x.obj", "/"})
    EXPECT_FALSE(GameWritePath(refused, &out)) << refused;
  // Writers that bypass the path check meet the same rule at the write.
  InstallGameWriteGuard();
  EXPECT_FALSE(SaveFileAtomically((root_ / "x.bin").string(), "x", 1));
  EXPECT_FALSE(SaveFileAtomically((game() / "folder_out" / "x.bin").string(), "x", 1));
  EXPECT_TRUE(SaveFileAtomically((game() / "x.bin").string(), "x", 1));
  write_folder_allowed = nullptr;
  EXPECT_FALSE(fs::exists(root_ / "x.bin"));
}

}  // namespace
}  // namespace tolv::test

#include <functional>

#include "files/exclude_list.h"
#include "files/game_file_bytes.h"
#include "game_test_util.h"

namespace tolv::test {
namespace {

class LooseFilesTest : public GameDirTest {
 protected:
  void SetUp() override {
    GameDirTest::SetUp();
    WriteFile(game() / "game.def", "root-def");
    WriteFile(game() / "zone01" / "zone.def", "0123456789");
    WriteFile(game() / "zone01" / "act1" / "a.txt", "act");
  }
};

TEST_F(LooseFilesTest, RootAndFolderRelativePaths) {
  ASSERT_EQ(ChangeGameFolder("/zone01"), 1);
  EXPECT_EQ(GetGameRelativeFolder(), "zone01");
  ASSERT_EQ(OpenGameFile("zone.def"), 1);
  EXPECT_EQ(ReadRest(), "0123456789");
  CloseGameFile();
  ASSERT_EQ(OpenGameFile("\\game.def"), 1);
  EXPECT_EQ(ReadRest(), "root-def");
  CloseGameFile();
  ASSERT_EQ(OpenGameFile("act1\\a.txt"), 1);
  EXPECT_EQ(ReadRest(), "act");
  CloseGameFile();
  ASSERT_EQ(OpenGameFile("../game.def"), 1);
  CloseGameFile();
  EXPECT_EQ(OpenGameFile("game.def"), 0);
  EXPECT_EQ(OpenGameFile("act1"), 0);  // a folder is not a file
  EXPECT_EQ(ChangeGameFolder("missing"), 0);
  EXPECT_EQ(GetGameRelativeFolder(), "zone01");
  ReturnToGameRoot();
  EXPECT_EQ(GetGameRelativeFolder(), "/");
  EXPECT_EQ(std::filesystem::current_path().string(), game_folder);
}

TEST_F(LooseFilesTest, NestingSeekTellAndEnd) {
  ASSERT_EQ(OpenGameFile("/zone01/zone.def"), 1);
  EXPECT_EQ(ReadGameFileByte(), '0');
  EXPECT_EQ(ReadGameFileByte(), '1');
  ASSERT_EQ(OpenGameFile("game.def"), 1);
  EXPECT_EQ(ReadGameFileByte(), 'r');
  EXPECT_EQ(OpenGameFile("nothing"), 0);  // the inner file stays current
  EXPECT_EQ(ReadGameFileByte(), 'o');
  CloseGameFile();
  EXPECT_EQ(ReadGameFileByte(), '2');
  EXPECT_EQ(TellGameFile(), 3u);
  SeekGameFile(-3, 2);
  EXPECT_EQ(TellGameFile(), 7u);
  EXPECT_EQ(ReadRest(), "789");
  EXPECT_TRUE(IsGameFileEnd());
  RewindGameFile();
  EXPECT_FALSE(IsGameFileEnd());
  EXPECT_EQ(ReadGameFileByte(), '0');
  CloseGameFile();
  CloseGameFile();  // nothing open: harmless
  EXPECT_EQ(ReadGameFileByte(), kGameFileEnd);

  int opened = 0;
  while (opened < kMaxOpenGameFiles + 5 && OpenGameFile("game.def")) opened++;
  EXPECT_EQ(opened, kMaxOpenGameFiles);
}

TEST_F(LooseFilesTest, StreamsAndExcludeList) {
  ChangeGameFolder("zone01");
  FileStream s;
  ASSERT_EQ(OpenStream("zone.def", s), 1);
  EXPECT_EQ(s.size, 10u);
  EXPECT_EQ(s.folder, game_folder + "/zone01");
  EXPECT_EQ(OpenGameFileCount(), 0);
  CloseStream(s);
  ASSERT_EQ(OpenBufferedStream("act1/a.txt", s), 1);
  EXPECT_EQ(s.folder, "zone01");
  EXPECT_EQ(OpenStream("none.def", s), 0);
  ASSERT_EQ(OpenPlainStream((base_folder + "/game/game.def").c_str(), s), 1);
  EXPECT_EQ(s.size, 8u);

  WriteFile(game() / "zone01" / "exclude.def", "; list\n:*.bak ; not :this\n:secret/\r\n");
  LoadExcludePatterns();
  EXPECT_EQ(exclude_patterns, (std::vector<std::string>{"*.bak", "secret/"}));
  std::filesystem::remove(game() / "zone01" / "exclude.def");
  LoadExcludePatterns();
  EXPECT_TRUE(exclude_patterns.empty());
}

constexpr uint64_t kGiB = uint64_t(1) << 30;

// Sparse files past 4 GiB and past the text bound: sizes are whole, and a
// file read whole that is over its bound is refused by name before it is
// read.
TEST_F(LooseFilesTest, FilesOverTheirBoundAreRefusedByName) {
  const auto sparse = [&](const char* name, uint64_t size) {
    WriteFile(game() / name, ":1\n");
    std::filesystem::resize_file(game() / name, size);
  };
  sparse("huge.bin", 5 * kGiB);
  ASSERT_EQ(OpenGameFile("huge.bin"), 1);
  SeekGameFile(0, 2);
  EXPECT_EQ(TellGameFile(), 5 * kGiB);
  CloseGameFile();
  std::vector<uint8_t> bytes;
  EXPECT_EQ(ReadGameFileBytes("huge.bin", bytes, kGiB), GameFileRead::kTooLarge);
  EXPECT_TRUE(bytes.empty());

  FileStream s;
  const std::string plain = game_folder + "/big.gdf";
  const struct {
    const char* name;
    uint64_t size;
    std::function<int()> open;
    std::string said;
  } cases[] = {
      {"big.def", kMaxTextFileBytes + 1, [&] { return OpenStream("big.def", s); },
       "File \"big.def\" is larger than 64 MiB"},
      {"big.gdf", kMaxTextFileBytes + 1, [&] { return OpenPlainStream(plain.c_str(), s); },
       "File \"" + plain + "\" is larger than 64 MiB"},
      {"big.bin", 4 * kGiB + 10, [&] { return OpenBufferedStream("big.bin", s); },
       "File \"big.bin\" is larger than 4294967295 bytes"},
  };
  for (const auto& c : cases) {
    sparse(c.name, c.size);
    EXPECT_EQ(FatalMessage(c.open), c.said);
    EXPECT_EQ(OpenGameFileCount(), 0);
  }
  sparse("big.def", kMaxTextFileBytes);  // at the bound: read
  ASSERT_EQ(OpenStream("big.def", s), 1);
  EXPECT_EQ(s.size, kMaxTextFileBytes);
}

TEST_F(LooseFilesTest, SplitPathParts) {
  std::string drive, folder, name;
  SplitPath("c:dir\\sub/file.def", &drive, &folder, &name);
  EXPECT_EQ(drive, "c");
  EXPECT_EQ(folder, "dir\\sub");
  EXPECT_EQ(name, "file.def");
  SplitPath("file.def", &drive, &folder, nullptr);
  EXPECT_EQ(drive, "");
  EXPECT_EQ(folder, ".");
  SplitPath("/x", nullptr, &folder, &name);
  EXPECT_EQ(folder, "");
  EXPECT_EQ(name, "x");
}

}  // namespace
}  // namespace tolv::test

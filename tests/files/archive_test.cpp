#include <random>

#include "files/archive_format.h"
#include "game_test_util.h"
#include "script/random.h"
#include "../base/temp_files.h"

namespace tolv::test {
namespace {

class ArchiveTest : public GameDirTest {
 protected:
  std::string tvp() const { return (game() / "game.tvp").string(); }
  std::string Member(const char* name) {
    if (!OpenGameFile(name)) return "<missing>";
    std::string s = ReadRest();
    CloseGameFile();
    return s;
  }
};

std::string Numbered(const char* prefix, int i) {
  std::string s = prefix;
  s += std::to_string(i);
  return s;
}

std::string AllBytes() {
  std::string s;
  for (int i = 0; i < 256; i++) s += static_cast<char>(i);
  return s;
}

TreeDir SampleTree() {
  TreeDir root;
  root.files = {{"game.def", "root game"}, {"x", "root x"}, {"Case", "upper"}, {"case", "lower"}};
  TreeDir zone{"zone01", {}, {{"zone.def", std::string(1000, 'z')}, {"empty", ""}}};
  TreeDir act{"act1", {}, {{"bytes", AllBytes()}}};
  TreeDir deep{"deep", {}, {{"leaf", "three levels"}}};
  act.dirs.push_back(deep);
  zone.dirs.push_back(act);
  TreeDir many{"many", {}, {}};
  for (int i = 0; i < 255; i++) many.files.push_back({Numbered("f", i), std::to_string(i * 7)});
  root.dirs = {zone, many};
  return root;
}

TEST_F(ArchiveTest, EmptyTreeAndSeed) {
  ASSERT_TRUE(PackTree(tvp(), TreeDir{}, 777));
  EXPECT_EQ(std::filesystem::file_size(tvp()), 4117u);
  EXPECT_FALSE(TempFileBeside(tvp()));
  uint32_t x = 777, seed = 0;
  for (int i = 0; i < 4; i++) {
    x = StepRandomSeed(x);
    seed = seed << 8 | ((x >> 16) & 255);
  }
  uint8_t table[16];
  uint32_t expected = BuildScrambleTable(seed, table);
  random_seed = 1;
  ASSERT_EQ(OpenArchive(tvp().c_str()), 1);
  EXPECT_EQ(game_unpacked, 0);
  EXPECT_EQ(random_seed, expected);
  EXPECT_EQ(GetGameRelativeFolder(), "/");
  EXPECT_EQ(OpenGameFile("anything"), 0);
  CloseArchive();
  EXPECT_EQ(game_unpacked, 1);
  EXPECT_EQ(OpenArchive("missing.tvp"), 0);
}

TEST_F(ArchiveTest, RoundTripIsByteIdentical) {
  TreeDir root = SampleTree();
  ASSERT_TRUE(PackTree(tvp(), root));
  ASSERT_EQ(OpenArchive(tvp().c_str()), 1) << archive_error;
  EXPECT_EQ(Member("/game.def"), "root game");
  EXPECT_EQ(Member("/zone01/zone.def"), std::string(1000, 'z'));
  EXPECT_EQ(Member("\\zone01\\empty"), "");
  EXPECT_EQ(Member("/zone01/act1/bytes"), AllBytes());
  EXPECT_EQ(Member("/zone01/act1/deep/leaf"), "three levels");
  for (int i = 0; i < 255; i++) EXPECT_EQ(Member(Numbered("many/f", i).c_str()), std::to_string(i * 7));
  EXPECT_EQ(Member("Case"), "upper");
  EXPECT_EQ(Member("case"), "lower");
  EXPECT_EQ(Member("CASE"), "<missing>");
  EXPECT_EQ(Member("/zone01/ZONE.DEF"), "<missing>");
}

TEST_F(ArchiveTest, FolderCursorAndRelativeNames) {
  ASSERT_TRUE(PackTree(tvp(), SampleTree()));
  ASSERT_EQ(OpenArchive(tvp().c_str()), 1);
  ChangeGameFolder("..");
  EXPECT_EQ(virtual_folder, "/");
  EXPECT_EQ(Member("x"), "root x");
  ChangeGameFolder("/zone01");
  EXPECT_EQ(virtual_folder, "/zone01");
  EXPECT_EQ(Member("zone.def"), std::string(1000, 'z'));
  EXPECT_EQ(Member("../x"), "root x");
  EXPECT_EQ(Member("act1/deep/leaf"), "three levels");
  EXPECT_EQ(virtual_folder, "/zone01");  // lookups leave the cursor alone
  ChangeGameFolder("act1/deep");
  EXPECT_EQ(virtual_folder, "/zone01/act1/deep");
  ChangeGameFolder("../..");
  EXPECT_EQ(virtual_folder, "/zone01");
  ChangeGameFolder("nope/act1");  // stops at the missing folder
  EXPECT_EQ(virtual_folder, "/zone01");
  ASSERT_EQ(OpenGameFile("zone.def"), 1);
  EXPECT_EQ(GetGameRelativeFolder(), "/zone01");
  CloseGameFile();
}

TEST_F(ArchiveTest, NestedMembersSeekAndLooseFallback) {
  ASSERT_TRUE(PackTree(tvp(), SampleTree()));
  WriteFile(game() / "zone01" / "keymap.def", "loose keys");
  ASSERT_EQ(OpenArchive(tvp().c_str()), 1);
  ChangeGameFolder("zone01");
  ASSERT_EQ(OpenGameFile("zone.def"), 1);
  EXPECT_EQ(TellGameFile(), 0u);
  SeekGameFile(-768, 2);
  EXPECT_EQ(TellGameFile(), 232u);
  EXPECT_EQ(SeekGameFile(-1, 0), -1);
  EXPECT_EQ(TellGameFile(), 232u);
  ReadGameFileByte();
  ASSERT_EQ(OpenGameFile("act1/bytes"), 1);
  EXPECT_EQ(ReadGameFileByte(), 0);
  EXPECT_EQ(ReadGameFileByte(), 1);
  ASSERT_EQ(OpenGameFile("keymap.def"), 1);  // not in the archive: loose beside it
  EXPECT_EQ(reading_loose_file, 1);
  EXPECT_EQ(ReadRest(), "loose keys");
  CloseGameFile();
  EXPECT_EQ(reading_loose_file, 0);
  EXPECT_EQ(ReadGameFileByte(), 2);
  CloseGameFile();
  EXPECT_EQ(TellGameFile(), 233u);
  EXPECT_EQ(ReadRest(), std::string(767, 'z'));  // and then the end, not the next member
  EXPECT_TRUE(IsGameFileEnd());
  EXPECT_EQ(ReadGameFileByte(), kGameFileEnd);
  CloseGameFile();

  FileStream s;
  ASSERT_EQ(OpenStream("zone.def", s), 1);
  EXPECT_EQ(s.archive, 1);
  EXPECT_EQ(s.size, 1000u);
  EXPECT_EQ(s.folder, game_folder + "/game.tvp:/zone01");
  CloseStream(s);
  ASSERT_EQ(OpenBufferedStream("act1/bytes", s), 1);
  EXPECT_EQ(s.folder, "/zone01");
  EXPECT_EQ(s.buffer.size(), 256u);
  EXPECT_EQ(OpenGameFileCount(), 0);
}

TEST_F(ArchiveTest, WriterRefusesWhatTheFormatCannotHold) {
  ArchiveWriter w;
  BeginArchive(w, tvp().c_str(), 1);
  for (int i = 0; i < 255; i++) {
    ASSERT_TRUE(BeginArchiveMember(w, (Numbered("f", i)).c_str()));
    EndArchiveMember(w);
  }
  EXPECT_FALSE(BeginArchiveMember(w, "one-too-many"));
  EXPECT_FALSE(FinishArchive(w));
  EXPECT_FALSE(std::filesystem::exists(tvp()));
  EXPECT_FALSE(TempFileBeside(tvp()));

  BeginArchive(w, tvp().c_str(), 1);
  EXPECT_FALSE(BeginArchiveMember(w, std::string(247, 'n').c_str()));
  BeginArchive(w, tvp().c_str(), 1);
  EXPECT_FALSE(BeginArchiveMember(w, "a/b"));
  BeginArchive(w, tvp().c_str(), 1);
  BeginArchiveMember(w, "file");
  EndArchiveMember(w);
  EXPECT_FALSE(BeginArchiveFolder(w, "late"));  // a folder's files come after its sub-folders
  AbandonArchive(w);
}

// Archives cut short or with flipped bytes must be refused or read in bounds.
TEST_F(ArchiveTest, DamagedArchivesAreRejected) {
  TreeDir root;
  root.files = {{"a", "alpha"}, {"b", ""}};
  root.dirs = {TreeDir{"d", {TreeDir{"e", {}, {{"c", "gamma"}}}}, {{"f", "phi"}}}};
  ASSERT_TRUE(PackTree(tvp(), root));
  const std::string good = ReadFileBytes(tvp());
  std::string bad = (game() / "bad.tvp").string();
  for (size_t n = 0; n < good.size(); n++) {
    WriteFile(bad, good.substr(0, n));
    EXPECT_EQ(OpenArchive(bad.c_str()), -1) << n;
  }
  std::mt19937 rng(7);
  const size_t tail = good.size() - kArchiveTailSize;
  int rejected = 0;
  for (int round = 0; round < 1000; round++) {
    std::string b = good;
    for (int k = 0; k < 1 + round % 3; k++) b[rng() % (tail + kArchiveTrailerSize)] ^= static_cast<char>(1 + rng() % 255);
    WriteFile(bad, b);
    int r = OpenArchive(bad.c_str());
    rejected += r == -1;
    if (r != 1) continue;
    for (const char* name : {"a", "b", "/d/f", "/d/e/c", "d/e/../f"}) {
      if (!OpenGameFile(name)) continue;
      EXPECT_LE(ReadRest().size(), tail);
      CloseGameFile();
    }
  }
  EXPECT_GT(rejected, 0);
}

}  // namespace
}  // namespace tolv::test

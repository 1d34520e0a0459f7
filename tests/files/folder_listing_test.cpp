#include "files/archive_writer.h"
#include "files/exclude_list.h"
#include "files/folder_listing.h"
#include "game_test_util.h"

namespace tolv::test {
namespace {

using Names = std::vector<std::string>;

TEST(WildcardTest, DocumentedMatches) {
  struct Case {
    const char* name;
    const char* pattern;
    int match;
  } cases[] = {
      {"game.def", "*.def", 1}, {"GAME.DEF", "*.def", 1}, {"a.def.bak", "*.def", 0}, {"keymap.def", "key*.*", 1},
      {"keys.def", "key*.*", 1}, {"key", "key*.*", 0},   {"zone01/", "*.", 1},      {"a.b", "*.", 0},
      {".svn", "*.", 0},         {"./", "*.", 0},        {"../", "*.", 0},          {"abcbc", "*bc", 0},
      {"xbc", "*bc", 1},         {"Alias/", "alias/", 1}, {"abc", "abcd", 0},       {"abc", "", 0},
      {"abc", "a?c", 1},         {"game", "game*", 1},   {"game1", "game*", 1},     {"x.gdf", "*.gdf", 1},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchWildcard(c.name, c.pattern), c.match) << c.name << " " << c.pattern;
}

class ListingTest : public GameDirTest {};

TEST_F(ListingTest, ListsSortedAndFilters) {
  std::filesystem::create_directories(game() / "empty");
  ListFolder("empty", "*");
  EXPECT_EQ(folder_listing, (Names{"../", "./"}));
  ListFolder("empty", "*.");
  EXPECT_TRUE(folder_listing.empty());
  ListFolder("no-such-folder", "*");
  EXPECT_TRUE(folder_listing.empty());

  for (const char* f : {"b.gdf", "a.txt", "x.bak", "exclude.def", "Z.GDF"}) WriteFile(game() / f, "");
  std::filesystem::create_directories(game() / "sub");
  ListFolder(".", "*.*");
  EXPECT_EQ(folder_listing, (Names{"../", "./", "Z.GDF", "a.txt", "b.gdf", "empty/", "exclude.def", "sub/", "x.bak"}));
  FilterFolderListing("*.gdf");
  EXPECT_EQ(folder_listing, (Names{"../", "./", "Z.GDF", "b.gdf", "empty/", "sub/"}));
  ListFolder(".", "*.");
  EXPECT_EQ(folder_listing, (Names{"empty/", "sub/"}));

  WriteFile(game() / "exclude.def", ":*.bak\n");
  LoadExcludePatterns();
  ListFolder(".", "*");
  DropExcludedNames();
  EXPECT_EQ(folder_listing, (Names{"../", "./", "Z.GDF", "a.txt", "b.gdf", "empty/", "sub/"}));
  DropMatchingNames("*.gdf");
  KeepMatchingNames("*.");
  EXPECT_EQ(folder_listing, (Names{"empty/", "sub/"}));
}

TEST_F(ListingTest, DeleteGameFolderStaysInside) {
  const auto base = std::filesystem::path(base_folder);
  const auto outside = base / "outside";
  WriteFile(outside / "keep.txt", "precious");
  WriteFile(base / "victim" / "a" / "b" / "c.txt", "x");
  WriteFile(base / "victim" / "top.txt", "x");
  std::filesystem::create_directory_symlink(outside, base / "victim" / "a" / "link");
  std::filesystem::create_symlink(outside / "keep.txt", base / "victim" / "filelink");
  std::filesystem::create_directory_symlink(outside, base / "linked");

  for (const char* refused : {"", ".", "..", "missing", "../tmp", "/tmp", "victim/a", "linked"}) {
    pack_folder_name = refused;
    EXPECT_EQ(DeleteGameFolder(), -1) << refused;
  }
  EXPECT_TRUE(std::filesystem::exists(base / "victim" / "a" / "b" / "c.txt"));

  pack_folder_name = "victim";
  EXPECT_EQ(DeleteGameFolder(), 0);
  EXPECT_FALSE(std::filesystem::exists(base / "victim"));
  EXPECT_EQ(ReadFileBytes(outside / "keep.txt"), "precious");
  EXPECT_TRUE(std::filesystem::is_symlink(base / "linked"));

  WriteFile(base / "hidden" / ".svn" / "entries", "x");
  WriteFile(base / "hidden" / "plain", "x");
  pack_folder_name = "hidden";
  EXPECT_EQ(DeleteGameFolder(), 1);  // hidden entries stay, so does their folder
  EXPECT_TRUE(std::filesystem::exists(base / "hidden" / ".svn" / "entries"));
  EXPECT_FALSE(std::filesystem::exists(base / "hidden" / "plain"));
  EXPECT_EQ(std::filesystem::current_path().string(), game_folder);
}

}  // namespace
}  // namespace tolv::test

// The game maker's tools as a person runs them: a tile text in either
// pixel form reaches every palette entry, and bad text is named by file
// and line, exits 1 and writes nothing.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

#include "world/tile_file.h"
#include "../files/game_test_util.h"

namespace tolv::test {
namespace {

namespace fs = std::filesystem;

class ToolText : public TempBaseTest {
 protected:
  // Runs TOOL OUT dir DESCRIPTION with `text` as the description; the exit
  // status, stderr in err_.
  int Run(const std::string& tool, const std::string& out, const std::string& text) {
    WriteFile(root_ / "text.txt", text);
    const std::string command = "'" + tool + "' '" + (root_ / out).string() + "' '" + root_.string() + "' '" +
                                (root_ / "text.txt").string() + "' 2>'" + (root_ / "err.txt").string() + "'";
    const int status = std::system(command.c_str());
    err_ = ReadFileBytes(root_ / "err.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string err_;
};

TEST_F(ToolText, TileRowsInEitherFormReachEveryPaletteEntry) {
  const std::string text =
      "; one digit a pixel, then two\n"
      "0 0\n"
      "0123ABCF ........\n"
      "00000000 --------\n"
      "00000000 ########\n"
      "00000000 ........\n"
      "00000000 ........\n"
      "00000000 ........\n"
      "00000000 ........\n"
      "00000000 ........\n"
      "64 9\n"
      "00017F80c8FEFF10 .-#.-#.-\r\n"
      "0000000000000000 ........\n"
      "0000000000000000 ........\n"
      "0000000000000000 ........\n"
      "0000000000000000 ........\n"
      "0000000000000000 ........\n"
      "0000000000000000 ........\n"
      "0000000000000000 ........\n";
  ASSERT_EQ(Run(TOLV_MAKE_TILE_FILE, "t.til", text), 0) << err_;
  const std::string bytes = ReadFileBytes(root_ / "t.til");
  ByteReader r(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  StagedTileSet set;
  ASSERT_EQ(ParseTileData(r, false, set), kTileVersion);
  ASSERT_EQ(set.tiles.size(), 2u);
  const std::vector<uint8_t> first(set.tiles[0].frame_store, set.tiles[0].frame_store + 8);
  const std::vector<uint8_t> second(set.tiles[1].frame_store, set.tiles[1].frame_store + 8);
  EXPECT_EQ(first, (std::vector<uint8_t>{0, 1, 2, 3, 10, 11, 12, 15}));
  EXPECT_EQ(second, (std::vector<uint8_t>{0, 1, 127, 128, 200, 254, 255, 16}));
  EXPECT_EQ(set.tiles[1].angle, 64);
  EXPECT_EQ(set.tiles[1].floor, 9);
  for (int x = 0; x < 8; x++) EXPECT_EQ(set.tiles[1].collision[x * 8], x % 3) << x;  // column by column
  EXPECT_EQ(set.tiles[0].collision[0 * 8 + 1], 1);
  EXPECT_EQ(set.tiles[0].collision[7 * 8 + 2], 2);
}

TEST_F(ToolText, BadTextIsNamedByLineAndWritesNothing) {
  const std::string rows = "00000000 ........\n00000000 ........\n00000000 ........\n00000000 ........\n";
  const struct {
    const char* tool;
    std::string text, said;
  } cases[] = {
      {TOLV_MAKE_TILE_FILE, "0 0\n0000000G ........\n" + rows, "line 2: 'G' is not a hex digit"},
      {TOLV_MAKE_TILE_FILE, "0 0\n000000000 ........\n" + rows, "line 2: a tile row is 8 or 16 hex digits"},
      {TOLV_MAKE_TILE_FILE, "0 0\n00000000 .......x\n" + rows, "line 2: collision mark 'x'"},
      {TOLV_MAKE_TILE_FILE, "; a comment\n256 0\n" + rows + rows, "line 2: expected a tile's angle and floor"},
      {TOLV_MAKE_TILE_FILE, "sky 0\n" + rows + rows, "line 1: expected a tile's angle and floor"},
      {TOLV_MAKE_TILE_FILE, "0 0\n" + rows, "line 5: the tile ends before its eighth row"},
      {TOLV_MAKE_TILE_FILE, "palette none.pcx\n0 0\n" + rows + rows, "line 1: no 8-bit PCX or TGA picture none.pcx"},
      {TOLV_MAKE_TILE_FILE, "; nothing\n", "no tiles"},
      {TOLV_MAKE_LEVEL_FILE, "tile . 0\n........\n", "line 2: a map row before the first plane line"},
      {TOLV_MAKE_LEVEL_FILE, "plane 6 10 10 0\n", "line 1: expected plane TYPE (0-5)"},
      {TOLV_MAKE_LEVEL_FILE, "plane 1 10 10 0 256\n", "line 1: a plane's scroll factor is 0-255"},
      {TOLV_MAKE_LEVEL_FILE, "plane 1 80 60 1 junk\n", "line 1: a plane's scroll factor is 0-255"},
      {TOLV_MAKE_LEVEL_FILE, "plane 1 80 60 1 1e9\n", "line 1: a plane's scroll factor is 0-255"},
      {TOLV_MAKE_LEVEL_FILE, "; flags\nplane 1 80 60 1x\n", "line 2: expected plane TYPE (0-5)"},
      {TOLV_MAKE_LEVEL_FILE, "plane 0 70000 1 0\n", "line 1: plane too large"},
      {TOLV_MAKE_LEVEL_FILE, "tile . 0\nplane 0 4 1 0\n.....\n", "line 3: map row outside its plane"},
      {TOLV_MAKE_LEVEL_FILE, "tile . 0\nplane 0 4 2 0\n....\n..x.\n", "line 4: map character 'x' has no tile line"},
      {TOLV_MAKE_LEVEL_FILE, "tile .. 0\n", "line 1: expected tile C ID"},
      {TOLV_MAKE_SPRITE_FILE, ":1\n:1\n:none.pcx\n:8\n:8\n:0\n:0\n", "line 3: Image \"none.pcx\" not found\n"},
      {TOLV_MAKE_SPRITE_FILE, ":1\n:-3\n", "line 2: Invalid frame count -3; Counts run from 0 to 65535\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run(c.tool, "out", c.text), 1) << c.text;
    const std::string tool = fs::path(c.tool).filename().string();
    EXPECT_NE(err_.find(tool + ": " + (root_ / "text.txt").string() + " line "), std::string::npos) << err_;
    EXPECT_NE(err_.find(c.said), std::string::npos) << c.text << "\nsaid: " << err_;
    EXPECT_EQ(err_.find("Script Error"), std::string::npos) << err_;
    EXPECT_FALSE(fs::exists(root_ / "out")) << c.text;
  }
  EXPECT_EQ(std::system((std::string("'") + TOLV_MAKE_LEVEL_FILE + "' out 2>/dev/null").c_str()) >> 8, 2);
}

}  // namespace
}  // namespace tolv::test

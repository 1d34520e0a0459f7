// The tile dump: its text byte for byte, and where it may be written.
#include <filesystem>

#include "../game/loading_fixture.h"
#include "editors/tile_dump.h"
#include "world/level.h"

namespace tolv::test {
namespace {

// Cell (x, y) holds 100 y + x + 1.
class TileDumpTest : public LoadingTest {
 protected:
  void SetUp() override {
    LoadingTest::SetUp();
    plane_ = list_.Add(kPlaneFlat, 5, 4);
    for (uint32_t y = 0; y < 4; y++)
      for (uint32_t x = 0; x < 5; x++) *PlaneCell(*plane_, x, y) = uint16_t(100 * y + x + 1);
  }
  PlaneList list_;
  TilePlane* plane_ = nullptr;
};

TEST_F(TileDumpTest, BlockOfThreeByTwoAndCellsPastThePlane) {
  EXPECT_EQ(TileDumpText(*plane_, 1, 1, 3, 2),
            ";TOLV Tile dump for use in solid tile-mapped objects\n"
            "Width:     3 -Width\n"
            "Height:     2 -Height\n"
            "TileID   0:   102 -Tile ID  0, 0\n"
            "TileID   1:   103 -Tile ID  1, 0\n"
            "TileID   2:   104 -Tile ID  2, 0\n"
            "TileID   3:   202 -Tile ID  0, 1\n"
            "TileID   4:   203 -Tile ID  1, 1\n"
            "TileID   5:   204 -Tile ID  2, 1\n");
  EXPECT_EQ(TileDumpText(*plane_, 4, 3, 2, 1),
            ";TOLV Tile dump for use in solid tile-mapped objects\n"
            "Width:     2 -Width\n"
            "Height:     1 -Height\n"
            "TileID   0:   305 -Tile ID  0, 0\n"
            "TileID   1:     0 -Tile ID  1, 0\n");
}

TEST_F(TileDumpTest, WrittenIntoTheGameFolderOnly) {
  Load("full.gdf");
  ASSERT_TRUE(WriteTileDump(*plane_, 1, 1, 3, 2));
  EXPECT_EQ(ReadFileBytes(Game() / "dump/tilemap.txt"), TileDumpText(*plane_, 1, 1, 3, 2));
  EXPECT_TRUE(Logged("Tile dump saved to dump/tilemap.txt"));

  // A dump folder that leads out of the game: nothing written there.
  fs::remove_all(Game() / "dump");
  fs::create_directory(root_ / "outside");
  fs::create_directory_symlink(root_ / "outside", Game() / "dump");
  EXPECT_FALSE(WriteTileDump(*plane_, 0, 0, 1, 1));
  EXPECT_TRUE(Logged("Can't write dump/tilemap.txt"));
  EXPECT_TRUE(fs::is_empty(root_ / "outside"));
}

}  // namespace
}  // namespace tolv::test

// The tile pool: animation, resizing, the checked accessor, and palette
// banks fed from the tile set.
#include "stil_bytes.h"

namespace tolv::test {
namespace {

TEST_F(TileFileTest, AnimationStepsThroughDelaysAndFramesApart) {
  Put("a.til", Stil(4));
  LoadTileFile("a.til");
  tiles[2].delays = static_cast<uint8_t*>(std::malloc(1));  // delays but no frames
  tiles[2].delays[0] = 1;
  tiles[2].delay_count = 1;
  AnimateTiles();
  ResetTileAnimation();
  std::vector<int> frames;
  for (int call = 1; call <= 14; call++) {
    AnimateTiles();
    frames.push_back(tiles[0].frame_index);
    ASSERT_EQ(tiles[0].current_frame, tiles[0].frame_store + 64 * tiles[0].frame_index);
  }
  // Frame 1 on the 2nd call, 2 on the 7th, 0 on the 9th, 1 on the 14th.
  EXPECT_EQ(frames, (std::vector<int>{0, 1, 1, 1, 1, 1, 2, 2, 0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(tiles[1].current_frame, tiles[1].frame_store);  // no delays
  EXPECT_EQ(tiles[2].current_frame, kBlankTileFrame);
  EXPECT_EQ(tiles[2].frame_index, 0);
}

TEST_F(TileFileTest, ResizeKeepsTilesAndFreesTheRest) {
  Put("a.til", Stil(4));
  LoadTileFile("a.til");
  ResizeTiles(5);
  EXPECT_EQ(tiles[0].frame_count, 3);
  EXPECT_EQ(tiles[4].frame_count, 1);
  EXPECT_EQ(tiles[4].current_frame, tiles[4].frame_store);
  EXPECT_EQ(tiles[4].current_frame[63], 0);
  ResizeTiles(1);
  EXPECT_EQ(tile_count, 1);
  FreeTileFrames(tiles[0]);
  EXPECT_EQ(tiles[0].current_frame, kBlankTileFrame);
  EXPECT_EQ(tiles[0].frame_store, nullptr);
  // Ids beyond the set read as an empty tile.
  EXPECT_EQ(&TileAt(1), &kEmptyTile);
  EXPECT_EQ(TileAt(0xFFFFFFFF).collision[0], 0);
  EXPECT_EQ(kEmptyTile.opaque, 0);
  EXPECT_EQ(&TileAt(0), &tiles[0]);
}

// Version 4 set 0 (rows 0, 64, 191, 192 red 10 + row) and set 1 (row 0 red 99).
static std::vector<uint8_t> PaletteFile() {
  Bytes b;
  b.text("STIL").u8({4}).u16(0).u8({2});
  b.u8({0, 193});
  for (int r = 0; r < 193; r++) b.u8({1, (10 + r) & 255, 0, 0, 0, 0, 0});
  b.u8({0, 0, 0, 0, 1, 1, 99, 0, 0, 0, 0, 0, 0, 0, 0});
  b.u16(1).u16(0);
  return b.v;
}

TEST_F(TileFileTest, PaletteSetsFeedBothBanks) {
  SetPalettePixelFormat(StandardPixelFormat(16));
  Put("p.til", PaletteFile());
  registers[kRegBankPaletteSet + 1] = 1;
  SelectPaletteBank(0);
  registers[kRegLevelStarted] = 1;  // rows also go into the current bank as read
  LoadTileFile("p.til");
  EXPECT_EQ(current_palette_bank, 0);
  EXPECT_EQ(registers[kRegView], 0);
  EXPECT_EQ(palette_banks[0].rgb[0][0], 10);
  EXPECT_EQ(palette_banks[0].rgb[63][0], 73);
  EXPECT_EQ(palette_banks[0].rgb[128][0], 74);  // row 64
  EXPECT_EQ(palette_banks[0].rgb[255][0], 201);  // row 191; row 192 drives nothing
  EXPECT_EQ(palette_banks[1].rgb[0][0], 99);     // bank 1 shows set 1
  EXPECT_EQ(palette_banks[1].rgb[1][0], 0);
  EXPECT_EQ(palette_banks[1].packed[0], PackColour(StandardPixelFormat(16), 99, 0, 0));
  EXPECT_EQ(colour_lookup, palette_banks[0].packed);
  // A bank whose set the new file lacks keeps its colours.
  registers[kRegBankPaletteSet + 1] = 7;
  ResetTileSet();
  LoadTileFile("p.til");
  EXPECT_EQ(palette_banks[1].rgb[0][0], 99);
  SetPalettePixelFormat(PixelFormat{});
  EXPECT_EQ(palette_banks[1].packed[0], 0x630000u);
}

}  // namespace
}  // namespace tolv::test

#include "level_test_util.h"

namespace tolv::test {
namespace {

// Stored row factors and what they read as.
const uint8_t kFactors[] = {24, 48, 1, 30};
const uint8_t kConverted[] = {64, 192, 2, 144};

// Cell (x, y) of plane k; above 254 so both bytes of a number count.
uint16_t Id(uint32_t k, uint32_t x, uint32_t y) { return static_cast<uint16_t>(300 + k * 1000 + x * 37 + y); }

void Columns(Bytes& f, uint32_t k, uint32_t w, uint32_t h) {
  f.N254(w).N254(h);
  for (uint32_t x = 0; x < w; x++)
    for (uint32_t y = 0; y < h; y++) f.N254(Id(k, x, y));
}

// Per stored row a factor and a wrap 1..20, then other factor 3, wrap 0.
void TiledLines(Bytes& f, uint32_t h) {
  for (uint32_t y = 0; y < h; y++) f.U8(kFactors[y % 4]).N254(y % 20 + 1);
  f.U8(3).N254(0);
}

// Tiled planes w x h, a Flat plane fw x fh and the plane over it, stored
// the size the reader walks (rows into the spare row for versions 0, 1).
Bytes Legacy(int version, bool magic, uint32_t w, uint32_t h, uint32_t fw, uint32_t fh) {
  Bytes f;
  if (magic) f.U8('S').U8('L').U8('E').U8('V').U8(version);
  const uint32_t over_rows = fh + (version == 255 ? 1 : 2);
  if (version == 0) {
    Columns(f, 1, fw, fh);
    Columns(f, 0, w, h);
    Columns(f, 2, fw, over_rows);
    f.N254(1000);
    TiledLines(f, h);
  } else {
    for (uint32_t k = 0; k < 2; k++) {
      Columns(f, k, w, h);
      TiledLines(f, h);
    }
    Columns(f, 2, fw, fh);
    Columns(f, 3, fw, over_rows);
    f.N254(1000);
  }
  return f;
}

TEST_F(LevelTest, LegacyCellsLinesAndFactorsLandWhereStored) {
  for (int version : {0, 1, 255}) {
    SCOPED_TRACE(version);
    ASSERT_EQ(Read(Legacy(version, version != 0, 3, 3, 2, 2)), kLevelRead);
    const uint32_t flat = version == 0 ? 1 : 2;  // the tiled planes come first
    ASSERT_EQ(plane_count, version == 0 ? 3 : 4);
    for (uint32_t k = 0; k < plane_count; k++) {
      const TilePlane& p = planes[k];
      const bool is_tiled = k < flat;
      SCOPED_TRACE(k);
      EXPECT_EQ(p.type, is_tiled ? kPlaneHTiled : kPlaneFlat);
      EXPECT_EQ(p.width, is_tiled ? 41u : 2u);
      EXPECT_EQ(p.height, is_tiled ? 26u : 3u);
      const uint32_t w = is_tiled ? 3 : 2, h = is_tiled ? 3 : (k == flat ? 2 : 3 + (version != 255));
      for (uint32_t y = 0; y <= p.height; y++)
        for (uint32_t x = 0; x < p.width; x++) ASSERT_EQ(Cell(k, x, y), x < w && y < h ? Id(k, x, y) : 0) << x << "," << y;
      // Every row reads as stored, the rows past the cell count too.
      for (uint32_t y = 0; y < p.height; y++)
        for (uint32_t x = 0; x < p.width; x++) {
          const uint16_t* cell = PlaneCell(p, x, y);
          ASSERT_TRUE(cell && *cell == Cell(k, x, y)) << x << "," << y;
        }
      if (!is_tiled) {
        EXPECT_EQ(p.cell_count, 4u);
        continue;
      }
      for (uint32_t y = 0; y < 26; y++) {
        EXPECT_EQ(p.line_factors[y], y < 3 ? kConverted[y] : 6);
        EXPECT_EQ(p.line_wraps[y], y < 3 ? y + 1 : 41);
      }
      EXPECT_EQ(p.other_factor, 21);
      EXPECT_EQ(p.other_wrap, version == 0 ? 26u : 24u);
      EXPECT_EQ(p.cell_count, p.other_wrap * 41);
    }
    EXPECT_EQ(level_width, 2u);
    EXPECT_EQ(level_height, 3u);
    EXPECT_EQ(registers[kRegWaterLine], 1000);
    EXPECT_EQ(registers[27], 16);
    EXPECT_EQ(registers[37], 24);
    EXPECT_EQ(editor_current_plane, flat);
    EXPECT_EQ(LevelFault(), "");
  }
}

TEST_F(LevelTest, LegacyLevelsKeepTheirModelThroughVersion3) {
  for (int version : {0, 1, 255})
    for (bool magic : {true, false}) {
      if (version && !magic) continue;
      SCOPED_TRACE(version);
      ASSERT_EQ(Read(Legacy(version, magic, 90, 64, 85, 61)), kLevelRead);
      LevelModel legacy = Model();
      // Version 3 counts a Flat plane's cells over its whole height.
      for (PlaneModel& p : legacy.planes)
        if (p.type == kPlaneFlat) p.cell_count = p.width * p.height;
      ASSERT_EQ(Read(Write()), kLevelRead);
      EXPECT_EQ(Model(), legacy);
    }
}

TEST_F(LevelTest, LegacyCutsKeepTheOldLevel) {
  const LevelModel old = Model();
  for (int version : {0, 255}) {
    const std::vector<uint8_t> whole = Legacy(version, version != 0, 3, 3, 2, 2).b;
    for (size_t n = 0; n < whole.size(); n++) {
      ASSERT_EQ(Read(std::vector<uint8_t>(whole.begin(), whole.begin() + n)), kLevelDamaged) << n;
      ASSERT_EQ(Model(), old) << n;
    }
  }
}

}  // namespace
}  // namespace tolv::test

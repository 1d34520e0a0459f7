#include "level_test_util.h"

namespace tolv::test {
namespace {

// A Relative plane 200 wide before a Flat plane 100 wide, both one run.
Bytes RelativeAndFlat() {
  Bytes f;
  f.Head(3, 2).Plane(kPlaneRelative, 200, 60).U16(150).U8(64).U16(40).U8(32).U16(0).Run(200 * 60, 2);
  return f.Plane(kPlaneFlat, 100, 60).U16(1).Run(100 * 60, 1).U16(300);
}

TEST_F(LevelTest, Version2PlaneIsEnlargedWithDefaultLines) {
  Bytes f;
  f.Head(2, 1).Plane(kPlaneHTiled, 40, 30);
  for (uint32_t y = 0; y < 30; y++) f.U16(y + 1).U8(y);
  f.U16(20).U8(5).U16(0);
  for (uint32_t y = 0; y < 30; y++)
    for (uint32_t x = 0; x < 40; x++) f.U16(y * 40 + x + 1);
  ASSERT_EQ(Read(f.U16(77)), kLevelRead);
  const TilePlane& p = planes[0];
  ASSERT_EQ(p.width, 80u);
  ASSERT_EQ(p.height, 60u);
  for (uint32_t y = 0; y < 61; y++)
    for (uint32_t x = 0; x < 80; x++) ASSERT_EQ(Cell(0, x, y), x < 40 && y < 30 ? y * 40 + x + 1 : 0) << x << "," << y;
  for (uint32_t y = 0; y < 60; y++) {
    EXPECT_EQ(p.line_wraps[y], y < 30 ? y + 1 : 80);
    EXPECT_EQ(p.line_factors[y], y < 30 ? y : 0);
  }
  EXPECT_EQ(p.other_wrap, 20u);
  EXPECT_EQ(p.other_factor, 5);
  EXPECT_EQ(p.cell_count, 20u * 80);
  EXPECT_EQ(registers[kRegWaterLine], 77);
  EXPECT_EQ(level_width, 0u);  // no Flat plane
}

TEST_F(LevelTest, FlatPlanesAloneSetLimitsSizeAndEditorPlane) {
  registers[kRegCameraX] = registers[kRegCameraY] = 9;
  plane_show_flags[3] = 1;
  ASSERT_EQ(Read(RelativeAndFlat()), kLevelRead);
  EXPECT_EQ(std::vector<int32_t>(registers + 23, registers + 39),
            (std::vector<int32_t>{0, 0, 0, 0, 800, 800, 480, 480, 0, 0, 0, 0, 800, 800, 480, 480}));
  EXPECT_EQ(level_width, 100u);
  EXPECT_EQ(level_height, 60u);
  EXPECT_EQ(registers[kRegCameraX], 0);
  EXPECT_EQ(registers[kRegCameraY], 0);
  EXPECT_EQ(editor_current_plane, 1);
  EXPECT_FALSE(PlaneShownInEditor(3));
  EXPECT_EQ(planes[0].line_wraps[0], 150u);
  EXPECT_EQ(planes[0].cell_count, 40u * 200);
  const uint16_t* last = PlaneCell(planes[0], 199, 59);  // past the other wrap
  EXPECT_TRUE(last && *last == 2);
  EXPECT_EQ(planes[1].flags, 1);
}

TEST_F(LevelTest, WrapsAreKeptInsideTheirPlane) {
  Bytes f;
  f.Head(3, 2).Plane(kPlaneRelative, 80, 60).U16(0).U8(1).U16(500).U8(2).U16(0).Run(4800, 1);
  f.Plane(kPlaneVTiled, 80, 60);
  for (int x = 0; x < 80; x++) f.U16(x == 3 ? 61 : 0).U8(0);
  ASSERT_EQ(Read(f.U16(0).U8(0).U16(0).U16(0).Run(4799, 1).U16(0)), kLevelRead);
  EXPECT_EQ(planes[0].line_wraps[0], 80u);
  EXPECT_EQ(planes[0].other_wrap, 60u);
  EXPECT_EQ(planes[0].cell_count, 4800u);
  EXPECT_EQ(planes[1].line_wraps[3], 60u);
  EXPECT_EQ(planes[1].other_wrap, 80u);
  EXPECT_EQ(LevelFault(), "");
}

TEST_F(LevelTest, RunNeverCarriesIntoTheNextPlane) {
  Bytes f;
  f.Head(3, 2).Plane(kPlaneFlat, 80, 60).U16(0).Run(4802, 3);  // two cells too many
  ASSERT_EQ(Read(f.Plane(kPlaneFlat, 80, 60).U16(0).U16(7).Run(4799, 8).U16(0)), kLevelRead);
  EXPECT_EQ(Cell(0, 79, 59), 3);
  EXPECT_EQ(Cell(0, 0, 60), 0);  // nor into the spare row
  EXPECT_EQ(Cell(1, 0, 0), 7);
  EXPECT_EQ(Cell(1, 1, 0), 8);
}

TEST_F(LevelTest, DamagedLevelsKeepTheOldOne) {
  ASSERT_EQ(Read(RelativeAndFlat()), kLevelRead);
  const LevelModel old = Model();
  Bytes wide, huge, hungry;
  wide.Head(3, 1).Plane(kPlaneFlat, 65536, 60).U16(0).Run(4, 0);
  huge.Head(3, 1).Plane(kPlaneFlat, 65535, 1100).U16(0);  // past 2^26 cells, bytes enough for runs
  for (int i = 0; i < 2300; i++) huge.Run(32769, 0);
  hungry.Head(2, 1).Plane(kPlaneFlat, 60000, 60000).U16(0);  // far more cells than bytes
  for (const Bytes* f : {&wide, &huge, &hungry}) {
    ClearMessages();
    EXPECT_EQ(Read(*f), kLevelDamaged);
    EXPECT_EQ(Model(), old);
    EXPECT_EQ(LastMessage(), "Level file damaged: old level kept");
  }
  // Every cut of a whole file, the magic included.
  const std::vector<uint8_t> whole = RelativeAndFlat().b;
  for (size_t n = 0; n < whole.size(); n++) {
    ASSERT_EQ(Read(std::vector<uint8_t>(whole.begin(), whole.begin() + n)), kLevelDamaged) << n;
    ASSERT_EQ(Model(), old) << n;
  }
}

TEST_F(LevelTest, UnknownVersionLeavesTheDefaultLevel) {
  ASSERT_EQ(Read(RelativeAndFlat()), kLevelRead);
  Bytes f;
  EXPECT_EQ(Read(f.Head(7, 1)), kLevelUnknownVersion);
  EXPECT_EQ(LastMessage(), "Level version 7 unknown: default level");
  const LevelModel read = Model();
  ResetDefaultPlanes();
  EXPECT_EQ(read, Model());
}

}  // namespace
}  // namespace tolv::test
